#include "session.h"

#include <stdexcept>

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

void Session::connect() { connect(outlook_.application()); }

void Session::connect(const automation::Object& candidate) {
    if (addin_) throw std::logic_error("the add-in is connected already");
    addin_ = addinFactory_();
    addin_->OnConnection(candidate);
}

void Session::startupComplete() { addin().OnStartupComplete(); }

void Session::shutdown() {
    addin().OnBeginShutdown();
    addin().OnDisconnection();
    addin_.reset();
}

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
        for (const auto& entry : list->entries) lines.push_back(entry.first);
    }
    return lines;
}
