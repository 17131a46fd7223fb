#pragma once

#include <string_view>

#include "automation/object.h"

namespace automation {

// Creates components by ProgID (real COM, or the simulated Outlook's registry); Nothing when the
// component is not there.
class ComponentFactory {
public:
    virtual Object create(std::string_view progId) = 0;

protected:
    ~ComponentFactory() = default;
};

void setComponentFactory(ComponentFactory* factory);

// As Basic's CreateObject: raises "ActiveX component can't create object" when the component
// cannot be created, so optional components are created with errors ignored.
Object CreateObject(std::string_view progId);

}  // namespace automation
