#include <gtest/gtest.h>

#include "directory/availability_summary.h"
#include "directory/free_busy.h"

using ui::Availability;

namespace {

constexpr double Day = 46401;  // Thursday 14 January 2027
constexpr double Hour = 1.0 / 24;

// A day of free slots with `state` from `from` to `to` o'clock (quarter hours).
std::string DayWith(char state, double from, double to) {
    std::string slots(FreeBusyDays * 96, '0');
    for (int slot = static_cast<int>(from * 4); slot < static_cast<int>(to * 4); ++slot) slots[slot] = state;
    return slots;
}

MeetingTimes Meeting(double from, double to) { return {Day, false, {{Day + from * Hour, Day + to * Hour}}}; }

}  // namespace

TEST(FreeBusyTest, TheWorstSlotOfTheMeetingWinsAndSlotsJustOutsideDoNotCount) {
    EXPECT_EQ(ReadFreeBusy(DayWith('2', 10.5, 12), Meeting(10, 11)).state, Availability::Busy);
    EXPECT_EQ(ReadFreeBusy(DayWith('2', 9, 10), Meeting(10, 11)).state, Availability::Free);
    EXPECT_EQ(ReadFreeBusy(DayWith('2', 11, 12), Meeting(10, 11)).state, Availability::Free);
    EXPECT_EQ(ReadFreeBusy(DayWith('1', 10.75, 11), Meeting(10, 11)).state, Availability::Tentative);
    std::string mixed = DayWith('3', 10, 10.25);
    mixed[41] = '2';
    mixed[42] = '4';
    EXPECT_EQ(ReadFreeBusy(mixed, Meeting(10, 11)).state, Availability::OutOfOffice);
    EXPECT_EQ(ReadFreeBusy(DayWith('4', 0, 24), Meeting(10, 11)).state, Availability::WorkingElsewhere);
    EXPECT_EQ(ReadFreeBusy(DayWith('4', 10, 11).replace(41, 1, "1"), Meeting(10, 11)).state, Availability::Tentative);
}

TEST(FreeBusyTest, MeetingsOffTheQuarterHourTakeEverySlotTheyTouch) {
    EXPECT_EQ(ReadFreeBusy(DayWith('2', 10.75, 11), Meeting(10.2, 10.8)).state, Availability::Busy);
    EXPECT_EQ(ReadFreeBusy(DayWith('2', 10, 10.25), Meeting(10.2, 10.8)).state, Availability::Busy);
    // No length at all still takes the slot it starts in.
    EXPECT_EQ(ReadFreeBusy(DayWith('2', 10, 10.25), Meeting(10, 10)).state, Availability::Busy);
}

TEST(FreeBusyTest, WhatCannotBeReadIsNoInformation) {
    EXPECT_EQ(ReadFreeBusy("", Meeting(10, 11)).state, Availability::NoInformation);
    EXPECT_EQ(ReadFreeBusy(std::string(40, '0'), Meeting(10, 11)).state, Availability::NoInformation)
        << "the string ends before the meeting";
    EXPECT_EQ(ReadFreeBusy(DayWith('9', 10, 11), Meeting(10, 11)).state, Availability::NoInformation);
    EXPECT_EQ(ReadFreeBusy(DayWith('2', 10, 11), MeetingTimes{Day, false, {}}).state, Availability::NoInformation);
}

TEST(FreeBusyTest, ASeriesTakesItsWorstOccurrenceAndTheFirstDateOfIt) {
    MeetingTimes weekly{Day, true, {}};
    for (int week = 0; week < 6; ++week) weekly.occurrences.push_back({Day + 7 * week + 10 * Hour, Day + 7 * week + 11 * Hour});
    std::string slots(FreeBusyDays * 96, '0');
    slots[7 * 96 + 40] = '1';
    slots[14 * 96 + 41] = '2';
    slots[21 * 96 + 40] = '2';
    const FreeBusyReading reading = ReadFreeBusy(slots, weekly);
    EXPECT_EQ(reading.state, Availability::Busy);
    EXPECT_EQ(DayAndMonth(reading.firstStart), "28 Jan");
    // The occurrences past the window's 30 days are not known, and do not spoil the rest.
    slots[28 * 96 + 40] = '3';
    EXPECT_EQ(ReadFreeBusy(slots, weekly).state, Availability::OutOfOffice);
    slots.resize(28 * 96);
    EXPECT_EQ(ReadFreeBusy(slots, weekly).state, Availability::Busy);
}

TEST(AvailabilitySummaryTest, NamesWhoIsBusyTentativeOrUnknownInTheirOrder) {
    const FreeBusyReading busy{Availability::Busy, Day};
    const FreeBusyReading free{Availability::Free, Day};
    EXPECT_EQ(AvailabilitySummary({}, false, 0), "");
    EXPECT_EQ(AvailabilitySummary({{"Anna Berg", free}, {"Room 5", {Availability::WorkingElsewhere}}}, false, 0),
              "All chosen are free at this time");
    EXPECT_EQ(AvailabilitySummary({{"Anna Berg", busy}, {"Bo", free}, {"Room 4", busy}}, false, 0),
              "Busy at this time: Anna Berg, Room 4");
    EXPECT_EQ(AvailabilitySummary({{"Anna Berg", {Availability::OutOfOffice}}, {"Room 4", busy}}, false, 0),
              "Busy at this time: Room 4. Out of office at this time: Anna Berg");
    EXPECT_EQ(AvailabilitySummary({{"Bo", {Availability::Tentative}}, {"Guest Speaker", {}}}, false, 0),
              "Tentative at this time: Bo. No availability information: Guest Speaker");
    EXPECT_EQ(AvailabilitySummary({{"Anna Berg", busy}, {"Bo", {Availability::Unknown}}}, false, 0),
              "Checking availability\u2026");
}

TEST(AvailabilitySummaryTest, ASeriesIsToldByDateAndHiddenChoicesAreCounted) {
    const FreeBusyReading onThe28th{Availability::Busy, Day + 14 + 10.0 / 24};
    const FreeBusyReading onThe4th{Availability::OutOfOffice, Day + 21};
    EXPECT_EQ(AvailabilitySummary({{"Room 4", onThe28th}, {"Anna Berg", onThe4th}, {"Room 5", onThe28th}}, true, 0),
              "Busy on 28 Jan: Room 4, Room 5. Out of office on 4 Feb: Anna Berg");
    EXPECT_EQ(AvailabilitySummary({{"Anna Berg", {Availability::Free}}}, false, 1),
              "All chosen are free at this time. 1 chosen entry is hidden by Find");
    EXPECT_EQ(AvailabilitySummary({}, false, 3), "3 chosen entries are hidden by Find");
}

TEST(AvailabilitySummaryTest, DatesAcrossYearsAndLeapDays) {
    EXPECT_EQ(DayAndMonth(2), "1 Jan");          // 1900
    EXPECT_EQ(DayAndMonth(46401.99), "14 Jan");  // 2027, late in the day
    EXPECT_EQ(DayAndMonth(46812), "29 Feb");     // 2028
    EXPECT_EQ(DayAndMonth(46813), "1 Mar");
    EXPECT_EQ(DayAndMonth(46387), "31 Dec");     // 2026
}
