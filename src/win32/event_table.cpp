#include "win32/event_table.h"

#include <stdexcept>

namespace win32 {
namespace {

using Arg = EventArgument;

const EventSetInfo applicationEvents{officeGuid(0x0006304E),
                                     {{0xF002, "ItemSend", {Arg::Object, Arg::Cancel}},
                                      {0xF003, "NewMail", {}},
                                      {0xF004, "Reminder", {Arg::Object}},
                                      {0xF006, "Startup", {}},
                                      {0xF007, "Quit", {}}}};
const EventSetInfo explorersEvents{officeGuid(0x00063078), {{0xF001, "NewExplorer", {Arg::Object}}}};
const EventSetInfo inspectorsEvents{officeGuid(0x00063079), {{0xF001, "NewInspector", {Arg::Object}}}};
const EventSetInfo explorerEvents{officeGuid(0x0006304F),
                                  {{0xF001, "Activate", {}},
                                   {0xF002, "FolderSwitch", {}},
                                   {0xF007, "SelectionChange", {}},
                                   {0xF008, "Close", {}}}};
const EventSetInfo inspectorEvents{officeGuid(0x0006307D), {{0xF001, "Activate", {}}, {0xF008, "Close", {}}}};
const EventSetInfo itemEvents{officeGuid(0x0006303A),
                              {{0xF004, "Close", {Arg::Cancel}}, {0xF005, "Send", {Arg::Cancel}}}};
const EventSetInfo commandBarButtonEvents{officeGuid(0x000C0351), {{1, "Click", {Arg::Object, Arg::Cancel}}}};

}  // namespace

const EventInfo* EventSetInfo::find(int32_t dispid) const {
    for (const EventInfo& event : events)
        if (event.dispid == dispid) return &event;
    return nullptr;
}

const EventSetInfo& eventSetInfo(automation::EventSet set) {
    switch (set) {
    case automation::EventSet::Application: return applicationEvents;
    case automation::EventSet::Explorers: return explorersEvents;
    case automation::EventSet::Inspectors: return inspectorsEvents;
    case automation::EventSet::Explorer: return explorerEvents;
    case automation::EventSet::Inspector: return inspectorEvents;
    case automation::EventSet::Item: return itemEvents;
    case automation::EventSet::CommandBarButton: return commandBarButtonEvents;
    }
    throw std::invalid_argument("unknown event set");
}

}  // namespace win32
