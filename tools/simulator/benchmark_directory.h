#pragma once

#include "outlook.h"

// Puts a settings item holding `entries` directory entries into the calendar, every tenth a room,
// as the benchmarks measure it.
void AddBenchmarkDirectory(sim::Outlook& outlook, int entries);
