// Any script line: split into words, or refused for an unclosed quote.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "tokens.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        Tokenize(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
