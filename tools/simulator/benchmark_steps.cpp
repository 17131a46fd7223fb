#include "benchmark_steps.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "benchmark_directory.h"

using automation::Object;

namespace {

struct Figures {
    double milliseconds;
    CallCounts calls;
    long long resolves;
};

// The address-book look-ups the add-in asked of Outlook so far: free in the simulated Outlook,
// slow in a real one.
long long Resolves(Session& session) {
    const std::map<std::string, long long>& calls = session.outlook().addinCalls();
    auto found = calls.find("Recipient.Resolve");
    return found == calls.end() ? 0 : found->second;
}

class Bench {
public:
    Bench(std::ostream& out, const BenchmarkHost& host) : out_(out), host_(host) {}

    // A session with the security wrapper and a directory of `entries` in the calendar.
    std::shared_ptr<Session> session(int entries) {
        std::shared_ptr<Session> made = host_.newSession();
        made->outlook().installSecurityWrapper(true);
        AddBenchmarkDirectory(made->outlook(), entries);
        return made;
    }

    // `limit` is Outlook's for the step, in ms; 0 where Outlook sets none.
    template <typename Step>
    void row(Session& session, const std::string& what, int limit, Step step) {
        const CallCounts before = host_.calls(session);
        const long long resolvesBefore = Resolves(session);
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        const CallCounts after = host_.calls(session);
        print(what,
              {elapsed.count(),
               {after.invokes - before.invokes, after.nameLookups - before.nameLookups},
               Resolves(session) - resolvesBefore},
              limit);
    }

private:
    void print(const std::string& what, const Figures& figures, int limit) {
        char share[48] = "";
        if (limit > 0)
            std::snprintf(share, sizeof share, "%6.2f %% of %d ms", 100 * figures.milliseconds / limit, limit);
        char line[240];
        std::snprintf(line, sizeof line, "%-76s %9.2f ms %8lld Invoke %6lld GetIDsOfNames %6lld Resolve  %s\n",
                      what.c_str(), figures.milliseconds, figures.calls.invokes, figures.calls.nameLookups,
                      figures.resolves, share);
        out_ << line << std::flush;
    }

    std::ostream& out_;
    const BenchmarkHost& host_;
};

std::string directoryOf(int entries) { return "directory of " + std::to_string(entries); }

std::string person(int index) { return "Person " + std::to_string(index); }

void StartUp(Bench& bench, int entries, const std::string& note = "") {
    std::shared_ptr<Session> session = bench.session(entries);
    sim::Outlook& outlook = session->outlook();
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    bench.row(*session, "start-up (OnConnection + OnStartupComplete), " + directoryOf(entries) + note, 1000, [&] {
        session->connect();
        session->startupComplete();
    });
    bench.row(*session, "folder switch, " + directoryOf(entries), 500,
              [&] { outlook.switchFolder(explorer, sim::FolderKind::Calendar); });
    Object item = outlook.application().call("CreateItem", {int16_t{1}}).toObject();
    bench.row(*session, "appointment window opened, " + directoryOf(entries), 500,
              [&] { outlook.displayItem(item); });
    item.clear();
    explorer.clear();
    session->shutdown();
}

void Booking(Bench& bench, int recipients, int entries) {
    std::shared_ptr<Session> session = bench.session(entries);
    sim::Outlook& outlook = session->outlook();
    session->connect();
    session->startupComplete();
    Object item = outlook.application().call("CreateItem", {int16_t{1}}).toObject();
    Object list = item.get("Recipients").toObject();
    for (int index = 0; index < recipients; ++index)
        list.call("Add", {index % 2 ? person(index * 7) : "Guest " + std::to_string(index)});
    list.clear();
    Object inspector = outlook.displayItem(item);
    item.clear();
    const std::string size = std::to_string(recipients) + " recipients, " + directoryOf(entries);
    for (const char* when : {"first", "again"}) {
        bench.row(*session, std::string("People & Resources shown (") + when + "), " + size, 0,
                  [&] { outlook.clickButton(inspector, "People && Resources"); });
        bench.row(*session, "Save & Close, " + size, 0,
                  [&] { session->windows().Click("PeopleResourcesForm", "SaveButton"); });
    }
    inspector.clear();
    session->shutdown();
}

// The user's edit in the open settings window, as the simulator's own calls: 10 entries removed
// across the directory (rooms and people alike), then 10 people added at its end.
void EditDirectory(sim::Outlook& outlook, const Object& inspector, int entries) {
    sim::OwnCallScope user = outlook.asSimulator();
    Object directory = inspector.get("CurrentItem").toObject().get("Recipients").toObject();
    for (int index = 9; index >= 0; --index)
        directory.call("Remove", {int16_t(index * (entries / 10) + entries / 20 + index % 2)});
    for (int index = 0; index < 10; ++index)
        directory.call("Add", {"Added Person " + std::to_string(index)}).toObject().put("Type", int16_t{1});
}

void SettingsClosed(Bench& bench, int entries) {
    std::shared_ptr<Session> session = bench.session(entries);
    sim::Outlook& outlook = session->outlook();
    outlook.openExplorer(sim::FolderKind::Calendar);
    session->connect();
    session->startupComplete();
    auto closed = [&](const std::string& what, bool edit) {
        outlook.clickButton(outlook.explorer(1), "Settings");
        Object inspector = outlook.inspector(1);
        if (edit) EditDirectory(outlook, inspector, entries);
        bench.row(*session, what + directoryOf(entries), 1000, [&] { outlook.closeInspector(inspector); });
    };
    closed("settings item closed (reload + three group schedules), ", false);
    closed("settings item closed again, nothing changed, ", false);
    closed("settings item closed, 10 added at the end, 10 removed, ", true);
    // A new connection knows nothing of the schedules yet: its first close also asks each member
    // whether it is resolved.
    session->shutdown();
    session->connect();
    session->startupComplete();
    closed("settings item closed, first close of the next connection, ", false);
    session->shutdown();
}

}  // namespace

void RunBenchmark(std::ostream& out, const BenchmarkHost& host) {
    Bench bench(out, host);
    // Outlook starts the add-in once per process: the first start-up also learns the names it
    // calls, as Outlook's does; the others show how the cost grows.
    if (host.load) {
        std::shared_ptr<Session> session = bench.session(0);
        bench.row(*session, "library loaded and its object made (CoCreateInstance)", 0, host.load);
    }
    StartUp(bench, 10, ", first");
    for (int entries : {10, 1000, 10000}) StartUp(bench, entries);
    Booking(bench, 100, 10000);
    for (int entries : {1000, 10000}) SettingsClosed(bench, entries);
}
