#include "outlook_template.h"

#include "file_io.h"
#include "template_layout.h"
#include "utf16.h"

namespace msgfile {
namespace {

using namespace layout;

std::string fromUtf16le(const Bytes& bytes) {
    if (bytes.size() % 2 != 0) throw FormatError("string stream of odd length");
    std::u16string units;
    for (std::size_t at = 0; at < bytes.size(); at += 2) units += static_cast<char16_t>(get16(bytes, at));
    // Some writers store the terminating NUL as well.
    while (!units.empty() && units.back() == u'\0') units.pop_back();
    return utf16ToUtf8(units);
}

Template parseTemplate(const CompoundStorageReader& file) {
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

Template readTemplate(const std::string& path) {
    std::optional<Bytes> bytes = readFile(path, kMaxTemplateSize);
    if (!bytes) throw FormatError("cannot open template file: " + path);
    try {
        return parseTemplate(CompoundStorageReader(*bytes));
    } catch (const FormatError& error) {
        throw FormatError(std::string(error.what()) + ": " + path);
    }
}

}  // namespace msgfile
