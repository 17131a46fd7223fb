#pragma once

#include <memory>

#include "item.h"
#include "sim_object.h"

namespace sim {

class CommandBars;

// An Outlook inspector window, normally showing one item.
class Inspector : public SimObject {
public:
    Inspector(Context& session, std::shared_ptr<Item> item);

    const std::shared_ptr<Item>& item() const { return item_; }
    void activate();
    // The item's Close event and save decision, then the inspector's Close while still
    // counted, then it leaves Inspectors. False when the item's Close was cancelled.
    bool close(SaveMode mode, bool cancellable);
    long long activation() const { return activation_; }
    std::shared_ptr<CommandBars> commandBars();

private:
    void checkUsable() const override;

    std::shared_ptr<Item> item_;
    std::shared_ptr<CommandBars> bars_;
    long long activation_ = 0;
    bool closed_ = false;
};

}  // namespace sim
