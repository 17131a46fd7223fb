#include "session.h"

#include <stdexcept>

#include "dialogs/about_form.h"
#include "dialogs/info_form.h"
#include "dialogs/order_form.h"
#include "directory/people_resources_form.h"
#include "log/main_form.h"
#include "string_table.h"

Session::Session() {
    outlook_.makeCurrent();
    ui::setToolkit(&toolkit_);
    for (const auto& [id, text] : StringTable()) outlook_.platform().setString(id, text);
    outlook_.platform().setLibraryFolder(QUORVEL_LIBRARY_FOLDER);
}

Session::~Session() {
    addin_.reset();
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
    automation::Object application = candidate.as(automation::Interface::OutlookApplication);
    addin_ = std::make_unique<Connect>();
    addin_->OnConnection(application);
}

void Session::startupComplete() { addin().OnStartupComplete(); }

void Session::shutdown() {
    addin().OnBeginShutdown();
    addin().OnDisconnection();
    addin_.reset();
}

Connect& Session::addin() {
    if (!addin_) throw std::logic_error("the add-in is not connected");
    return *addin_;
}

std::vector<std::string> Session::logLines() const {
    std::vector<std::string> lines;
    ui::headless::HeadlessWindow* log = toolkit_.find("MainForm");
    if (!log) return lines;
    ui::headless::HeadlessListBox* list = log->listBox("ErrorList");
    for (int index = 0; index < list->count(); ++index) lines.push_back(list->text(index));
    return lines;
}
