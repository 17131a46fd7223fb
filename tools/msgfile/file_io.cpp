#include "file_io.h"

#include "format_error.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace msgfile {

namespace fs = std::filesystem;

std::optional<Bytes> readFile(const std::string& path, std::size_t maxSize) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    if (!in) return std::nullopt;
    Bytes data;
    char buffer[16384];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        data.insert(data.end(), buffer, buffer + in.gcount());
        if (data.size() > maxSize) throw FormatError("file too large: " + path);
    }
    if (in.bad()) return std::nullopt;
    return data;
}

void writeFileAtomically(const std::string& path, const Bytes& data) {
    const fs::path target = fs::u8path(path);
    fs::path temporary = target;
    temporary += ".partial";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    std::error_code error;
    if (!out) {
        fs::remove(temporary, error);
        throw std::runtime_error("cannot write file: " + path);
    }
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw std::runtime_error("cannot replace file: " + path + ": " + error.message());
    }
}

}  // namespace msgfile
