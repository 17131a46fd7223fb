#include "compound_storage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using msgfile::Bytes;
using msgfile::CompoundStorageReader;
using msgfile::CompoundStorageWriter;
using msgfile::FormatError;

namespace {

Bytes pattern(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + seed);
    return bytes;
}

std::string formatErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FormatError& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST(CompoundStorage, RoundTripsStreamsAcrossTheMiniStreamCutoff) {
    const std::vector<std::size_t> sizes = {0, 1, 63, 64, 65, 4095, 4096, 4097, 70000};
    const msgfile::Clsid clsid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    CompoundStorageWriter writer;
    writer.setRootClsid(clsid);
    for (std::size_t i = 0; i < sizes.size(); ++i) writer.addStream("s" + std::to_string(i), pattern(sizes[i], i));
    for (unsigned i = 0; i < 150; ++i) writer.addStream("store/many/m" + std::to_string(i), pattern(100 + i, i));

    const CompoundStorageReader reader(writer.serialize());
    EXPECT_EQ(reader.rootClsid(), clsid);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(reader.readStream("s" + std::to_string(i)), pattern(sizes[i], i)) << sizes[i];
    }
    EXPECT_EQ(formatErrorOf([&] { reader.readStream("store"); }), "missing stream: store");
    EXPECT_EQ(formatErrorOf([&] { reader.readStream("absent"); }), "missing stream: absent");
}

TEST(CompoundStorage, DamagedFilesRaiseFormatErrorOnly) {
    CompoundStorageWriter writer;
    writer.addStream("big", pattern(5000, 1));
    writer.addStream("small", pattern(100, 2));
    const Bytes file = writer.serialize();

    EXPECT_EQ(formatErrorOf([] { CompoundStorageReader(Bytes{}); }), "not a compound file");
    EXPECT_EQ(formatErrorOf([] { CompoundStorageReader(Bytes(600, 0xFF)); }), "not a compound file");
    // Every cut and every flipped byte of the header and first sectors ends in a result or FormatError.
    for (std::size_t size = 0; size < file.size(); size += 97) {
        formatErrorOf([&] {
            const CompoundStorageReader reader(Bytes(file.begin(), file.begin() + size));
            reader.readStream("big");
            reader.readStream("small");
        });
    }
    for (std::size_t at = 0; at < 2048 && at < file.size(); ++at) {
        Bytes damaged = file;
        damaged[at] ^= 0xA5;
        formatErrorOf([&] {
            const CompoundStorageReader reader(damaged);
            reader.readStream("big");
            reader.readStream("small");
        });
    }
}
