#include "host/globals.h"

#include "automation/error.h"
#include "dialogs/about_form.h"
#include "dialogs/info_form.h"
#include "dialogs/order_form.h"
#include "directory/people_resources_form.h"
#include "directory/settings_item.h"
#include "directory/temporary_draft.h"
#include "explorer/explorer.h"
#include "log/main_form.h"
#include "session/addin.h"
#include "session/object_store.h"

std::shared_ptr<cAddin>& gAddin = *new std::shared_ptr<cAddin>;
std::shared_ptr<cObjectStore>& gObjectStore = *new std::shared_ptr<cObjectStore>;
std::string OrganizerName;

cAddin& Addin() {
    if (!gAddin) throw automation::errors::objectNotSet();
    return *gAddin;
}

cObjectStore& ObjectStore() {
    if (!gObjectStore) throw automation::errors::objectNotSet();
    return *gObjectStore;
}

void GlobalInit(const automation::Object& app, const std::string& title) {
    gAddin = std::make_shared<cAddin>();
    gObjectStore = std::make_shared<cObjectStore>();
    ResetGroupScheduleState();
    gAddin->Init(app, title);
    GlobalInitSettings();
    DeleteLeftoverDraftsAtConnection();
}

void GlobalStartupComplete() { Addin().Startup(); }

void GlobalShutdown() {
    if (gObjectStore) {
        gObjectStore->DeleteAll();
        gObjectStore.reset();
    }
    if (!gAddin) return;
    MainFormInstance::Unload();
    AboutFormInstance::Unload();
    InfoFormInstance::Unload();
    OrderFormInstance::Unload();
    PeopleResourcesFormInstance::Unload();
    gAddin->Destruct();
    gAddin.reset();
}
