#include <windows.h>
#include <objbase.h>

#include <fstream>
#include <iostream>
#include <string>

#include "benchmark.h"
#include "call_counter.h"
#include "com_addin.h"
#include "exit_trace.h"
#include "host_checks.h"
#include "message_box_answerer.h"
#include "script.h"
#include "security_wrapper_classes.h"
#include "session.h"
#include "settings_template_switch.h"
#include "unload_checks.h"
#include "win32_window_driver.h"

namespace {

// Plays the script with Quorvel.dll loaded through COM, then checks how it treated the host.
int play(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "outlook_host: cannot read " << path << "\n";
        return 2;
    }
    int failedLines = 0;
    bool checksPassed = false;
    {
        Session session(host::MakeComAddin, std::make_unique<host::Win32WindowDriver>(), host::settingsTemplateSwitch());
        host::SecurityWrapperClasses wrapperClasses(session.outlook());
        host::MessageBoxAnswerer alerts(session.outlook());
        Script script(session, std::cout);
        failedLines = script.RunAll(in, true);
        if (session.connected()) session.shutdown();
        checksPassed = host::checkAfterShutdown(session.outlook(), std::cout);
    }
    // The next session starts as installed, whatever this one's scenario took away.
    host::settingsTemplateSwitch()(true);
    std::cout.flush();
    if (failedLines) return 1;
    return checksPassed ? 0 : 3;
}

// Plays the script, then ends as Outlook 2010 and later end by default: the application's Quit,
// and no shut-down notification. Tearing itself down, Outlook may still give the add-in its last
// release before the process ends: that may only release, never call in.
int playThenExitFast(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "outlook_host: cannot read " << path << "\n";
        return 2;
    }
    // Never destroyed: the process ends with Outlook's objects still alive.
    auto* session = new Session(host::MakeComAddin, std::make_unique<host::Win32WindowDriver>(),
                                host::settingsTemplateSwitch());
    Script script(*session, std::cout);
    const int failedLines = script.RunAll(in, true);
    session->outlook().fireQuit();
    std::cout.flush();
    std::cerr.flush();
    host::beginExitTrace();
    session->release();
    ExitProcess(failedLines ? 1 : 0);
}

bool HasWindow(Session& session, const std::string& name) {
    for (const WindowView& window : session.windows().Windows())
        if (window.name == name) return true;
    return false;
}

// Plays a script that ends with the add-in unticked (addin disconnect), checks that nothing of
// the library stays, then ticks it again as the COM Add-ins dialog does while Outlook runs.
int playThenUnload(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "outlook_host: cannot read " << path << "\n";
        return 2;
    }
    bool passed = false;
    {
        Session session(host::MakeComAddin, std::make_unique<host::Win32WindowDriver>(), host::settingsTemplateSwitch());
        Script script(session, std::cout);
        const int failedLines = script.RunAll(in, true);
        passed = failedLines == 0 && !session.connected() && host::checkLibraryUnloaded(std::cout);
        host::forgetNameLookups();
        const bool reconnected = script.Run("addin connect after-startup") &&
                                 script.Run("explorer 1 click \"About Quorvel\"") && HasWindow(session, "AboutForm");
        std::cout << (reconnected ? "ok: " : "FAILED: ")
                  << "ticked again, the add-in loads anew and its toolbar opens the About window\n";
        passed = reconnected && passed;
        session.shutdown();
        passed = host::checkAfterShutdown(session.outlook(), std::cout) && passed;
    }
    std::cout.flush();
    return passed ? 0 : 1;
}

}  // namespace

// outlook_host SCRIPT: plays an Outlook session with the registered Quorvel.dll as quorvel-sim
// plays it with the portable add-in; outlook_host --fast-exit SCRIPT: plays it and ends the
// process as Outlook's fast shut-down does; outlook_host --unload SCRIPT: plays it, which unticks
// the add-in, checks that the library can go and goes, and ticks it again; outlook_host --bench:
// prints timings.
int main(int argc, char** argv) {
    const bool fastExit = argc == 3 && std::string(argv[1]) == "--fast-exit";
    const bool unload = argc == 3 && std::string(argv[1]) == "--unload";
    if (argc != 2 && !fastExit && !unload) {
        std::cerr << "usage: outlook_host SCRIPT | outlook_host --fast-exit SCRIPT | outlook_host --unload SCRIPT | "
                     "outlook_host --bench\n";
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::cerr << "outlook_host: COM cannot start\n";
        return 2;
    }
    const std::string argument = argv[1];
    int result = 0;
    try {
        if (fastExit) return playThenExitFast(argv[2]);
        if (unload)
            result = playThenUnload(argv[2]);
        else if (argument == "--bench")
            result = host::runBenchmark(std::cout);
        else
            result = play(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "outlook_host: " << error.what() << "\n";
        result = 2;
    }
    CoUninitialize();
    return result;
}
