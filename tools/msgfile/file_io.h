#pragma once

#include "bytes.h"

#include <cstddef>
#include <optional>
#include <string>

namespace msgfile {

// Paths are UTF-8 on every platform.

// The whole file, or nothing if it cannot be opened. Throws FormatError when
// the file is larger than maxSize, so a huge file never exhausts memory.
std::optional<Bytes> readFile(const std::string& path, std::size_t maxSize);

// Writes through a temporary file in the same folder and renames it over path,
// so a failure leaves any previous file intact and no partial file behind.
// Throws std::runtime_error on failure.
void writeFileAtomically(const std::string& path, const Bytes& data);

}  // namespace msgfile
