#pragma once

#include "bytes.h"
#include "format_error.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace msgfile {

// A class ID in its on-disk byte order (first three fields little-endian).
using Clsid = std::array<std::uint8_t, 16>;

// Builds a version 3 compound file (512-byte sectors) in memory.
// Paths join names with '/'; a name is 1 to 31 printable ASCII characters
// other than '\\', ':' and '!'. Bad names and duplicates throw std::invalid_argument.
class CompoundFileWriter {
public:
    CompoundFileWriter();
    void setRootClsid(const Clsid& clsid);
    // Missing parent storages are created on the way, for both calls.
    void addStorage(const std::string& path);
    void addStream(const std::string& path, Bytes data);
    // Throws std::length_error past what the header's FAT table can address (about 7 MB).
    Bytes serialize() const;

private:
    struct Entry {
        std::u16string name;
        std::uint8_t type;
        Bytes data;
        std::vector<std::size_t> children;
    };
    std::size_t storageAt(const std::vector<std::u16string>& names);
    std::size_t childNamed(std::size_t parent, const std::u16string& name) const;
    std::size_t addChild(std::size_t parent, Entry entry);

    std::vector<Entry> entries_;
    Clsid rootClsid_{};
};

// Reads a version 3 compound file of up to about 7 MB held in memory. Every offset, sector
// number and chain is checked, so bad input raises FormatError and nothing else.
class CompoundFileReader {
public:
    explicit CompoundFileReader(Bytes file);
    const Clsid& rootClsid() const { return entries_.front().clsid; }
    Bytes readStream(const std::string& path) const;

private:
    struct Entry {
        std::u16string name;
        std::uint8_t type;
        std::uint32_t left, right, child;
        Clsid clsid;
        std::uint32_t start;
        std::uint32_t size;
    };
    void loadFat();
    void loadDirectory();
    std::size_t sectorOffset(std::uint32_t sector) const;
    std::vector<std::uint32_t> chain(const std::vector<std::uint32_t>& table, std::uint32_t first,
                                     std::size_t limit) const;
    Bytes gather(const std::vector<std::uint32_t>& sectors, std::size_t size, bool mini) const;
    Bytes wholeChain(std::uint32_t first) const;
    Bytes streamData(const Entry& entry) const;
    std::uint32_t childNamed(std::uint32_t parent, const std::u16string& name) const;

    Bytes file_;
    std::size_t sectorCount_ = 0;
    std::vector<std::uint32_t> fat_;
    std::vector<std::uint32_t> miniFat_;
    std::vector<Entry> entries_;
    Bytes miniStream_;
};

}  // namespace msgfile
