#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/connect.h"
#include "outlook.h"
#include "ui/headless/headless_toolkit.h"

// An Outlook session in the simulated Outlook with the add-in loaded as Outlook loads it: the
// state every scenario, test and benchmark starts from.
class Session {
public:
    Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    // Shuts the add-in down if it is still connected.
    ~Session();

    sim::Outlook& outlook() { return outlook_; }
    ui::headless::HeadlessToolkit& toolkit() { return toolkit_; }

    // Creates the add-in object and connects it to the application, as Outlook does; raises what
    // the connection raised. The candidate must convert to Outlook's Application.
    void connect();
    void connect(const automation::Object& candidate);
    void startupComplete();
    // Outlook's three shut-down notifications: OnBeginShutdown, OnDisconnection, termination.
    void shutdown();
    bool connected() const { return addin_ != nullptr; }
    Connect& addin();

    ui::headless::HeadlessWindow* window(const std::string& name) const { return toolkit_.find(name); }
    std::vector<std::string> logLines() const;

private:
    // Declared first: the add-in's objects are gone before the simulated Outlook goes.
    sim::Outlook outlook_;
    ui::headless::HeadlessToolkit toolkit_;
    std::unique_ptr<Connect> addin_;
};
