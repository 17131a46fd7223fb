#pragma once

#include <memory>

#include "recipient.h"

namespace sim {

// The live recipient list of one item.
class Recipients : public SimObject {
public:
    Recipients(Context& session, std::shared_ptr<Item> item, bool guarded);

private:
    std::shared_ptr<RecipientData> at(const Value& index) const;
    Value view(std::shared_ptr<RecipientData> data) const;

    std::shared_ptr<Item> item_;
    bool guarded_;
};

}  // namespace sim
