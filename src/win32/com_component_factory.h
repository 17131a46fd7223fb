#pragma once

#include "automation/component_factory.h"

namespace win32 {

// Optional components by ProgID through the COM registry, in-process or local server.
class ComComponentFactory final : public automation::ComponentFactory {
public:
    automation::Object create(std::string_view progId) override;
};

}  // namespace win32
