// Prints how long the add-in's heavier steps take in the simulated Outlook and how many calls
// into Outlook each makes, for directories and meetings of growing size.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "benchmark_directory.h"
#include "session.h"

using automation::Object;

namespace {

struct Figures {
    double milliseconds;
    long long calls;
};

Figures Measure(sim::Outlook& outlook, const std::function<void()>& step) {
    outlook.resetCalls();
    auto start = std::chrono::steady_clock::now();
    step();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return Figures{elapsed.count(), outlook.calls()};
}

void Print(const std::string& what, const Figures& figures) {
    std::printf("%-72s %10.2f ms %10lld calls\n", what.c_str(), figures.milliseconds, figures.calls);
}

std::string Person(int index) { return "Person " + std::to_string(index); }

void Connecting(int entries) {
    Session session;
    sim::Outlook& outlook = session.outlook();
    AddBenchmarkDirectory(outlook, entries);
    outlook.openExplorer(sim::FolderKind::Inbox);
    Print("connect and start up, directory of " + std::to_string(entries), Measure(outlook, [&] {
              session.connect();
              session.startupComplete();
          }));
    if (entries == 10) {
        Object explorer = outlook.explorer(1);
        Print("folder switch", Measure(outlook, [&] { outlook.switchFolder(explorer, sim::FolderKind::Calendar); }));
    }
    session.shutdown();
}

void Booking(int recipients) {
    Session session;
    sim::Outlook& outlook = session.outlook();
    outlook.installSecurityWrapper(true);
    AddBenchmarkDirectory(outlook, 10000);
    session.connect();
    session.startupComplete();
    Object item = outlook.application().call("CreateItem", {int16_t{1}}).toObject();
    Object list = item.get("Recipients").toObject();
    for (int index = 0; index < recipients; ++index)
        list.call("Add", {index % 2 ? Person(index * 7) : "Guest " + std::to_string(index)});
    list.clear();
    Object inspector = outlook.displayItem(item);
    std::string size = std::to_string(recipients) + " recipients, directory of 10000";
    Print("People & Resources dialog shown, " + size,
          Measure(outlook, [&] { outlook.clickButton(inspector, "People && Resources"); }));
    Print("Save & Close, " + size,
          Measure(outlook, [&] { session.window("PeopleResourcesForm")->button("SaveButton")->click(); }));
    session.shutdown();
}

void Schedules(int entries) {
    Session session;
    sim::Outlook& outlook = session.outlook();
    outlook.installSecurityWrapper(true);
    AddBenchmarkDirectory(outlook, entries);
    outlook.openExplorer(sim::FolderKind::Calendar);
    session.connect();
    session.startupComplete();
    outlook.clickButton(outlook.explorer(1), "Settings");
    Object inspector = outlook.inspector(1);
    Print("settings closed: reload and rewrite group schedules, directory of " + std::to_string(entries),
          Measure(outlook, [&] { outlook.closeInspector(inspector); }));
    inspector.clear();
    session.shutdown();
}

}  // namespace

int main() {
    for (int entries : {10, 1000, 10000}) Connecting(entries);
    for (int recipients : {10, 1000}) Booking(recipients);
    for (int entries : {10, 1000, 10000}) Schedules(entries);
    return 0;
}
