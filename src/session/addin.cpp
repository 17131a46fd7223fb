#include "session/addin.h"

#include "automation/component_factory.h"
#include "automation/counted_loop.h"
#include "automation/error.h"
#include "explorer/explorer.h"
#include "log/error_label.h"
#include "log/log.h"
#include "log/main_form.h"
#include "outlook/outlook_constants.h"
#include "outlook/security_wrapper.h"
#include "platform/platform.h"

using automation::EventArgs;
using automation::EventSet;
using automation::Object;

cAddin::cAddin()
    : outlookInstance_(*this, EventSet::Application,
                       {{"Startup", [this](EventArgs&) { OutlookInstance_Startup(); }},
                        {"ItemSend", [this](EventArgs& args) { OutlookInstance_ItemSend(args); }},
                        {"NewMail", [](EventArgs&) {}},
                        {"Quit", [this](EventArgs&) { OutlookInstance_Quit(); }},
                        {"Reminder", [](EventArgs&) {}}}),
      explorers_(*this, EventSet::Explorers,
                 {{"NewExplorer", [this](EventArgs& args) { Explorers_NewExplorer(args.at(0).toObject()); }}}),
      inspectors_(*this, EventSet::Inspectors,
                  {{"NewInspector", [this](EventArgs& args) { Inspectors_NewInspector(args.at(0).toObject()); }}}) {}

void cAddin::Init(const Object& oApp, const std::string& sProgId) {
    title_ = sProgId;
    OutlookInstance(oApp);
    NameSpace(oApp.call("GetNamespace", {"MAPI"}).toObject());
    Explorers(oApp.get("Explorers").toObject());
    Inspectors(oApp.get("Inspectors").toObject());
}

void cAddin::Startup() {
    if (startedUp_) return;
    startedUp_ = true;
    LogTrace("Addin Startup");
    int16_t count = Explorers().get("Count").toInt16();
    automation::ForEachIndex(count, [this](int16_t index) {
        std::shared_ptr<cExplorer> wrapper = cExplorer::New();
        wrapper->Init(Explorers().call("Item", {index}).toObject());
        wrapper->OnFolderSwitch();
        wrapper->OnSelectionChange();
    });
}

void cAddin::Destruct() {
    if (!OutlookInstance()) return;
    Inspectors(Object());
    Explorers(Object());
    NameSpace(Object());
    OutlookInstance(Object());
}

int16_t cAddin::GetOutlookVersion() {
    if (!OutlookInstance()) return 0;
    std::string version = OutlookInstance().get("Version").toString();
    size_t dot = version.find('.');
    if (dot == std::string::npos) throw automation::errors::invalidProcedureCall();
    return automation::Value(version.substr(0, dot)).toInt16();
}

int16_t cAddin::OutlookAlert(const std::string& title, const std::string& text) {
    if (!OutlookInstance()) return 0;
    if (GetOutlookVersion() <= 9) {
        bool wasVisible = MainFormInstance::Get().Visible();
        MainFormInstance::Get().Show();
        auto answer = platform::services().messageBox(text, title, platform::MessageBoxButtons::OkCancel);
        int16_t result = answer == platform::MessageBoxAnswer::Ok ? -1 : 0;
        // Shut-down may have unloaded the form while the box was up: look it up again, and leave
        // an unloaded form unloaded.
        if (!wasVisible && MainFormInstance::IsLoaded()) MainFormInstance::Get().Hide();
        return result;
    }
    Object assistant = OutlookInstance().get("Assistant").toObject();
    return assistant
        .call("DoAlert", {title, text, outlook::msoAlertButtonOKCancel, outlook::msoAlertIconWarning,
                          outlook::msoAlertDefaultFirst, outlook::msoAlertCancelSecond, false})
        .toInt16();
}

int16_t cAddin::OutlookSecurityInfo() {
    return OutlookAlert("Outlook Security Info",
                        "Quorvel could not access data from Outlook. This is probably due to the fact that you "
                        "prevented access to Outlook just before. Please allow access as Quorvel will not work "
                        "correctly otherwise. Please refer to the documentation for info and possible ways to "
                        "work around this issue.");
}

std::string cAddin::GetCurrentUserName() {
    if (!userName_.empty()) return userName_;
    Object user;
    IgnoreErrors([&] { user = automation::CreateObject(security_wrapper::CurrentUserProgId); });
    if (!user) {
        IgnoreErrors([&] { userName_ = NameSpace().get("CurrentUser").toObject().get("Name").toString(); });
    } else {
        IgnoreErrors([&] { userName_ = user.get("Name").toString(); });
        IgnoreErrors([&] { user.call("Cleanup"); });
    }
    return userName_;
}

Object cAddin::GetItemFromID(const std::string& EID, const std::string& SID) {
    Object item;
    IgnoreErrors([&] { item = NameSpace().call("GetItemFromID", {EID, SID}).toObject(); });
    return item;
}
