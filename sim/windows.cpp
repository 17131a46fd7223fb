#include "windows.h"

#include <algorithm>

#include "explorer.h"
#include "inspector.h"
#include "item.h"

namespace sim {
namespace {

template <typename Window>
Value windowAt(const std::vector<std::shared_ptr<Window>>& list, Args& args) {
    int32_t index = required(args, 0).toInt32();
    if (index < 1 || index > static_cast<int32_t>(list.size())) throw fail::badIndex();
    return objectValue(list[index - 1]);
}

template <typename Window>
void removeFrom(std::vector<std::shared_ptr<Window>>& list, const Window* window) {
    list.erase(std::remove_if(list.begin(), list.end(), [window](const auto& w) { return w.get() == window; }),
               list.end());
}

template <typename Window>
std::shared_ptr<Window> lastActivated(const std::vector<std::shared_ptr<Window>>& list) {
    auto latest = std::max_element(list.begin(), list.end(),
                                   [](const auto& a, const auto& b) { return a->activation() < b->activation(); });
    return latest == list.end() ? nullptr : *latest;
}

}  // namespace

Explorers::Explorers(Context& session) : SimObject(session, "Explorers") {
    property("Class", [](Args&) { return Value(int32_t{60}); });
    property("Count", [this](Args&) { return Value(static_cast<int32_t>(list_.size())); });
    method("Item", [this](Args& args) { return windowAt(list_, args); });
    offerEvents(automation::EventSet::Explorers);
}

std::shared_ptr<Explorer> Explorers::open(std::shared_ptr<Folder> folder) {
    auto explorer = make<Explorer>(context(), std::move(folder));
    list_.push_back(explorer);
    Args args{explorer->object()};
    fire("NewExplorer", args);
    explorer->activate();
    return explorer;
}

void Explorers::remove(const Explorer* explorer) { removeFrom(list_, explorer); }

std::shared_ptr<Explorer> Explorers::active() const { return lastActivated(list_); }

Inspectors::Inspectors(Context& session) : SimObject(session, "Inspectors") {
    property("Class", [](Args&) { return Value(int32_t{61}); });
    property("Count", [this](Args&) { return Value(static_cast<int32_t>(list_.size())); });
    method("Item", [this](Args& args) { return windowAt(list_, args); });
    offerEvents(automation::EventSet::Inspectors);
}

std::shared_ptr<Inspector> Inspectors::open(std::shared_ptr<Item> item) {
    auto inspector = make<Inspector>(context(), item);
    if (item) item->setInspector(inspector);
    list_.push_back(inspector);
    announce(inspector);
    inspector->activate();
    return inspector;
}

void Inspectors::announce(const std::shared_ptr<Inspector>& inspector) {
    Args args{inspector->object()};
    fire("NewInspector", args);
}

void Inspectors::remove(const Inspector* inspector) { removeFrom(list_, inspector); }

std::shared_ptr<Inspector> Inspectors::active() const { return lastActivated(list_); }

}  // namespace sim
