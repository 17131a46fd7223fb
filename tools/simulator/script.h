#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "session.h"

// Plays a session from commands, one a line, printing what a user would see.
class Script {
public:
    Script(Session& session, std::ostream& out) : session_(session), out_(out) {}

    // What a line that stopped on a fault of the simulator itself answers; no script can cause it.
    static constexpr const char* InternalFault = "the simulator failed inside (a fault of the simulator, not of the line)";

    // Runs one command line; answers false, after printing why, when it could not be run.
    bool Run(const std::string& line);
    // Runs every line; answers the number of lines that failed.
    int RunAll(std::istream& in, bool echo);

private:
    using Words = std::vector<std::string>;

    static bool IsBlank(const std::string& line);
    void Execute(const Words& words);
    void Outlook(const Words& words);
    void Quit(const Words& words);
    void Fail(const Words& words);
    void Addin(const Words& words);
    static bool StillRunsAfterEnd(const Words& words);
    void RequireAddin();
    void Explorer(const Words& words);
    void Inspector(const Words& words);
    void TypeRecipient(const automation::Object& inspector, int16_t type, const std::string& name);
    void Window(const Words& words);
    // Free/busy of the session's names, Outlook being idle, an appointment's time and series.
    void Availability(const Words& words);
    void Idle(const Words& words);
    void AppointmentTime(const automation::Object& inspector, const Words& words);
    void MakeWeekly(const automation::Object& inspector, const Words& words);
    void Ribbon(const Words& words);
    void Show(const Words& words);
    void ShowWindow(const std::string& name);
    void NewAppointment(const Words& words);
    void NewMail(const Words& words);
    void AddToCalendar(const Words& words);
    // Explorer or inspector N as Outlook lists them, or the line is refused.
    automation::Object ExplorerNumbered(const std::string& word);
    automation::Object InspectorNumbered(const std::string& word);
    // The item an inspector shows, or the line is refused.
    static automation::Object ItemOf(const automation::Object& inspector);
    void ReportNewAlerts();

    Session& session_;
    std::ostream& out_;
    size_t alertsSeen_ = 0;
    size_t failuresSeen_ = 0;
    bool accessDenied_ = false;
};
