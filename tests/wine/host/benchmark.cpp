#include "benchmark.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "call_counter.h"
#include "com_addin.h"
#include "message_box_answerer.h"
#include "security_wrapper_classes.h"
#include "benchmark_directory.h"
#include "session.h"
#include "settings_template_switch.h"
#include "win32_window_driver.h"

namespace host {
namespace {

using automation::Object;

struct Figures {
    double milliseconds;
    CallCounts calls;
};

Figures measure(const std::function<void()>& step) {
    const CallCounts before = callCounts();
    const auto start = std::chrono::steady_clock::now();
    step();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    const CallCounts after = callCounts();
    return {elapsed.count(), {after.invokes - before.invokes, after.nameLookups - before.nameLookups}};
}

void print(std::ostream& out, const std::string& what, const Figures& figures, const char* limit) {
    char line[200];
    std::snprintf(line, sizeof line, "%-58s %9.1f ms %8lld Invoke %6lld GetIDsOfNames   %s\n", what.c_str(),
                  figures.milliseconds, figures.calls.invokes, figures.calls.nameLookups, limit);
    out << line;
}

std::string person(int index) { return "Person " + std::to_string(index); }

// A session with Quorvel.dll, as the scenarios have it.
struct HostedSession {
    Session session{MakeComAddin, std::make_unique<Win32WindowDriver>(), settingsTemplateSwitch()};
    SecurityWrapperClasses wrapperClasses{session.outlook()};
    MessageBoxAnswerer alerts{session.outlook()};
};

void connecting(std::ostream& out, int entries) {
    HostedSession hosted;
    sim::Outlook& outlook = hosted.session.outlook();
    outlook.installSecurityWrapper(true);
    AddBenchmarkDirectory(outlook, entries);
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    print(out, "OnConnection + OnStartupComplete, directory of " + std::to_string(entries), measure([&] {
              hosted.session.connect();
              hosted.session.startupComplete();
          }),
          "limit 1000 ms");
    print(out, "folder switch, directory of " + std::to_string(entries),
          measure([&] { outlook.switchFolder(explorer, sim::FolderKind::Calendar); }), "limit 500 ms");
    explorer.clear();
    hosted.session.shutdown();
}

void booking(std::ostream& out, int recipients, int entries) {
    HostedSession hosted;
    sim::Outlook& outlook = hosted.session.outlook();
    outlook.installSecurityWrapper(true);
    AddBenchmarkDirectory(outlook, entries);
    hosted.session.connect();
    hosted.session.startupComplete();
    Object item = outlook.application().call("CreateItem", {int16_t{1}}).toObject();
    Object list = item.get("Recipients").toObject();
    for (int index = 0; index < recipients; ++index)
        list.call("Add", {index % 2 ? person(index * 7) : "Guest " + std::to_string(index)});
    list.clear();
    Object inspector = outlook.displayItem(item);
    item.clear();
    print(out,
          "People & Resources shown, " + std::to_string(recipients) + " recipients, directory of " +
              std::to_string(entries),
          measure([&] { outlook.clickButton(inspector, "People && Resources"); }), "");
    inspector.clear();
    hosted.session.shutdown();
}

}  // namespace

int runBenchmark(std::ostream& out) {
    out << "Quorvel.dll through COM, " << sizeof(void*) * 8 << "-bit\n";
    for (int entries : {10, 1000, 10000}) connecting(out, entries);
    booking(out, 100, 1000);
    booking(out, 100, 10000);
    return 0;
}

}  // namespace host
