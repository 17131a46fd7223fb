#pragma once

#include <string>

// Appends "<time of day>: <message>" to the error log window, keeping its last lines.
void LogError(const std::string& message);

// Trace lines of events; indistinguishable from LogError's.
void LogTrace(const std::string& message);
