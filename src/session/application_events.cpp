#include "automation/value.h"
#include "log/log.h"
#include "session/addin.h"
#include "directory/settings_item.h"

void cAddin::OutlookInstance_Startup() { LogTrace("Addin OutlookInstance_Startup"); }

void cAddin::OutlookInstance_Quit() { LogTrace("Addin OutlookInstance_Quit"); }

// The send guard: the settings item must never leave the mailbox, whichever window sends it.
void cAddin::OutlookInstance_ItemSend(automation::EventArgs& args) {
    LogTrace("Addin: OutlookInstance_ItemSend");
    automation::Object item = args.at(0).toObject();
    if (!item) return;
    if (item.get("Subject").toString() != SettingsSubject) return;
    args.at(1) = true;
    LogTrace("Addin: Prohibited Quorvel Settings to be sent");
    OutlookAlert("Quorvel", "Settings cannot be sent. Please Close and Save to store the settings!");
}
