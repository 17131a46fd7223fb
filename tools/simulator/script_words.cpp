#include "script_words.h"

#include <climits>

namespace {

std::string Joined(const Words& words, size_t count) {
    std::string text;
    for (size_t index = 0; index < count && index < words.size(); ++index) text += (index ? " " : "") + words[index];
    return text;
}

}  // namespace

void CheckForm(const Words& words, size_t least, size_t most, const std::string& form, const char* missing) {
    if (words.size() < least)
        throw LineError("`" + Joined(words, words.size()) + "` needs " + missing + ": " + form);
    if (words.size() > most)
        throw LineError("too many words after `" + Joined(words, most) + "`: " + form);
}

int Number(const std::string& word) {
    bool negative = !word.empty() && word[0] == '-';
    size_t at = negative || (!word.empty() && word[0] == '+') ? 1 : 0;
    long long value = 0;
    if (at == word.size()) throw LineError("not a number: " + word);
    for (; at < word.size(); ++at) {
        if (word[at] < '0' || word[at] > '9') throw LineError("not a number: " + word);
        value = value * 10 + (word[at] - '0');
        if (value > INT_MAX) throw LineError("too large a number: " + word);
    }
    return static_cast<int>(negative ? -value : value);
}

const std::string& OneOf(const std::string& word, std::initializer_list<const char*> choices, const std::string& form) {
    for (const char* choice : choices)
        if (word == choice) return word;
    throw LineError("\"" + word + "\" is not one of the choices: " + form);
}

sim::FolderKind FolderNamed(const std::string& name) {
    if (name == "calendar") return sim::FolderKind::Calendar;
    if (name == "inbox") return sim::FolderKind::Inbox;
    if (name == "deleted") return sim::FolderKind::DeletedItems;
    if (name == "sent") return sim::FolderKind::SentItems;
    throw LineError("unknown folder: " + name + " (calendar, inbox, deleted, sent)");
}

int16_t RecipientType(const std::string& name) {
    if (name == "required") return 1;
    if (name == "optional") return 2;
    if (name == "resource") return 3;
    throw LineError("unknown recipient type: " + name + " (required, optional, resource)");
}

int WindowNumber(const std::string& word, int count, const std::string& kind) {
    int index = Number(word);
    if (count == 0) throw LineError("no " + kind + " is open");
    std::string open = count == 1 ? "1 " + kind + " is open" : std::to_string(count) + " " + kind + "s are open";
    if (index < 1 || index > count) throw LineError("no " + kind + " " + word + ": " + open);
    return index;
}
