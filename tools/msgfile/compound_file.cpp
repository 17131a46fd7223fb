#include "compound_file.h"

#include "utf16.h"

#include <algorithm>
#include <stdexcept>

namespace msgfile {
namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr std::size_t kMaxNameLength = 31;
constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::uint8_t kUnused = 0, kStorage = 1, kStream = 2, kRoot = 5;
constexpr std::uint8_t kBlack = 1;

// Header field offsets.
constexpr std::size_t kMinorVersionAt = 24, kMajorVersionAt = 26, kByteOrderAt = 28, kSectorShiftAt = 30,
                      kMiniSectorShiftAt = 32, kFatCountAt = 44, kDirectoryStartAt = 48, kMiniCutoffAt = 56,
                      kMiniFatStartAt = 60, kMiniFatCountAt = 64, kDifatStartAt = 68, kHeaderFatAt = 76;
// Directory entry field offsets.
constexpr std::size_t kNameLengthAt = 64, kTypeAt = 66, kLeftAt = 68, kRightAt = 72, kChildAt = 76,
                      kClsidAt = 80, kStartAt = 116, kSizeAt = 120;

std::vector<std::u16string> splitPath(const std::string& path) {
    std::vector<std::u16string> names;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = std::min(path.find('/', begin), path.size());
        names.push_back(utf8ToUtf16(path.substr(begin, end - begin)));
        if (end == path.size()) return names;
        begin = end + 1;
    }
}

char16_t asciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

// Sibling order: shorter names first, then by upper-cased code units.
bool siblingLess(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return asciiUpper(a[i]) < asciiUpper(b[i]);
    }
    return false;
}

bool sameName(const std::u16string& a, const std::u16string& b) {
    return !siblingLess(a, b) && !siblingLess(b, a);
}

void checkName(const std::u16string& name) {
    const bool validLength = !name.empty() && name.size() <= kMaxNameLength;
    const bool validCharacters = std::all_of(name.begin(), name.end(), [](char16_t c) {
        return c >= 0x20 && c < 0x7F && c != u'\\' && c != u':' && c != u'!';
    });
    if (!validLength || !validCharacters) throw std::invalid_argument("invalid compound file entry name");
}

// Appends data as a chain of unit-sized pieces, recording the links in table.
std::uint32_t appendChain(Bytes& area, std::vector<std::uint32_t>& table, const Bytes& data, std::size_t unit) {
    if (data.empty()) return kEndOfChain;
    const auto first = static_cast<std::uint32_t>(table.size());
    const std::size_t count = (data.size() + unit - 1) / unit;
    for (std::size_t k = 1; k < count; ++k) table.push_back(static_cast<std::uint32_t>(first + k));
    table.push_back(kEndOfChain);
    area.insert(area.end(), data.begin(), data.end());
    area.resize(table.size() * unit);
    return first;
}

// The table as whole sectors, unused slots marked free.
Bytes tableSectors(const std::vector<std::uint32_t>& table) {
    Bytes out;
    for (std::uint32_t link : table) append32(out, link);
    while (out.size() % kSectorSize != 0) append32(out, kFreeSector);
    return out;
}

// Links the sorted siblings [lo, hi) into a balanced tree and returns its top.
std::uint32_t linkSiblings(const std::vector<std::size_t>& sorted, std::size_t lo, std::size_t hi,
                           std::vector<std::uint32_t>& left, std::vector<std::uint32_t>& right) {
    if (lo == hi) return kNoStream;
    const std::size_t mid = lo + (hi - lo) / 2;
    left[sorted[mid]] = linkSiblings(sorted, lo, mid, left, right);
    right[sorted[mid]] = linkSiblings(sorted, mid + 1, hi, left, right);
    return static_cast<std::uint32_t>(sorted[mid]);
}

}  // namespace

CompoundFileWriter::CompoundFileWriter() : entries_{Entry{u"Root Entry", kRoot, {}, {}}} {}

void CompoundFileWriter::setRootClsid(const Clsid& clsid) { rootClsid_ = clsid; }

void CompoundFileWriter::addStorage(const std::string& path) { storageAt(splitPath(path)); }

void CompoundFileWriter::addStream(const std::string& path, Bytes data) {
    std::vector<std::u16string> names = splitPath(path);
    const std::u16string name = names.back();
    names.pop_back();
    const std::size_t parent = storageAt(names);
    if (childNamed(parent, name) != entries_.size()) throw std::invalid_argument("duplicate stream: " + path);
    addChild(parent, Entry{name, kStream, std::move(data), {}});
}

std::size_t CompoundFileWriter::storageAt(const std::vector<std::u16string>& names) {
    std::size_t current = 0;
    for (const std::u16string& name : names) {
        std::size_t next = childNamed(current, name);
        if (next == entries_.size()) next = addChild(current, Entry{name, kStorage, {}, {}});
        if (entries_[next].type != kStorage) throw std::invalid_argument("a stream is in the way of a storage");
        current = next;
    }
    return current;
}

std::size_t CompoundFileWriter::childNamed(std::size_t parent, const std::u16string& name) const {
    for (std::size_t child : entries_[parent].children) {
        if (sameName(entries_[child].name, name)) return child;
    }
    return entries_.size();
}

std::size_t CompoundFileWriter::addChild(std::size_t parent, Entry entry) {
    checkName(entry.name);
    entries_.push_back(std::move(entry));
    entries_[parent].children.push_back(entries_.size() - 1);
    return entries_.size() - 1;
}

Bytes CompoundFileWriter::serialize() const {
    const std::size_t count = entries_.size();
    std::vector<std::uint32_t> left(count, kNoStream), right(count, kNoStream), child(count, kNoStream);
    std::vector<std::uint32_t> start(count, 0);
    std::vector<std::uint64_t> size(count, 0);
    Bytes body, miniStream;
    std::vector<std::uint32_t> fat, miniFat;

    for (std::size_t i = 0; i < count; ++i) {
        const Entry& entry = entries_[i];
        std::vector<std::size_t> sorted = entry.children;
        std::sort(sorted.begin(), sorted.end(),
                  [&](std::size_t a, std::size_t b) { return siblingLess(entries_[a].name, entries_[b].name); });
        child[i] = linkSiblings(sorted, 0, sorted.size(), left, right);
        if (entry.type != kStream) continue;
        size[i] = entry.data.size();
        start[i] = entry.data.size() < kMiniStreamCutoff
                       ? appendChain(miniStream, miniFat, entry.data, kMiniSectorSize)
                       : appendChain(body, fat, entry.data, kSectorSize);
    }
    start[0] = appendChain(body, fat, miniStream, kSectorSize);
    size[0] = miniStream.size();
    const Bytes miniFatBytes = tableSectors(miniFat);
    const std::uint32_t miniFatStart = appendChain(body, fat, miniFatBytes, kSectorSize);

    const std::size_t entriesPerSector = kSectorSize / kEntrySize;
    Bytes directory(((count + entriesPerSector - 1) / entriesPerSector) * kSectorSize, 0);
    for (std::size_t i = 0; i < directory.size() / kEntrySize; ++i) {
        const std::size_t at = i * kEntrySize;
        put32(directory, at + kLeftAt, i < count ? left[i] : kNoStream);
        put32(directory, at + kRightAt, i < count ? right[i] : kNoStream);
        put32(directory, at + kChildAt, i < count ? child[i] : kNoStream);
        if (i >= count) continue;
        const std::u16string& name = entries_[i].name;
        for (std::size_t k = 0; k < name.size(); ++k) put16(directory, at + 2 * k, name[k]);
        put16(directory, at + kNameLengthAt, static_cast<std::uint16_t>((name.size() + 1) * 2));
        directory[at + kTypeAt] = entries_[i].type;
        directory[at + kTypeAt + 1] = kBlack;
        put32(directory, at + kStartAt, start[i]);
        put64(directory, at + kSizeAt, size[i]);
    }
    std::copy(rootClsid_.begin(), rootClsid_.end(), directory.begin() + kClsidAt);
    const std::uint32_t directoryStart = appendChain(body, fat, directory, kSectorSize);

    // The FAT also maps its own sectors: n sectors hold 128n links, n of them their own.
    const std::size_t linksPerSector = kSectorSize / 4;
    const std::size_t fatCount = (fat.size() + linksPerSector - 2) / (linksPerSector - 1);
    if (fatCount > kHeaderFatSlots) throw std::length_error("compound file too large");
    const auto firstFatSector = static_cast<std::uint32_t>(fat.size());
    fat.insert(fat.end(), fatCount, kFatSector);
    const Bytes fatBytes = tableSectors(fat);
    body.insert(body.end(), fatBytes.begin(), fatBytes.end());

    Bytes header(kHeaderSize, 0);
    std::copy(std::begin(kSignature), std::end(kSignature), header.begin());
    put16(header, kMinorVersionAt, 0x003E);
    put16(header, kMajorVersionAt, 3);
    put16(header, kByteOrderAt, 0xFFFE);
    put16(header, kSectorShiftAt, 9);
    put16(header, kMiniSectorShiftAt, 6);
    put32(header, kFatCountAt, static_cast<std::uint32_t>(fatCount));
    put32(header, kDirectoryStartAt, directoryStart);
    put32(header, kMiniCutoffAt, kMiniStreamCutoff);
    put32(header, kMiniFatStartAt, miniFatStart);
    put32(header, kMiniFatCountAt, static_cast<std::uint32_t>(miniFatBytes.size() / kSectorSize));
    put32(header, kDifatStartAt, kEndOfChain);
    for (std::size_t k = 0; k < kHeaderFatSlots; ++k) {
        put32(header, kHeaderFatAt + 4 * k,
              k < fatCount ? static_cast<std::uint32_t>(firstFatSector + k) : kFreeSector);
    }
    header.insert(header.end(), body.begin(), body.end());
    return header;
}

CompoundFileReader::CompoundFileReader(Bytes file) : file_(std::move(file)) {
    if (file_.size() < kHeaderSize || !std::equal(std::begin(kSignature), std::end(kSignature), file_.begin())) {
        throw FormatError("not a compound file");
    }
    if (get16(file_, kMajorVersionAt) != 3 || get16(file_, kSectorShiftAt) != 9) {
        throw FormatError("unsupported compound file version");
    }
    if (get16(file_, kByteOrderAt) != 0xFFFE || get16(file_, kMiniSectorShiftAt) != 6 ||
        get32(file_, kMiniCutoffAt) != kMiniStreamCutoff) {
        throw FormatError("bad compound file header");
    }
    sectorCount_ = (file_.size() - 1) / kSectorSize;
    loadFat();
    loadDirectory();
}

// Only the header's list of FAT sectors is read, which covers files of about 7 MB.
void CompoundFileReader::loadFat() {
    const std::uint32_t fatCount = get32(file_, kFatCountAt);
    if (fatCount > sectorCount_) throw FormatError("bad FAT sector count");
    if (fatCount > kHeaderFatSlots) throw FormatError("compound file too large");
    for (std::size_t k = 0; k < fatCount; ++k) {
        const std::size_t at = sectorOffset(get32(file_, kHeaderFatAt + 4 * k));
        for (std::size_t link = 0; link < kSectorSize / 4; ++link) fat_.push_back(get32(file_, at + 4 * link));
    }
}

void CompoundFileReader::loadDirectory() {
    const Bytes directory = wholeChain(get32(file_, kDirectoryStartAt));
    const std::size_t count = directory.size() / kEntrySize;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = i * kEntrySize;
        Entry entry{};
        entry.type = directory[at + kTypeAt];
        entry.left = get32(directory, at + kLeftAt);
        entry.right = get32(directory, at + kRightAt);
        entry.child = get32(directory, at + kChildAt);
        for (std::uint32_t link : {entry.left, entry.right, entry.child}) {
            if (link != kNoStream && link >= count) throw FormatError("directory entry out of range");
        }
        const std::uint16_t nameBytes = get16(directory, at + kNameLengthAt);
        if (entry.type != kUnused && (nameBytes < 2 || nameBytes > 64 || nameBytes % 2 != 0)) {
            throw FormatError("bad directory entry name");
        }
        for (std::size_t k = 0; entry.type != kUnused && k + 1 < nameBytes / 2u; ++k) {
            entry.name += static_cast<char16_t>(get16(directory, at + 2 * k));
        }
        std::copy_n(directory.begin() + at + kClsidAt, entry.clsid.size(), entry.clsid.begin());
        entry.start = get32(directory, at + kStartAt);
        // Old writers left garbage in the high half of the size.
        entry.size = get32(directory, at + kSizeAt);
        entries_.push_back(entry);
    }
    if (entries_.empty() || entries_.front().type != kRoot) throw FormatError("missing root directory entry");
    const Bytes miniFatBytes = wholeChain(get32(file_, kMiniFatStartAt));
    for (std::size_t at = 0; at + 4 <= miniFatBytes.size(); at += 4) miniFat_.push_back(get32(miniFatBytes, at));
    const Entry& root = entries_.front();
    if (root.size > 0) miniStream_ = gather(chain(fat_, root.start, sectorCount_), root.size, false);
}

std::size_t CompoundFileReader::sectorOffset(std::uint32_t sector) const {
    const std::size_t at = (std::size_t{sector} + 1) * kSectorSize;
    if (sector >= sectorCount_ || file_.size() - at < kSectorSize) throw FormatError("truncated file");
    return at;
}

std::vector<std::uint32_t> CompoundFileReader::chain(const std::vector<std::uint32_t>& table, std::uint32_t first,
                                                     std::size_t limit) const {
    std::vector<std::uint32_t> sectors;
    std::vector<bool> seen(std::min(table.size(), limit), false);
    for (std::uint32_t sector = first; sector != kEndOfChain; sector = table[sector]) {
        if (sector >= seen.size()) throw FormatError("truncated sector chain");
        if (seen[sector]) throw FormatError("sector chain loop");
        seen[sector] = true;
        sectors.push_back(sector);
    }
    return sectors;
}

Bytes CompoundFileReader::gather(const std::vector<std::uint32_t>& sectors, std::size_t size, bool mini) const {
    const std::size_t unit = mini ? kMiniSectorSize : kSectorSize;
    if (size > sectors.size() * unit) throw FormatError("truncated sector chain");
    const Bytes& area = mini ? miniStream_ : file_;
    Bytes out;
    out.reserve(size);
    for (std::uint32_t sector : sectors) {
        if (out.size() == size) break;
        const std::size_t length = std::min(unit, size - out.size());
        const std::size_t at = mini ? sector * unit : sectorOffset(sector);
        if (area.size() - at < length) throw FormatError("truncated file");
        out.insert(out.end(), area.begin() + at, area.begin() + at + length);
    }
    return out;
}

Bytes CompoundFileReader::wholeChain(std::uint32_t first) const {
    const std::vector<std::uint32_t> sectors = chain(fat_, first, sectorCount_);
    return gather(sectors, sectors.size() * kSectorSize, false);
}

Bytes CompoundFileReader::streamData(const Entry& entry) const {
    if (entry.size == 0) return {};
    if (entry.size >= kMiniStreamCutoff) return gather(chain(fat_, entry.start, sectorCount_), entry.size, false);
    const std::size_t miniSectors = (miniStream_.size() + kMiniSectorSize - 1) / kMiniSectorSize;
    return gather(chain(miniFat_, entry.start, miniSectors), entry.size, true);
}

Bytes CompoundFileReader::readStream(const std::string& path) const {
    std::uint32_t current = 0;
    for (const std::u16string& name : splitPath(path)) {
        current = childNamed(current, name);
        if (current == kNoStream) throw FormatError("missing stream: " + path);
    }
    if (entries_[current].type != kStream) throw FormatError("not a stream: " + path);
    return streamData(entries_[current]);
}

// Walks the whole sibling tree rather than trusting its order, so a missorted tree still reads.
std::uint32_t CompoundFileReader::childNamed(std::uint32_t parent, const std::u16string& name) const {
    const std::uint8_t type = entries_[parent].type;
    if (type != kStorage && type != kRoot) return kNoStream;
    std::vector<bool> seen(entries_.size(), false);
    std::vector<std::uint32_t> pending{entries_[parent].child};
    while (!pending.empty()) {
        const std::uint32_t id = pending.back();
        pending.pop_back();
        if (id == kNoStream) continue;
        if (seen[id]) throw FormatError("directory tree loop");
        seen[id] = true;
        const Entry& entry = entries_[id];
        if (entry.type != kUnused && sameName(entry.name, name)) return id;
        pending.push_back(entry.left);
        pending.push_back(entry.right);
    }
    return kNoStream;
}

}  // namespace msgfile
