#include <gtest/gtest.h>

#include "automation/error.h"
#include "automation/object.h"
#include "item.h"
#include "outlook.h"

using automation::Date;
using automation::Error;
using automation::Object;

namespace {

constexpr double Day = 46401;  // Thursday 14 January 2027
constexpr double Hour = 1.0 / 24;

class SimAvailability : public ::testing::Test {
protected:
    SimAvailability() { ns = outlook.application().call("GetNamespace", {"MAPI"}).toObject(); }

    Object recipient(const std::string& name) { return ns.call("CreateRecipient", {name}).toObject(); }
    std::string slots(const std::string& name, double from, int32_t minutes, bool complete = true) {
        return recipient(name).call("FreeBusy", {Date{from}, minutes, complete}).toString();
    }

    sim::Outlook outlook;
    Object ns;
};

}  // namespace

TEST_F(SimAvailability, TheStringStartsAtMidnightAndShowsTheBusiestStateOfEachSlot) {
    outlook.freeBusy().spans["Anna"] = {{Day + 10 * Hour, Day + 11 * Hour, 1}, {Day + 10.5 * Hour, Day + 12 * Hour, 2}};
    const std::string fromMorning = slots("Anna", Day + 9.25 * Hour, 30);
    EXPECT_EQ(fromMorning, slots("Anna", Day, 30)) << "the time of Start does not move the string";
    ASSERT_EQ(fromMorning.size(), 30u * 48);
    EXPECT_EQ(fromMorning.substr(19, 6), "012220");
    EXPECT_EQ(slots("Anna", Day, 30, false).substr(19, 6), "011110");
    EXPECT_EQ(slots("Bo", Day, 60), std::string(30 * 24, '0')) << "a name with nothing set is free";
}

TEST_F(SimAvailability, LookUpsFailForNamesThatFailOrDoNotResolveAndUnderTheGuard) {
    outlook.freeBusy().failing.insert("Guest");
    outlook.markUnresolvable("Nobody");
    EXPECT_THROW(slots("Guest", Day, 30), Error);
    EXPECT_THROW(slots("Nobody", Day, 30), Error);
    EXPECT_THROW(slots("Anna", Day, 0), Error);
    Object anna = recipient("Anna");
    outlook.denyAccess(true);
    EXPECT_THROW(anna.call("FreeBusy", {Date{Day}, int32_t{30}, true}), Error);
}

TEST_F(SimAvailability, AWeeklySeriesAnswersItsOccurrencesAndRaisesForAnyOtherTime) {
    Object item = outlook.application().call("CreateItem", {int16_t{1}}).toObject();
    EXPECT_FALSE(item.get("IsRecurring").toBool());
    EXPECT_EQ(item.get("Start").toDate().serial, Day + 10 * Hour);
    EXPECT_EQ(item.get("End").toDate().serial, Day + 11 * Hour);
    sim::objectOf<sim::Item>(automation::Value(item))->setSeries({3});
    EXPECT_TRUE(item.get("IsRecurring").toBool());
    Object pattern = item.call("GetRecurrencePattern").toObject();
    Object third = pattern.call("GetOccurrence", {Date{Day + 14 + 10 * Hour}}).toObject();
    EXPECT_EQ(third.get("Start").toDate().serial, Day + 14 + 10 * Hour);
    EXPECT_EQ(third.get("End").toDate().serial, Day + 14 + 11 * Hour);
    EXPECT_THROW(pattern.call("GetOccurrence", {Date{Day + 21 + 10 * Hour}}), Error) << "past the count";
    EXPECT_THROW(pattern.call("GetOccurrence", {Date{Day + 7 + 11 * Hour}}), Error) << "another time of day";
    EXPECT_THROW(pattern.call("GetOccurrence", {Date{Day + 1 + 10 * Hour}}), Error) << "another day";
}
