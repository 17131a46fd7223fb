#include "platform/platform.h"

#include <stdexcept>

namespace platform {
namespace {
Services* current = nullptr;
}

void setServices(Services* services) { current = services; }

Services& services() {
    if (!current) throw std::logic_error("platform services are not set");
    return *current;
}

}  // namespace platform
