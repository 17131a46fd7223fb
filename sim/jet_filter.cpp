#include "jet_filter.h"

#include "sim_object.h"
#include "text.h"

namespace sim {
namespace {

automation::Error unparsable(const std::string& filter) {
    return fail::failed("Cannot parse condition. Error at \"" + filter + "\".");
}

class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    void skipBlanks() {
        while (at_ < text_.size() && text_[at_] == ' ') ++at_;
    }
    bool atEnd() const { return at_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[at_]; }
    char next() { return atEnd() ? '\0' : text_[at_++]; }
    // The text up to `stop`, consumed with it; false when `stop` never comes.
    bool until(char stop, std::string& out) {
        size_t end = text_.find(stop, at_);
        if (end == std::string::npos) return false;
        out = text_.substr(at_, end - at_);
        at_ = end + 1;
        return true;
    }

private:
    const std::string& text_;
    size_t at_ = 0;
};

}  // namespace

std::string subjectOfFilter(const std::string& filter) {
    Reader reader(filter);
    reader.skipBlanks();
    std::string property;
    if (reader.next() != '[' || !reader.until(']', property)) throw unparsable(filter);
    if (!equalNoCase(trimmed(property), "Subject"))
        throw fail::failed("The simulated Outlook filters only on [Subject]: " + filter);
    reader.skipBlanks();
    if (reader.next() != '=') throw unparsable(filter);
    reader.skipBlanks();
    char quote = reader.next();
    if (quote != '\'' && quote != '"') throw unparsable(filter);
    std::string value;
    for (;;) {
        std::string piece;
        if (!reader.until(quote, piece)) throw unparsable(filter);
        value += piece;
        if (reader.peek() != quote) break;
        value += reader.next();
    }
    reader.skipBlanks();
    if (!reader.atEnd()) throw unparsable(filter);
    return value;
}

}  // namespace sim
