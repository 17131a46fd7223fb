#pragma once

#include "format_error.h"

#include <string>

namespace msgfile {

// The parts of an Outlook template (.oft) this product writes and reads. Text is UTF-8.
struct Template {
    std::string subject;
    std::string messageClass;
};

// Writes a template file, replacing any file at path only once the new one is complete.
// Throws std::invalid_argument for invalid UTF-8, a NUL character or an empty message
// class, and std::runtime_error when the file cannot be written. path is UTF-8.
void writeTemplate(const std::string& path, const Template& message);

// Throws FormatError when the file is missing, is not an Outlook template or is damaged.
Template readTemplate(const std::string& path);

}  // namespace msgfile
