#include "outlook_template.h"

#include "file_io.h"
#include "template_layout.h"
#include "utf16.h"

#include <stdexcept>

namespace msgfile {
namespace {

using namespace layout;

constexpr std::uint32_t kReadableWritable = 6;
constexpr std::uint32_t kMessageRead = 0x1;
constexpr std::uint32_t kMessageUnsent = 0x8;
// Tells readers that string properties are stored as UTF-16.
constexpr std::uint32_t kStoreUnicodeOk = 0x00040000;

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

    CompoundStorageWriter file;
    file.setRootClsid(kTemplateClsid);
    for (const char* stream : kNameIdStreams) file.addStream(std::string(kNameIdStorage) + "/" + stream, {});
    file.addStream(kPropertiesStream, properties);
    file.addStream(valueStreamName(kSubjectTag), subject);
    file.addStream(valueStreamName(kMessageClassTag), messageClass);
    writeFileAtomically(path, file.serialize());
}

}  // namespace msgfile
