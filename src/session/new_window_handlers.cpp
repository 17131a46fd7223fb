#include "explorer/explorer.h"
#include "host/globals.h"
#include "inspector/inspector.h"
#include "log/log.h"
#include "outlook/outlook_constants.h"
#include "session/addin.h"
#include "session/object_store.h"
#include "directory/settings_item.h"

using automation::Object;

void cAddin::Explorers_NewExplorer(const Object& Explorer) {
    LogTrace("Addin NewExplorer");
    std::shared_ptr<cExplorer> wrapper = cExplorer::New();
    wrapper->Init(Explorer);
    wrapper->OnFolderSwitch();
    wrapper->OnSelectionChange();
}

void cAddin::Inspectors_NewInspector(const Object& Inspector) {
    LogTrace("Addin NewInspector");
    if (Inspector.get("CurrentItem").toObject().get("Class").toInt16() != outlook::olAppointment) return;
    if (Inspector.get("CurrentItem").toObject().get("Subject").toString() == SettingsSubject) return;
    if (ObjectStore().Exists(Inspector)) return;
    std::shared_ptr<cInspector> wrapper = cInspector::New();
    wrapper->Init(Inspector);
}
