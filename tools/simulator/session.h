#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "addin_host.h"
#include "outlook.h"
#include "ui/headless/headless_toolkit.h"
#include "window_driver.h"

// An Outlook session in the simulated Outlook with the add-in loaded as Outlook loads it: the
// state every scenario, test and benchmark starts from.
class Session {
public:
    using AddinFactory = std::function<std::unique_ptr<AddinHost>()>;
    using TemplateSwitch = std::function<void(bool present)>;

    // The portable add-in in this process, with its windows in memory.
    Session();
    // The add-in loaded another way (Quorvel.dll through COM), its windows seen through `windows`,
    // the settings template beside it put there or taken away by `templateSwitch`.
    Session(AddinFactory addinFactory, std::unique_ptr<WindowDriver> windows, TemplateSwitch templateSwitch);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    // Shuts the add-in down if it is still connected.
    ~Session();

    sim::Outlook& outlook() { return outlook_; }
    WindowDriver& windows() { return *windows_; }
    // The in-memory windows of the native add-in.
    ui::headless::HeadlessToolkit& toolkit() { return toolkit_; }
    ui::headless::HeadlessWindow* window(const std::string& name) const { return toolkit_.find(name); }

    // Creates the add-in object and connects it to the application, as Outlook does; raises what
    // the connection raised.
    void connect(Connect::ConnectMode mode = Connect::ConnectMode::Startup);
    void connect(const automation::Object& candidate, Connect::ConnectMode mode = Connect::ConnectMode::Startup);
    void startupComplete();
    // Outlook's three shut-down notifications: OnBeginShutdown, OnDisconnection, termination.
    void shutdown();
    // The user unticks the add-in in the COM Add-ins dialog: OnDisconnection(ext_dm_UserClosed),
    // with no OnBeginShutdown before it, then the release.
    void disconnect();
    // Outlook 2010 and later by default: Quit, then the process ends with no shut-down
    // notification and no release of the add-in.
    void quitFast();
    // Outlook's last release of the add-in object with no shut-down notification before it, as
    // Outlook 2010 and later may give while they tear themselves down after a fast shut-down.
    void release();
    // Whether the session ended that way: nothing more can happen in it.
    bool ended() const { return outlook_.ended(); }
    bool connected() const { return addin_ != nullptr; }
    AddinHost& addin();

    // Whether the settings template lies beside the library.
    void setTemplatePresent(bool present);
    std::vector<std::string> logLines();

private:
    // Declared first: the add-in's objects are gone before the simulated Outlook goes.
    sim::Outlook outlook_;
    ui::headless::HeadlessToolkit toolkit_;
    AddinFactory addinFactory_;
    std::unique_ptr<WindowDriver> windows_;
    TemplateSwitch templateSwitch_;
    std::unique_ptr<AddinHost> addin_;
    bool native_;
};
