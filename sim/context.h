#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "free_busy.h"

namespace sim {

class SimObject;
class Application;

enum class AlertAnswer { Ok, Cancel };

// One alert the user saw: how is "assistant" or "message box".
struct Alert {
    std::string title;
    std::string text;
    std::string how;
};

// The state shared by every object of one simulated session: what tests control and what they
// count. Objects still referenced from outside when the session ends are detached from it.
class Context {
public:
    Context() = default;
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    ~Context();

    void enroll(SimObject* object);
    void withdraw(SimObject* object);
    const std::set<SimObject*>& liveObjects() const { return live_; }

    // Counts the invocation and raises the injected failure of `className.member`, if due. Calls
    // the simulator makes on its own behalf are counted apart and never fail.
    void beforeMember(const std::string& className, const std::string& member);
    // After Outlook ended without notifying the add-in, records a call that still reached `className`.
    void noteCallAfterEnd(const std::string& className, std::string_view what);
    void failMember(const std::string& key, const std::string& description, int nthCall);
    void clearFaults() { faults_.clear(); }

    // Answers the next alert from the queue (OK when empty), logging it first.
    AlertAnswer showAlert(const std::string& title, const std::string& text, const std::string& how, bool hasCancel);
    void queueAnswer(AlertAnswer answer, std::function<void()> whileShown);

    std::string nextEntryId();
    // The store's clock for modification times: one second later at each save.
    double nextModificationTime();
    bool isResolvable(const std::string& name) const;

    long long calls = 0;
    // Calls per "Class.Member": the add-in's, and the simulator's own (printing, typing for the user).
    std::map<std::string, long long> addinCalls;
    std::map<std::string, long long> ownCalls;
    // Above zero while the simulator calls on its own behalf; an event raised meanwhile resets it.
    int ownCallDepth = 0;
    // Outlook ended the way Outlook 2010 and later do, and the calls that came after.
    bool ended = false;
    std::vector<std::string> callsAfterEnd;
    bool accessDenied = false;
    bool wrapperInstalled = false;
    bool wrapperRefusesRecipients = false;
    std::string version = "12.0.0.4518";
    std::string currentUser = "Erik Lund";
    std::set<std::string> unresolvable;
    FreeBusyBook freeBusy;
    std::set<int32_t> removedControls;
    std::vector<Alert> alerts;
    // Errors that event handlers returned: Outlook ignores them and goes on.
    std::vector<std::string> handlerFailures;
    long long activations = 0;
    Application* application = nullptr;
    // Every command bar button of the session, in the order they were put on a bar: where a
    // click is routed.
    std::vector<std::weak_ptr<SimObject>> commandBarButtons;

private:
    struct Fault {
        std::string description;
        int nthCall = 0;
        int seen = 0;
    };
    struct QueuedAnswer {
        AlertAnswer answer;
        std::function<void()> whileShown;
    };

    std::set<SimObject*> live_;
    std::map<std::string, Fault> faults_;
    std::deque<QueuedAnswer> answers_;
    int entryIds_ = 0;
    int modifications_ = 0;
};

// While alive (and active), calls through automation are the simulator's own, not the add-in's.
class OwnCallScope {
public:
    OwnCallScope(Context& context, bool active) : context_(context), step_(active ? 1 : 0) {
        context_.ownCallDepth += step_;
    }
    ~OwnCallScope() { context_.ownCallDepth -= step_; }
    OwnCallScope(const OwnCallScope&) = delete;
    OwnCallScope& operator=(const OwnCallScope&) = delete;

private:
    Context& context_;
    int step_;
};

// While alive, calls through automation are the add-in's again (an event handler's).
class AddinCallScope {
public:
    explicit AddinCallScope(Context& context) : context_(context), depth_(context.ownCallDepth) {
        context_.ownCallDepth = 0;
    }
    ~AddinCallScope() { context_.ownCallDepth = depth_; }
    AddinCallScope(const AddinCallScope&) = delete;
    AddinCallScope& operator=(const AddinCallScope&) = delete;

private:
    Context& context_;
    int depth_;
};

}  // namespace sim
