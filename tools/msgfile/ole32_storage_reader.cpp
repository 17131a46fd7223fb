#include "compound_storage.h"

#include "utf16.h"

#include <objbase.h>

#include <cstring>

// On Windows the system's own structured storage reads the template.
namespace msgfile {
namespace {

template <typename T>
struct ComRef {
    T* pointer = nullptr;
    ~ComRef() {
        if (pointer) pointer->Release();
    }
};

}  // namespace

struct CompoundStorageReader::Storage {
    ComRef<ILockBytes> bytes;
    ComRef<IStorage> root;
};

CompoundStorageReader::CompoundStorageReader(const Bytes& file) : storage_(std::make_unique<Storage>()) {
    if (FAILED(CreateILockBytesOnHGlobal(nullptr, TRUE, &storage_->bytes.pointer))) {
        throw FormatError("cannot hold the file in memory");
    }
    ULONG written = 0;
    ULARGE_INTEGER start{};
    if (FAILED(storage_->bytes.pointer->WriteAt(start, file.data(), static_cast<ULONG>(file.size()), &written)) ||
        written != file.size()) {
        throw FormatError("cannot hold the file in memory");
    }
    if (StgIsStorageILockBytes(storage_->bytes.pointer) != S_OK ||
        FAILED(StgOpenStorageOnILockBytes(storage_->bytes.pointer, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                          nullptr, 0, &storage_->root.pointer))) {
        throw FormatError("not a compound file");
    }
}

CompoundStorageReader::~CompoundStorageReader() = default;

Clsid CompoundStorageReader::rootClsid() const {
    STATSTG status{};
    Clsid clsid{};
    if (FAILED(storage_->root.pointer->Stat(&status, STATFLAG_NONAME))) return clsid;
    // A GUID's fields are little-endian in memory, as on disk.
    std::memcpy(clsid.data(), &status.clsid, clsid.size());
    return clsid;
}

Bytes CompoundStorageReader::readStream(const std::string& name) const {
    const std::u16string wide = utf8ToUtf16(name);
    ComRef<IStream> stream;
    if (FAILED(storage_->root.pointer->OpenStream(reinterpret_cast<const wchar_t*>(wide.c_str()), nullptr,
                                                  STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream.pointer))) {
        throw FormatError("missing stream: " + name);
    }
    STATSTG status{};
    if (FAILED(stream.pointer->Stat(&status, STATFLAG_NONAME)) || status.cbSize.QuadPart > 0x7FFFFFFF) {
        throw FormatError("damaged stream: " + name);
    }
    Bytes data(static_cast<std::size_t>(status.cbSize.QuadPart));
    ULONG read = 0;
    if (!data.empty() &&
        (FAILED(stream.pointer->Read(data.data(), static_cast<ULONG>(data.size()), &read)) || read != data.size())) {
        throw FormatError("damaged stream: " + name);
    }
    return data;
}

}  // namespace msgfile
