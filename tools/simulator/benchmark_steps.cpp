#include "benchmark_steps.h"

#include <algorithm>
#include <chrono>
#include <cmath>
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

    // A row of one figure alone, in ms.
    void figure(const std::string& what, double milliseconds, const std::string& note) {
        char line[240];
        std::snprintf(line, sizeof line, "%-76s %9.2f ms  %s\n", what.c_str(), milliseconds, note.c_str());
        out_ << line << std::flush;
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
        bench.row(*session, std::string("availability, chosen and in view (") + when + "), " + size, 0,
                  [&] { session->windows().Idle(-1); });
        bench.row(*session, "Save & Close, " + size, 0,
                  [&] { session->windows().Click("PeopleResourcesForm", "SaveButton"); });
    }
    inspector.clear();
    session->shutdown();
}

// Each keystroke narrows both lists anew; the first also folds every name for finding.
void Finding(Bench& bench, int entries) {
    std::shared_ptr<Session> session = bench.session(entries);
    sim::Outlook& outlook = session->outlook();
    session->connect();
    session->startupComplete();
    Object inspector = outlook.displayItem(outlook.application().call("CreateItem", {int16_t{1}}).toObject());
    outlook.clickButton(inspector, "People && Resources");
    WindowDriver& windows = session->windows();
    bench.row(*session, "Find: names folded while Outlook is idle, " + directoryOf(entries), 0,
              [&] { windows.Idle(-1); });
    bench.row(*session, "Find: the first keystroke, " + directoryOf(entries), 0,
              [&] { windows.Type("PeopleResourcesForm", "FindBox", "p"); });
    // Typing empties the box first: one change more than the text has characters.
    const std::string typed = "person 12";
    const auto start = std::chrono::steady_clock::now();
    windows.Type("PeopleResourcesForm", "FindBox", typed);
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    bench.figure("Find: each further keystroke, \"" + typed + "\" typed, " + directoryOf(entries),
                 elapsed.count() / static_cast<double>(typed.size() + 1), "the mean of " + std::to_string(typed.size() + 1));
    bench.row(*session, "Find: Esc empties it, " + directoryOf(entries), 0,
              [&] { windows.Escape("PeopleResourcesForm", "FindBox"); });
    windows.Click("PeopleResourcesForm", "CancelButton");
    inspector.clear();
    session->shutdown();
}

// With Outlook taking `cost` ms for each free/busy look-up, its thread is held for one look-up
// at a time: the longest timer slice, against the time all of them took together.
void SlowLookUps(Bench& bench, int cost) {
    std::shared_ptr<Session> session = bench.session(100);
    sim::Outlook& outlook = session->outlook();
    session->connect();
    session->startupComplete();
    Object item = outlook.application().call("CreateItem", {int16_t{1}}).toObject();
    for (int index : {1, 2, 3, 4, 5}) item.get("Recipients").toObject().call("Add", {person(index)});
    Object inspector = outlook.displayItem(item);
    item.clear();
    outlook.freeBusy().costMilliseconds = cost;
    outlook.clickButton(inspector, "People && Resources");
    double longest = 0;
    double total = 0;
    int slices = 0;
    for (;;) {
        const auto start = std::chrono::steady_clock::now();
        if (session->windows().Idle(1) == 0) break;
        const std::chrono::duration<double, std::milli> slice = std::chrono::steady_clock::now() - start;
        longest = std::max(longest, slice.count());
        total += slice.count();
        ++slices;
    }
    const std::string lookUps = std::to_string(outlook.addinCalls().at("Recipient.FreeBusy"));
    bench.figure("availability, look-ups of " + std::to_string(cost) + " ms: longest hold of Outlook's thread", longest,
                 lookUps + " look-ups in " + std::to_string(slices) + " slices, " + std::to_string(std::lround(total)) +
                     " ms in all");
    outlook.freeBusy().costMilliseconds = 0;
    session->windows().Click("PeopleResourcesForm", "CancelButton");
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
    Finding(bench, 10000);
    SlowLookUps(bench, 200);
    for (int entries : {1000, 10000}) SettingsClosed(bench, entries);
}
