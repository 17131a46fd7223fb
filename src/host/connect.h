#pragma once

#include <string>

#include "automation/object.h"

// The add-in object Outlook creates: the connection events and the ribbon. The COM class on
// Windows and the simulator both drive this one.
class Connect {
public:
    static constexpr const char* Title = "Quorvel Addin";
    static constexpr unsigned RibbonXmlStringId = 101;

    Connect() = default;
    Connect(const Connect&) = delete;
    Connect& operator=(const Connect&) = delete;
    // Termination of the object.
    ~Connect();

    // How Office loads the add-in: ext_ConnectMode's values.
    enum class ConnectMode { AfterStartup = 0, Startup = 1, External = 2, CommandLine = 3, Solution = 4, UISetup = 5 };

    // `Application` must already be Outlook's Application interface. Loaded after Outlook's start
    // (the COM Add-ins dialog, a management tool), the add-in hears no OnStartupComplete: the
    // connection does its work.
    void OnConnection(const automation::Object& Application, ConnectMode Mode);
    void OnStartupComplete();
    void OnBeginShutdown();
    void OnDisconnection();
    void OnAddInsUpdate() {}

    std::string IRibbonExtensibility_GetCustomUI(const std::string& RibbonID);
    void OnLoad(const automation::Object& ribbonUI);
    void OnInviteButton(const automation::Object& Control);
    void OnOrderButton(const automation::Object& Control);

private:
    std::string GetRibbonXml();

    std::string RibbonXml;
};
