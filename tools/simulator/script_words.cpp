#include "script_words.h"

#include <climits>
#include <cstdio>

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

double DateAndTime(const std::string& word) {
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    int hour = 0;
    int minute = 0;
    char end = 0;
    if (std::sscanf(word.c_str(), "%4d-%2u-%2u %2d:%2d%c", &year, &month, &day, &hour, &minute, &end) != 5 ||
        month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        throw LineError("not a date and time \"YYYY-MM-DD HH:MM\": " + word);
    // Days from 1 March of year 0, each 400-year era alike; OLE day 0 is 30 December 1899.
    const int shiftedYear = year - (month <= 2 ? 1 : 0);
    const int era = (shiftedYear >= 0 ? shiftedYear : shiftedYear - 399) / 400;
    const int yearOfEra = shiftedYear - era * 400;
    const int dayOfYear = static_cast<int>((153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1);
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const long long daysSince1970 = era * 146097LL + dayOfEra - 719468;
    return static_cast<double>(daysSince1970 + 25569) + (hour * 60 + minute) / (24.0 * 60);
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
