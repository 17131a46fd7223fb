// Any file offered as the settings template: read, or refused with a FormatError.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "outlook_template.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/quorvel-template-fuzz-" + std::to_string(getpid()) + ".oft";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        msgfile::readTemplate(path);
    } catch (const msgfile::FormatError&) {
    }
    return 0;
}
