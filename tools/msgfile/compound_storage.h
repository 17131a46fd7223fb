#pragma once

#include "bytes.h"
#include "format_error.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace msgfile {

// A class ID in its on-disk byte order (first three fields little-endian).
using Clsid = std::array<std::uint8_t, 16>;

// An OLE2 compound file put together in memory, written by a structured-storage library.
// Stream paths join names with '/'; storages on the way are created.
class CompoundStorageWriter {
public:
    void setRootClsid(const Clsid& clsid) { rootClsid_ = clsid; }
    void addStream(const std::string& path, Bytes data) { streams_.emplace_back(path, std::move(data)); }
    // Throws std::runtime_error when the library refuses a name or the layout.
    Bytes serialize() const;

private:
    Clsid rootClsid_{};
    std::vector<std::pair<std::string, Bytes>> streams_;
};

// Reads the root's class ID and top-level streams of a compound file held in memory.
// Bad input raises FormatError and nothing else.
class CompoundStorageReader {
public:
    explicit CompoundStorageReader(const Bytes& file);
    ~CompoundStorageReader();
    CompoundStorageReader(const CompoundStorageReader&) = delete;
    CompoundStorageReader& operator=(const CompoundStorageReader&) = delete;

    Clsid rootClsid() const;
    Bytes readStream(const std::string& name) const;

private:
    struct Storage;
    std::unique_ptr<Storage> storage_;
};

}  // namespace msgfile
