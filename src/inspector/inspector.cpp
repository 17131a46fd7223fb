#include "inspector/inspector.h"

#include "dialogs/order_form.h"
#include "directory/people_resources_form.h"
#include "host/globals.h"
#include "log/log.h"
#include "outlook/toolbar.h"
#include "session/object_store.h"

using automation::EventArgs;
using automation::EventSet;
using automation::Object;

namespace {
const toolbar::ButtonSpec InviteSpec{"People && Resources", "Invite People and Book Resources", 362, true};
const toolbar::ButtonSpec OrderSpec{"Order Items", "Order Items for the Meeting", 855, true};
}  // namespace

std::shared_ptr<cInspector> cInspector::New() {
    auto wrapper = std::make_shared<cInspector>();
    ObjectStore().Add(wrapper);
    return wrapper;
}

cInspector::cInspector()
    : inspector_(*this, EventSet::Inspector,
                 {{"Activate", [](EventArgs&) { LogTrace("Inspector_Activate"); }},
                  {"Close", [this](EventArgs&) { Inspector_Close(); }}}),
      inviteButton_(*this, EventSet::CommandBarButton,
                    toolbar::OwnClick(inviteButton_, [this] { InviteButton_Click(); })),
      orderButton_(*this, EventSet::CommandBarButton,
                   toolbar::OwnClick(orderButton_, [this] { OrderButton_Click(); })) {}

cInspector::~cInspector() {
    // Clean-up must not leave the destructor; there is no one to report a failure to.
    try {
        DetachInspector();
    } catch (...) {
    }
}

void cInspector::Init(const Object& inspector) {
    inspector_.set(inspector);
    ObjectStore().Add(inspector);
    inviteButton_.clear();
    orderButton_.clear();
    inspectorBar_.clear();
    if (inspector.get("CurrentItem").toObject()) AddCommandBar();
}

void cInspector::AddCommandBar() {
    ErrorLabel on("cInspector:AddCommandBar:");
    toolbar::Ensure(on, inspector_.get(), inspectorBar_);
    toolbar::EnsureButton(on, inspectorBar_, inviteButton_, InviteSpec, ownerTag_);
    toolbar::EnsureButton(on, inspectorBar_, orderButton_, OrderSpec, ownerTag_);
}

void cInspector::RemoveCommandBar() {
    ErrorLabel on("cInspector:RemoveCommandBar:");
    toolbar::Remove(on, inspectorBar_);
    inviteButton_.clear();
    orderButton_.clear();
    inspectorBar_.clear();
}

void cInspector::DetachInspector() {
    if (gObjectStore) gObjectStore->Delete(inspector_.get());
    RemoveCommandBar();
    inviteButton_.clear();
    orderButton_.clear();
    inspectorBar_.clear();
    inspector_.clear();
    if (gObjectStore) gObjectStore->Delete(this);
}

void cInspector::Inspector_Close() {
    LogTrace("Inspector_Close");
    DetachInspector();
}

void cInspector::InviteButton_Click() {
    Object appointment =
        inspector_.get().get("CurrentItem").toObject().as(automation::Interface::OutlookAppointmentItem);
    PeopleResourcesFormInstance::Get().ShowForm(appointment);
}

void cInspector::OrderButton_Click() { OrderFormInstance::Get().Show(); }
