#include "win32/idle_works.h"

#include "win32/com_error.h"
#include "win32/win32_controls.h"

namespace win32 {
namespace {

// Ends its work when destroyed, unless the window has ended it already.
class TimedWork final : public ui::IdleWork {
public:
    TimedWork(std::weak_ptr<IdleWorks> works, UINT_PTR timer) : works_(std::move(works)), timer_(timer) {}
    ~TimedWork() override {
        if (const std::shared_ptr<IdleWorks> works = works_.lock()) works->stop(timer_);
    }

private:
    std::weak_ptr<IdleWorks> works_;
    UINT_PTR timer_;
};

}  // namespace

IdleWorks::~IdleWorks() { stopAll(); }

std::unique_ptr<ui::IdleWork> IdleWorks::start(std::function<bool()> step) {
    const UINT_PTR timer = nextTimer_++;
    if (!SetTimer(window_, timer, USER_TIMER_MINIMUM, nullptr)) throw comError(lastErrorHresult());
    steps_[timer] = std::make_shared<Step>(Step{std::move(step)});
    return std::make_unique<TimedWork>(weak_from_this(), timer);
}

// A step that pumps messages sees its own ticks come by: they are skipped, not nested. A step
// that fails is reported as any handler's failure, and its work ends.
bool IdleWorks::tick(UINT_PTR timer) {
    const auto found = steps_.find(timer);
    if (found == steps_.end()) return false;
    const std::shared_ptr<Step> step = found->second;
    if (step->running) return true;
    const std::shared_ptr<IdleWorks> keep = shared_from_this();
    step->running = true;
    bool more = false;
    runHandler([&] { more = step->run(); });
    step->running = false;
    if (!more) stop(timer);
    return true;
}

void IdleWorks::stop(UINT_PTR timer) {
    if (steps_.erase(timer) > 0 && window_) KillTimer(window_, timer);
}

void IdleWorks::stopAll() {
    for (const auto& work : steps_) KillTimer(window_, work.first);
    steps_.clear();
    window_ = nullptr;
}

}  // namespace win32
