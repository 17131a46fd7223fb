#include "explorer.h"

#include "application.h"
#include "command_bars.h"
#include "folder.h"
#include "namespace.h"
#include "windows.h"

namespace sim {
namespace {

constexpr int32_t CalendarCommand = 7262;
constexpr int32_t GroupSchedulesCommand = 7002;
constexpr int16_t CalendarFolder = 9;

}  // namespace

Explorer::Explorer(Context& session, std::shared_ptr<Folder> folder)
    : SimObject(session, "Explorer"), folder_(std::move(folder)) {
    property("Class", [](Args&) { return Value(int32_t{34}); });
    property("CurrentFolder", [this](Args&) { return objectValue(folder_); });
    assignableByRef("CurrentFolder", [this](const Value& value) {
        auto folder = objectOf<Folder>(value);
        if (!folder) throw automation::errors::typeMismatch();
        switchTo(folder);
    });
    property("CommandBars", [this](Args&) { return objectValue(commandBars()); });
    method("Activate", [this](Args&) {
        activate();
        return Value();
    });
    method("Close", [this](Args&) {
        close();
        return Value();
    });
    offerEvents(automation::EventSet::Explorer);
}

void Explorer::switchTo(std::shared_ptr<Folder> folder) {
    if (folder == folder_) return;
    folder_ = std::move(folder);
    fire("FolderSwitch");
    if (!folder_->items().empty()) fire("SelectionChange");
}

void Explorer::activate() {
    activation_ = ++context().activations;
    fire("Activate");
}

void Explorer::close() {
    if (closed_) return;
    std::shared_ptr<SimObject> keep = shared_from_this();
    fire("Close");
    context().application->explorers()->remove(this);
    closed_ = true;
}

void Explorer::checkUsable() const {
    if (closed_) throw fail::failed("The explorer has been closed.");
}

std::shared_ptr<CommandBars> Explorer::commandBars() {
    if (bars_) return bars_;
    std::weak_ptr<Explorer> self = std::static_pointer_cast<Explorer>(shared_from_this());
    std::vector<BuiltInCommand> commands = {
        {CalendarCommand, "Calendar",
         [self] {
             if (auto explorer = self.lock())
                 explorer->switchTo(explorer->context().application->nameSpace()->defaultFolder(CalendarFolder));
         }},
        {GroupSchedulesCommand, "Group Schedules...",
         [self] {
             if (auto explorer = self.lock()) ++explorer->groupScheduleShows_;
         }},
    };
    bars_ = make<CommandBars>(context(), commands);
    return bars_;
}

}  // namespace sim
