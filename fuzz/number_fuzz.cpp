// Text read as a number by Basic's rules, and the version's major number (the text before its
// first dot): a conversion either answers or raises Type mismatch or Overflow, never more.
#include <cstddef>
#include <cstdint>
#include <string>

#include "automation/error.h"
#include "automation/value.h"

namespace {

void Convert(const std::string& text) {
    automation::Value value(text);
    try {
        value.toDouble();
    } catch (const automation::Error&) {
    }
    try {
        value.toInt16();
    } catch (const automation::Error&) {
    }
    try {
        value.toInt32();
    } catch (const automation::Error&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    Convert(text);
    Convert(text.substr(0, text.find('.')));
    return 0;
}
