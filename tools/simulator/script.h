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

    // Runs one command line; answers false, after printing why, when it could not be run.
    bool Run(const std::string& line);
    // Runs every line; answers the number of lines that failed.
    int RunAll(std::istream& in, bool echo);

private:
    using Words = std::vector<std::string>;

    void Execute(const Words& words);
    void Outlook(const Words& words);
    void Addin(const Words& words);
    void Explorer(const Words& words);
    void Inspector(const Words& words);
    void Window(const Words& words);
    void Ribbon(const Words& words);
    void Show(const Words& words);
    void AddToCalendar(const Words& words);
    void ReportNewAlerts();

    Session& session_;
    std::ostream& out_;
    size_t alertsSeen_ = 0;
    size_t failuresSeen_ = 0;
    bool accessDenied_ = false;
};
