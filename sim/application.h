#pragma once

#include <memory>

#include "sim_object.h"

namespace sim {

class Assistant;
class Explorers;
class Inspectors;
class Item;
class NameSpace;

// Outlook's Application: the root of the object model and the source of application events.
class Application : public SimObject {
public:
    explicit Application(Context& session);

    const std::shared_ptr<NameSpace>& nameSpace() const { return nameSpace_; }
    const std::shared_ptr<Explorers>& explorers() const { return explorers_; }
    const std::shared_ptr<Inspectors>& inspectors() const { return inspectors_; }
    // Raises ItemSend and answers whether a handler cancelled the send.
    bool fireItemSend(Item& item);

private:
    Value createItem(int32_t type);
    Value createItemFromTemplate(Args& args);

    std::shared_ptr<NameSpace> nameSpace_;
    std::shared_ptr<Explorers> explorers_;
    std::shared_ptr<Inspectors> inspectors_;
    std::shared_ptr<Assistant> assistant_;
};

}  // namespace sim
