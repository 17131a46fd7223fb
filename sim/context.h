#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

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

    // Counts the invocation and raises the injected failure of `className.member`, if due.
    void beforeMember(const std::string& className, const std::string& member);
    void failMember(const std::string& key, const std::string& description, int nthCall);
    void clearFaults() { faults_.clear(); }

    // Answers the next alert from the queue (OK when empty), logging it first.
    AlertAnswer showAlert(const std::string& title, const std::string& text, const std::string& how, bool hasCancel);
    void queueAnswer(AlertAnswer answer, std::function<void()> whileShown);

    std::string nextEntryId();
    bool isResolvable(const std::string& name) const;

    long long calls = 0;
    bool accessDenied = false;
    bool wrapperInstalled = false;
    bool wrapperRefusesRecipients = false;
    std::string version = "12.0.0.4518";
    std::string currentUser = "Erik Lund";
    std::set<std::string> unresolvable;
    std::set<int32_t> removedControls;
    std::vector<Alert> alerts;
    // Errors that event handlers returned: Outlook ignores them and goes on.
    std::vector<std::string> handlerFailures;
    long long activations = 0;
    Application* application = nullptr;

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
};

}  // namespace sim
