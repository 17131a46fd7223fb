#include "compound_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

using msgfile::Bytes;
using msgfile::CompoundFileReader;
using msgfile::CompoundFileWriter;
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

// A file with one large stream in sectors 0..9 and one small stream in the mini stream.
Bytes twoStreamFile() {
    CompoundFileWriter writer;
    writer.addStream("big", pattern(5000, 1));
    writer.addStream("small", pattern(100, 2));
    return writer.serialize();
}

void readEverything(const Bytes& file) {
    const CompoundFileReader reader(file);
    reader.readStream("big");
    reader.readStream("small");
}

std::size_t sectorAt(std::uint32_t sector) { return (sector + 1) * 512u; }

}  // namespace

TEST(CompoundFile, RoundTripsStreamsAcrossTheMiniStreamCutoffAndSeveralFatSectors) {
    const std::vector<std::size_t> sizes = {0, 1, 63, 64, 65, 4095, 4096, 4097, 70000};
    const msgfile::Clsid clsid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    CompoundFileWriter writer;
    writer.setRootClsid(clsid);
    for (std::size_t i = 0; i < sizes.size(); ++i) writer.addStream("s" + std::to_string(i), pattern(sizes[i], i));
    // Enough small streams that the directory, mini stream and mini FAT all span several sectors.
    for (unsigned i = 0; i < 150; ++i) writer.addStream("store/many/m" + std::to_string(i), pattern(100 + i, i));

    const CompoundFileReader reader(writer.serialize());
    EXPECT_EQ(reader.rootClsid(), clsid);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(reader.readStream("s" + std::to_string(i)), pattern(sizes[i], i)) << "size " << sizes[i];
    }
    for (unsigned i = 0; i < 150; ++i) {
        EXPECT_EQ(reader.readStream("store/many/m" + std::to_string(i)), pattern(100 + i, i)) << i;
    }
    EXPECT_EQ(reader.readStream("STORE/Many/M7"), pattern(107, 7)) << "names compare case-insensitively";
    EXPECT_EQ(formatErrorOf([&] { reader.readStream("store/absent"); }), "missing stream: store/absent");
    EXPECT_EQ(formatErrorOf([&] { reader.readStream("store"); }), "not a stream: store");
}

// Every sector, the FAT's own included, needs a FAT entry; sizes near one FAT sector's reach probe the edge.
TEST(CompoundFile, FatCoversEverySectorIncludingItself) {
    for (std::size_t sectors = 118; sectors <= 132; ++sectors) {
        CompoundFileWriter writer;
        writer.addStream("data", pattern(sectors * 512, 3));
        const Bytes file = writer.serialize();
        const std::uint32_t fatCount = msgfile::get32(file, 44);
        EXPECT_LE(file.size() / 512 - 1, fatCount * 128u) << sectors << " sectors";
        for (std::uint32_t k = 0; k < fatCount; ++k) {
            const std::uint32_t fatSector = msgfile::get32(file, 76 + 4 * k);
            const std::uint32_t holder = msgfile::get32(file, 76 + 4 * (fatSector / 128));
            EXPECT_EQ(msgfile::get32(file, sectorAt(holder) + 4 * (fatSector % 128)), 0xFFFFFFFDu);
        }
        EXPECT_EQ(CompoundFileReader(file).readStream("data"), pattern(sectors * 512, 3));
    }
}

TEST(CompoundFile, WriterRejectsBadNamesAndClashes) {
    CompoundFileWriter writer;
    writer.addStream("a", {});
    EXPECT_THROW(writer.addStream("A", {}), std::invalid_argument);
    EXPECT_THROW(writer.addStream("a/b", {}), std::invalid_argument);
    EXPECT_THROW(writer.addStream("x//y", {}), std::invalid_argument);
    EXPECT_THROW(writer.addStream("bang!", {}), std::invalid_argument);
    EXPECT_THROW(writer.addStream(std::string(32, 'n'), {}), std::invalid_argument);
    EXPECT_NO_THROW(writer.addStream(std::string(31, 'n'), {}));
}

TEST(CompoundFileReader, RejectsEmptyTruncatedAndRandomFiles) {
    const Bytes good = twoStreamFile();
    ASSERT_NO_THROW(readEverything(good));
    EXPECT_EQ(formatErrorOf([] { CompoundFileReader{Bytes{}}; }), "not a compound file");
    for (std::size_t length : {std::size_t{8}, std::size_t{511}, std::size_t{512}, std::size_t{2048},
                               good.size() - 512, good.size() - 1}) {
        const Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(readEverything(truncated), FormatError) << "cut at " << length;
    }
    std::mt19937 random(7);
    Bytes noise(4096);
    for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
    EXPECT_EQ(formatErrorOf([&] { readEverything(noise); }), "not a compound file");
    std::copy(good.begin(), good.begin() + 512, noise.begin());
    EXPECT_THROW(readEverything(noise), FormatError) << "valid header, random body";
}

TEST(CompoundFileReader, RejectsHostileStructures) {
    const Bytes good = twoStreamFile();
    const std::size_t fatAt = sectorAt(msgfile::get32(good, 76));
    const std::size_t directoryAt = sectorAt(msgfile::get32(good, 48));
    const std::uint32_t topSibling = msgfile::get32(good, directoryAt + 76);
    const struct {
        const char* expected;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"sector chain loop", [&](Bytes& f) { msgfile::put32(f, fatAt, 0); }},
        {"truncated sector chain", [&](Bytes& f) { msgfile::put32(f, fatAt + 4, 0xFFFFFFFE); }},
        {"truncated sector chain", [&](Bytes& f) { msgfile::put32(f, fatAt + 4, 0x7FFFFFFF); }},
        {"directory entry out of range", [&](Bytes& f) { msgfile::put32(f, directoryAt + 76, 1000); }},
        {"directory tree loop", [&](Bytes& f) { msgfile::put32(f, directoryAt + 128 * topSibling + 68, topSibling); }},
        {"bad FAT sector count", [&](Bytes& f) { msgfile::put32(f, 44, 0xFFFFFFFF); }},
        {"truncated sector chain", [&](Bytes& f) { msgfile::put32(f, 48, 4000); }},
        {"unsupported compound file version", [&](Bytes& f) { msgfile::put16(f, 30, 20); }},
    };
    for (const auto& c : cases) {
        Bytes file = good;
        c.damage(file);
        EXPECT_EQ(formatErrorOf([&] {
                      readEverything(file);
                      CompoundFileReader(file).readStream("absent");
                  }),
                  c.expected);
    }
}

// Under the sanitizers this shows that no corruption leads to a crash or an out-of-bounds read.
TEST(CompoundFileReader, SurvivesRandomCorruption) {
    const Bytes good = twoStreamFile();
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        Bytes file = good;
        for (int k = 0; k < 3; ++k) file[random() % file.size()] = static_cast<std::uint8_t>(random());
        try {
            readEverything(file);
        } catch (const FormatError&) {
        }
    }
}
