#include "inspector.h"

#include "application.h"
#include "command_bars.h"
#include "windows.h"

namespace sim {

Inspector::Inspector(Context& session, std::shared_ptr<Item> item)
    : SimObject(session, "Inspector"), item_(std::move(item)) {
    property("Class", [](Args&) { return Value(int32_t{35}); });
    property("CurrentItem", [this](Args&) {
        if (!item_) throw fail::failed("No item is open in this inspector.");
        return objectValue(item_);
    });
    property("CommandBars", [this](Args&) { return objectValue(commandBars()); });
    method("Activate", [this](Args&) {
        activate();
        return Value();
    });
    method("Close", [this](Args& args) {
        SaveMode mode = saveModeArgument(args);
        close(mode, mode == SaveMode::Prompt);
        return Value();
    });
    offerEvents(automation::EventSet::Inspector);
}

void Inspector::activate() {
    activation_ = ++context().activations;
    fire("Activate");
}

bool Inspector::close(SaveMode mode, bool cancellable) {
    if (closed_) return true;
    std::shared_ptr<SimObject> keep = shared_from_this();
    if (item_ && !item_->prepareClose(mode, cancellable)) return false;
    fire("Close");
    context().application->inspectors()->remove(this);
    if (item_) item_->setInspector(nullptr);
    closed_ = true;
    return true;
}

void Inspector::checkUsable() const {
    if (closed_) throw fail::failed("The inspector has been closed.");
}

std::shared_ptr<CommandBars> Inspector::commandBars() {
    if (!bars_) bars_ = make<CommandBars>(context(), std::vector<BuiltInCommand>{});
    return bars_;
}

}  // namespace sim
