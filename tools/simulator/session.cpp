#include "session.h"

#include <optional>
#include <stdexcept>

#include "automation/error.h"
#include "dialogs/about_form.h"
#include "dialogs/info_form.h"
#include "dialogs/order_form.h"
#include "directory/people_resources_form.h"
#include "log/main_form.h"

Session::Session(AddinFactory addinFactory, std::unique_ptr<WindowDriver> windows, TemplateSwitch templateSwitch)
    : addinFactory_(std::move(addinFactory)),
      windows_(std::move(windows)),
      templateSwitch_(std::move(templateSwitch)),
      native_(false) {
    outlook_.makeCurrent();
}

Session::~Session() {
    // After a fast shut-down the process would end here: freeing the add-in stands for that and is
    // not one of its calls into Outlook.
    sim::OwnCallScope processEnd = outlook_.asSimulator(ended());
    addin_.reset();
    if (!native_) return;
    // The forms outlive a shut-down (the log window reopens on the next line); they go with Outlook.
    MainFormInstance::Unload();
    AboutFormInstance::Unload();
    InfoFormInstance::Unload();
    OrderFormInstance::Unload();
    PeopleResourcesFormInstance::Unload();
    ui::setToolkit(nullptr);
}

void Session::connect(Connect::ConnectMode mode) { connect(outlook_.application(), mode); }

void Session::connect(const automation::Object& candidate, Connect::ConnectMode mode) {
    if (addin_) throw std::logic_error("the add-in is connected already");
    addin_ = addinFactory_();
    addin_->OnConnection(candidate, mode);
}

void Session::startupComplete() { addin().OnStartupComplete(); }

void Session::shutdown() {
    // Outlook goes on to the next notification and the release whatever the add-in answered.
    std::optional<automation::Error> failure;
    try {
        addin().OnBeginShutdown();
    } catch (const automation::Error& error) {
        failure = error;
    }
    try {
        addin().OnDisconnection(AddinHost::DisconnectMode::HostShutdown);
    } catch (const automation::Error& error) {
        if (!failure) failure = error;
    }
    addin_.reset();
    if (failure) throw *failure;
}

void Session::quitFast() {
    outlook_.fireQuit();
    outlook_.endWithoutNotice();
}

void Session::disconnect() {
    try {
        addin().OnDisconnection(AddinHost::DisconnectMode::UserClosed);
    } catch (const automation::Error&) {
        addin_.reset();
        throw;
    }
    addin_.reset();
}

void Session::release() { addin_.reset(); }

AddinHost& Session::addin() {
    if (!addin_) throw std::logic_error("the add-in is not connected");
    return *addin_;
}

void Session::setTemplatePresent(bool present) { templateSwitch_(present); }

std::vector<std::string> Session::logLines() {
    std::vector<std::string> lines;
    for (const WindowView& window : windows_->Windows()) {
        const ControlView* list = window.name == "MainForm" ? window.control("ErrorList") : nullptr;
        if (!list) continue;
        for (const auto& entry : list->entries) lines.push_back(entry.text);
    }
    return lines;
}
