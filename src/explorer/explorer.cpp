#include "explorer/explorer.h"

#include "host/globals.h"
#include "log/error_label.h"
#include "log/log.h"
#include "outlook/toolbar.h"
#include "session/addin.h"
#include "session/object_store.h"

using automation::EventArgs;
using automation::EventBinding;
using automation::EventSet;
using automation::Object;

namespace {

const toolbar::ButtonSpec NewMeetingSpec{"New Meeting", "New meeting appointment", 3198, false};
const toolbar::ButtonSpec GroupScheduleSpec{"Group Schedule...", "Show Group Schedule list", 7002, false};
const toolbar::ButtonSpec InfoSpec{"Show Info", "Show Info about contact or resource", 2517, false};
const toolbar::ButtonSpec SettingsSpec{"Settings", "Quorvel Settings", 329, true};
const toolbar::ButtonSpec AboutSpec{"About Quorvel", "About Quorvel", 124, true};

}  // namespace

std::shared_ptr<cExplorer> cExplorer::New() {
    auto wrapper = std::make_shared<cExplorer>();
    ObjectStore().Add(wrapper);
    return wrapper;
}

cExplorer::cExplorer()
    : explorer_(*this, EventSet::Explorer,
                {{"Activate", [](EventArgs&) { LogTrace("Explorer Explorer_Activate"); }},
                 {"FolderSwitch",
                  [this](EventArgs&) {
                      LogTrace("Explorer Explorer_FolderSwitch");
                      OnFolderSwitch();
                  }},
                 {"SelectionChange",
                  [this](EventArgs&) {
                      LogTrace("Explorer Explorer_SelectionChange");
                      OnSelectionChange();
                  }},
                 {"Close", [this](EventArgs&) { Explorer_Close(); }}}),
      settingsItem_(*this, EventSet::Item,
                    {{"Close", [this](EventArgs&) { SettingsItem_Close(); }},
                     {"Send", [this](EventArgs& args) { SettingsItem_Send(args); }}}),
      newMeetingButton_(*this, EventSet::CommandBarButton,
                        toolbar::OwnClick(newMeetingButton_, [this] { NewMeetingButton_Click(); })),
      groupScheduleButton_(*this, EventSet::CommandBarButton,
                           toolbar::OwnClick(groupScheduleButton_, [this] { GroupScheduleButton_Click(); })),
      infoButton_(*this, EventSet::CommandBarButton,
                  toolbar::OwnClick(infoButton_, [this] { InfoButton_Click(); })),
      settingsButton_(*this, EventSet::CommandBarButton,
                      toolbar::OwnClick(settingsButton_, [this] { SettingsButton_Click(); })),
      aboutButton_(*this, EventSet::CommandBarButton,
                   toolbar::OwnClick(aboutButton_, [this] { AboutButton_Click(); })) {}

cExplorer::~cExplorer() {
    // Clean-up must not leave the destructor; there is no one to report a failure to.
    try {
        explorer_.clear();
        RemoveCommandBar();
        ReleaseObjects();
    } catch (...) {
    }
}

void cExplorer::Init(const Object& explorer) {
    explorer_.set(explorer);
    ReleaseObjects();
}

void cExplorer::AddCommandBar() {
    ErrorLabel on("cExplorer:AddCommandBar:");
    toolbar::Ensure(on, Explorer(), explorerBar_);
    toolbar::EnsureButton(on, explorerBar_, newMeetingButton_, NewMeetingSpec, ownerTag_);
    if (toolbar::EnsureButton(on, explorerBar_, groupScheduleButton_, GroupScheduleSpec, ownerTag_)) {
        if (on.test([] { return Addin().GetOutlookVersion() == 9; }))
            on.step([&] { groupScheduleButton_.get().put("Visible", false); });
    }
    toolbar::EnsureButton(on, explorerBar_, infoButton_, InfoSpec, ownerTag_);
    toolbar::EnsureButton(on, explorerBar_, settingsButton_, SettingsSpec, ownerTag_);
    toolbar::EnsureButton(on, explorerBar_, aboutButton_, AboutSpec, ownerTag_);
}

void cExplorer::RemoveCommandBar() {
    ErrorLabel on("cExplorer:RemoveCommandBar:");
    toolbar::Remove(on, explorerBar_);
    ReleaseToolbar();
}

void cExplorer::ReleaseToolbar() {
    newMeetingButton_.clear();
    groupScheduleButton_.clear();
    infoButton_.clear();
    settingsButton_.clear();
    aboutButton_.clear();
    explorerBar_.clear();
}

void cExplorer::ReleaseObjects() {
    settingsItem_.clear();
    ReleaseToolbar();
}

void cExplorer::DetachExplorer() {
    explorer_.clear();
    RemoveCommandBar();
    ReleaseObjects();
    ObjectStore().Delete(this);
}

void cExplorer::Explorer_Close() {
    LogTrace("Explorer Explorer_Close");
    DetachExplorer();
}
