#include "win32/event_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

using automation::EventSet;
using win32::EventArgument;

const EventSet allSets[] = {EventSet::Application, EventSet::Explorers, EventSet::Inspectors,   EventSet::Explorer,
                            EventSet::Inspector,   EventSet::Item,      EventSet::CommandBarButton};

TEST(EventTable, EachSetHasItsOwnInterfaceAndDistinctDispids) {
    std::set<std::string> iids;
    for (EventSet set : allSets) {
        const win32::EventSetInfo& info = win32::eventSetInfo(set);
        iids.insert(std::string(reinterpret_cast<const char*>(&info.iid), sizeof info.iid));
        std::set<int32_t> dispids;
        for (const win32::EventInfo& event : info.events) EXPECT_TRUE(dispids.insert(event.dispid).second);
    }
    EXPECT_EQ(iids.size(), std::size(allSets));
}

TEST(EventTable, CancelIsAlwaysTheLastArgument) {
    for (EventSet set : allSets)
        for (const win32::EventInfo& event : win32::eventSetInfo(set).events)
            for (size_t i = 0; i + 1 < event.arguments.size(); ++i)
                EXPECT_NE(event.arguments[i], EventArgument::Cancel) << event.name;
}

TEST(EventTable, FindsEventsByDispidAndIgnoresOthers) {
    const win32::EventSetInfo& application = win32::eventSetInfo(EventSet::Application);
    const win32::EventInfo* itemSend = application.find(0xF002);
    ASSERT_NE(itemSend, nullptr);
    EXPECT_EQ(itemSend->name, "ItemSend");
    EXPECT_EQ(itemSend->arguments, (std::vector<EventArgument>{EventArgument::Object, EventArgument::Cancel}));
    EXPECT_EQ(application.find(0xF005), nullptr);  // an event the add-in does not handle
    EXPECT_EQ(win32::eventSetInfo(EventSet::Item).find(0xF004)->name, "Close");
    EXPECT_EQ(win32::eventSetInfo(EventSet::Explorer).find(0xF004), nullptr);
}

}  // namespace
