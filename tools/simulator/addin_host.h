#pragma once

#include <memory>
#include <string>

#include "automation/object.h"
#include "host/connect.h"

// How Outlook reaches the add-in: its connection events and its ribbon callbacks. The native
// build calls the portable add-in object in this process; under Wine, Quorvel.dll is created
// through COM as Outlook creates it.
class AddinHost {
public:
    // Destroying the host is Outlook's last release of the add-in object.
    virtual ~AddinHost() = default;
    // Raises what the connection raised, as Outlook would see it fail.
    virtual void OnConnection(const automation::Object& application, Connect::ConnectMode mode) = 0;
    virtual void OnStartupComplete() = 0;
    virtual void OnBeginShutdown() = 0;
    // ext_DisconnectMode's values: Outlook ends, or the user unticks the add-in.
    enum class DisconnectMode { HostShutdown = 0, UserClosed = 1 };
    virtual void OnDisconnection(DisconnectMode mode) = 0;
    virtual std::string GetCustomUI(const std::string& ribbonId) = 0;
    // "OnLoad", "OnInviteButton" or "OnOrderButton", called by name as the ribbon calls them.
    virtual void RibbonCallback(const std::string& name) = 0;
};

// The portable add-in object, loaded in this process.
std::unique_ptr<AddinHost> MakeNativeAddin();
