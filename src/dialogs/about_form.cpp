#include "dialogs/about_form.h"

#include "host/version.h"
#include "log/error_label.h"
#include "outlook/shell_open_module.h"
#include "platform/platform.h"

namespace {

constexpr int32_t SW_SHOWNORMAL_COMMAND = 1;

std::unique_ptr<ui::Window> createWindow() {
    return ui::toolkit().createWindow({"AboutForm", "", 5730, 3555, ui::Border::FixedDialog});
}

ui::LinkLabel& addLink(ui::Window& window, const char* name, int top, int height, const std::string& text) {
    return window.addLinkLabel({name, {240, top, 3900, height}, 0}, text);
}

}  // namespace

AboutForm::AboutForm()
    : window_(createWindow()),
      lblTitle_(window_->addLabel({"lblTitle", {1320, 240, 4170, 480}, 0}, "")),
      lblVersion_(window_->addLabel({"lblVersion", {1320, 780, 4170, 225}, 0}, "")) {
    window_->addPicture({"picIcon", {240, 240, 960, 960}, 0}, BitmapId);
    window_->addLabel({"lblDescription", {1320, 1080, 4170, 450}, 0},
                      "This Outlook Addin simplifies appointment booking in Outlook - inviting people and "
                      "handling resources.");
    window_->addSeparator({"Line1", {120, 1620, 5490, 30}, 0});
    window_->addLabel({"lblDisclaimer", {240, 1740, 5250, 450}, 0},
                      "This program is provided as is, without warranty of any kind.");
    // The links on the left, the manual's on two lines; the buttons in a column of their own.
    addLink(*window_, "LabelManual", 2280, 450, "Click here to open the User manual (need PDF Reader)").onClick =
        [this] { LabelManual_Click(); };
    addLink(*window_, "LabelEmail", 2790, 225, SupportAddress).onClick = [this] { LabelEmail_Click(); };
    addLink(*window_, "LabelWeb", 3090, 225, WebAddress).onClick = [this] { LabelWeb_Click(); };
    ui::Button& ok = window_->addButton({"cmdOK", {4320, 2280, 1260, 375}, 1}, "OK", true, true);
    ui::Button& sysInfo = window_->addButton({"cmdSysInfo", {4320, 2790, 1260, 375}, 2}, "&System Info...");
    ok.onClick = [this] { cmdOK_Click(); };
    sysInfo.onClick = [this] { cmdSysInfo_Click(); };
    window_->onCloseRequest = [this] { cmdOK_Click(); };
    Form_Load();
}

void AboutForm::Form_Load() {
    window_->setCaption(std::string("About ") + AppTitle);
    lblVersion_.setText("Version " + std::to_string(version::Major) + "." + std::to_string(version::Minor) + "." +
                        std::to_string(version::Revision));
    lblTitle_.setText(AppTitle);
}

void AboutForm::cmdOK_Click() { AboutFormInstance::Unload(); }

void AboutForm::LabelManual_Click() {
    ErrorLabel("LabelWeb_Click:").step([] {
        ShellOpen(platform::services().libraryFolder() + "\\Quorvel User Manual.pdf", SW_SHOWNORMAL_COMMAND);
    });
}

void AboutForm::LabelEmail_Click() {
    ErrorLabel("LabelWeb_Click:").step([] { ShellOpen(std::string("mailto:") + SupportAddress, SW_SHOWNORMAL_COMMAND); });
}

void AboutForm::LabelWeb_Click() {
    ErrorLabel("LabelWeb_Click:").step([] { ShellOpen(WebAddress, SW_SHOWNORMAL_COMMAND); });
}

void AboutForm::StartSysInfo() {
    constexpr uint32_t HKLM = platform::HKEY_LOCAL_MACHINE_ROOT;
    std::string path;
    if (!GetKeyValue(HKLM, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) {
        std::string folder;
        bool found = GetKeyValue(HKLM, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder) &&
                     platform::services().fileExists(folder + "\\MSINFO32.EXE");
        path = found ? folder + "\\MSINFO32.EXE" : "";
    }
    if (path.empty() || !platform::services().startProcess(path))
        platform::services().messageBox("System Information Is Unavailable At This Time", AppTitle,
                                        platform::MessageBoxButtons::Ok);
}
