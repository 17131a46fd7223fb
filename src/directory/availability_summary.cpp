#include "directory/availability_summary.h"

#include <cmath>
#include <map>

using ui::Availability;

namespace {

const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The month and day of a day counted from 1 January 1970, in the proleptic Gregorian calendar:
// counted from 1 March of year 0, each 400-year era repeats.
void CivilDate(long long daysSince1970, int& month, int& day) {
    const long long days = daysSince1970 + 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}

// One sentence per group of names; a series' names are grouped by their first date.
void AddGroup(std::vector<std::string>& sentences, const std::string& word, const std::vector<ChosenAvailability>& group,
              bool recurring) {
    if (group.empty()) return;
    if (!recurring) {
        std::vector<std::string> names;
        for (const ChosenAvailability& chosen : group) names.push_back(chosen.name);
        sentences.push_back(word + " at this time: " + JoinNames(names));
        return;
    }
    std::map<long long, std::vector<std::string>> byDay;
    for (const ChosenAvailability& chosen : group)
        byDay[static_cast<long long>(std::floor(chosen.reading.firstStart))].push_back(chosen.name);
    for (const auto& [day, names] : byDay)
        sentences.push_back(word + " on " + DayAndMonth(static_cast<double>(day)) + ": " + JoinNames(names));
}

std::string HiddenText(int hidden) {
    if (hidden == 1) return "1 chosen entry is hidden by Find";
    return std::to_string(hidden) + " chosen entries are hidden by Find";
}

}  // namespace

std::string DayAndMonth(double date) {
    // OLE day 25569 is 1 January 1970.
    constexpr long long OleDay1970 = 25569;
    int month = 0;
    int day = 0;
    CivilDate(static_cast<long long>(std::floor(date)) - OleDay1970, month, day);
    return std::to_string(day) + " " + Months[month - 1];
}

std::string AvailabilitySummary(const std::vector<ChosenAvailability>& chosen, bool recurring, int hidden) {
    std::vector<ChosenAvailability> busy;
    std::vector<ChosenAvailability> away;
    std::vector<ChosenAvailability> tentative;
    std::vector<ChosenAvailability> unknown;
    bool checking = false;
    for (const ChosenAvailability& entry : chosen) {
        const Availability state = entry.reading.state;
        if (state == Availability::Unknown) checking = true;
        if (state == Availability::Busy) busy.push_back(entry);
        if (state == Availability::OutOfOffice) away.push_back(entry);
        if (state == Availability::Tentative) tentative.push_back(entry);
        if (state == Availability::NoInformation) unknown.push_back(entry);
    }
    std::vector<std::string> sentences;
    if (checking) {
        sentences.push_back("Checking availability\u2026");
    } else {
        AddGroup(sentences, "Busy", busy, recurring);
        AddGroup(sentences, "Out of office", away, recurring);
        AddGroup(sentences, "Tentative", tentative, recurring);
        std::vector<std::string> names;
        for (const ChosenAvailability& entry : unknown) names.push_back(entry.name);
        if (!names.empty()) sentences.push_back("No availability information: " + JoinNames(names));
        if (sentences.empty() && !chosen.empty()) sentences.push_back("All chosen are free at this time");
    }
    if (hidden > 0) sentences.push_back(HiddenText(hidden));
    std::string line;
    for (const std::string& sentence : sentences) line += (line.empty() ? "" : ". ") + sentence;
    return line;
}
