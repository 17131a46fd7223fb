#pragma once

#include "sim_object.h"

namespace sim {

// The Office Assistant's alert, answered from the session's alert queue.
class Assistant : public SimObject {
public:
    explicit Assistant(Context& session);

private:
    Value doAlert(Args& args);
};

}  // namespace sim
