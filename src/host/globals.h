#pragma once

#include <memory>
#include <string>

#include "automation/object.h"

class cAddin;
class cObjectStore;

// The process-wide state: one session and one window registry between connection and shut-down.
// Never destroyed with the process: Outlook 2010 and later end it without notifying the add-in,
// and a static destructor would then release Outlook objects that may be gone.
extern std::shared_ptr<cAddin>& gAddin;
extern std::shared_ptr<cObjectStore>& gObjectStore;
// The settings item's organizer, never listed by the People & Resources dialog.
extern std::string OrganizerName;

// The session and the registry, raising "Object variable not set" when there is none.
cAddin& Addin();
cObjectStore& ObjectStore();

void GlobalInit(const automation::Object& app, const std::string& title);
void GlobalStartupComplete();
void GlobalShutdown();
