#include "dialogs/about_form.h"
#include "dialogs/info_form.h"
#include "explorer/explorer.h"
#include "host/globals.h"
#include "outlook/outlook_constants.h"
#include "session/addin.h"

void cExplorer::NewMeetingButton_Click() {
    automation::Object item = Addin().OutlookInstance().call("CreateItem", {outlook::olAppointmentItem}).toObject();
    item.call("Display", {false});
}

void cExplorer::InfoButton_Click() { InfoFormInstance::Get().Show(); }

void cExplorer::AboutButton_Click() { AboutFormInstance::Get().Show(); }
