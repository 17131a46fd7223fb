#include "outlook_template.h"

#include "compound_file.h"
#include "file_io.h"
#include "utf16.h"

#include <cstdio>
#include <stdexcept>

namespace msgfile {
namespace {

// {0006F046-0000-0000-C000-000000000046}
constexpr Clsid kTemplateClsid = {0x46, 0xF0, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

constexpr std::uint32_t kSubjectTag = 0x0037001F;
constexpr std::uint32_t kMessageClassTag = 0x001A001F;
constexpr std::uint32_t kMessageFlagsTag = 0x0E070003;
constexpr std::uint32_t kStoreSupportMaskTag = 0x340D0003;

constexpr std::uint32_t kReadableWritable = 6;
constexpr std::uint32_t kMessageRead = 0x1;
constexpr std::uint32_t kMessageUnsent = 0x8;
// Tells readers that string properties are stored as UTF-16.
constexpr std::uint32_t kStoreUnicodeOk = 0x00040000;

constexpr std::size_t kPropertyHeaderSize = 32;
constexpr std::size_t kPropertyEntrySize = 16;
constexpr std::size_t kMaxTemplateSize = 64 * 1024 * 1024;

const char* const kPropertiesStream = "__properties_version1.0";
const char* const kNameIdStorage = "__nameid_version1.0";
const char* const kNameIdStreams[] = {"__substg1.0_00020102", "__substg1.0_00030102", "__substg1.0_00040102"};

std::string valueStreamName(std::uint32_t tag) {
    char name[24];
    std::snprintf(name, sizeof name, "__substg1.0_%08X", static_cast<unsigned>(tag));
    return name;
}

Bytes toUtf16le(const std::string& text) {
    const std::u16string units = utf8ToUtf16(text);
    if (units.find(u'\0') != std::u16string::npos) throw std::invalid_argument("text contains a NUL character");
    Bytes out;
    for (char16_t unit : units) {
        out.push_back(static_cast<std::uint8_t>(unit));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return out;
}

std::string fromUtf16le(const Bytes& bytes) {
    if (bytes.size() % 2 != 0) throw FormatError("string stream of odd length");
    std::u16string units;
    for (std::size_t at = 0; at < bytes.size(); at += 2) units += static_cast<char16_t>(get16(bytes, at));
    // Some writers store the terminating NUL as well.
    while (!units.empty() && units.back() == u'\0') units.pop_back();
    return utf16ToUtf8(units);
}

void appendEntry(Bytes& properties, std::uint32_t tag, std::uint32_t value) {
    append32(properties, tag);
    append32(properties, kReadableWritable);
    append32(properties, value);
    append32(properties, 0);
}

// A string's entry holds its byte count including the terminating NUL, which the stream omits.
void appendStringEntry(Bytes& properties, std::uint32_t tag, const Bytes& stream) {
    appendEntry(properties, tag, static_cast<std::uint32_t>(stream.size() + 2));
}

Template parseTemplate(const CompoundFileReader& file) {
    if (file.rootClsid() != kTemplateClsid) throw FormatError("not an Outlook template");
    const Bytes properties = file.readStream(kPropertiesStream);
    if (properties.size() < kPropertyHeaderSize || (properties.size() - kPropertyHeaderSize) % kPropertyEntrySize) {
        throw FormatError("malformed property stream");
    }
    Template message;
    message.subject = fromUtf16le(file.readStream(valueStreamName(kSubjectTag)));
    message.messageClass = fromUtf16le(file.readStream(valueStreamName(kMessageClassTag)));
    return message;
}

}  // namespace

void writeTemplate(const std::string& path, const Template& message) {
    if (message.messageClass.empty()) throw std::invalid_argument("message class must not be empty");
    const Bytes subject = toUtf16le(message.subject);
    const Bytes messageClass = toUtf16le(message.messageClass);

    // No recipients or attachments, so the header is all zero.
    Bytes properties(kPropertyHeaderSize, 0);
    appendStringEntry(properties, kSubjectTag, subject);
    appendStringEntry(properties, kMessageClassTag, messageClass);
    appendEntry(properties, kMessageFlagsTag, kMessageRead | kMessageUnsent);
    appendEntry(properties, kStoreSupportMaskTag, kStoreUnicodeOk);

    CompoundFileWriter file;
    file.setRootClsid(kTemplateClsid);
    file.addStorage(kNameIdStorage);
    for (const char* stream : kNameIdStreams) file.addStream(std::string(kNameIdStorage) + "/" + stream, {});
    file.addStream(kPropertiesStream, properties);
    file.addStream(valueStreamName(kSubjectTag), subject);
    file.addStream(valueStreamName(kMessageClassTag), messageClass);
    writeFileAtomically(path, file.serialize());
}

Template readTemplate(const std::string& path) {
    std::optional<Bytes> bytes = readFile(path, kMaxTemplateSize);
    if (!bytes) throw FormatError("cannot open template file: " + path);
    try {
        return parseTemplate(CompoundFileReader(std::move(*bytes)));
    } catch (const FormatError& error) {
        throw FormatError(std::string(error.what()) + ": " + path);
    }
}

}  // namespace msgfile
