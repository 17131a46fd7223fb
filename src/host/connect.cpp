#include "host/connect.h"

#include "automation/error.h"
#include "automation/withheld_calls.h"
#include "dialogs/order_form.h"
#include "directory/people_resources_form.h"
#include "host/globals.h"
#include "platform/platform.h"
#include "session/addin.h"

Connect::~Connect() {
    if (!gAddin) return;
    // Released with no shut-down notification first: Outlook may be tearing itself down after a
    // fast shut-down, so the session lets go of its references without calling in.
    automation::WithheldCalls outlookGone;
    // Nothing may leave a destructor, and a failing shut-down here has no one left to report to.
    try {
        GlobalShutdown();
    } catch (...) {
    }
}

void Connect::OnConnection(const automation::Object& Application, ConnectMode Mode) {
    GlobalInit(Application, Title);
    if (Mode == ConnectMode::AfterStartup) GlobalStartupComplete();
}

void Connect::OnStartupComplete() { GlobalStartupComplete(); }

void Connect::OnBeginShutdown() { GlobalShutdown(); }

void Connect::OnDisconnection() { GlobalShutdown(); }

std::string Connect::IRibbonExtensibility_GetCustomUI(const std::string& RibbonID) {
    if (RibbonID == "Microsoft.Outlook.Appointment") return GetRibbonXml();
    return "";
}

std::string Connect::GetRibbonXml() {
    if (RibbonXml.empty()) {
        std::optional<std::string> loaded = platform::services().loadString(RibbonXmlStringId);
        if (loaded) RibbonXml = *loaded;
    }
    return RibbonXml;
}

void Connect::OnLoad(const automation::Object&) {}

void Connect::OnInviteButton(const automation::Object&) {
    PeopleResourcesForm& form = PeopleResourcesFormInstance::Get();
    automation::Object inspector = Addin().OutlookInstance().get("ActiveInspector").toObject();
    automation::Object appointment =
        inspector.get("CurrentItem").toObject().as(automation::Interface::OutlookAppointmentItem);
    form.ShowForm(appointment);
}

void Connect::OnOrderButton(const automation::Object&) { OrderFormInstance::Get().Show(); }
