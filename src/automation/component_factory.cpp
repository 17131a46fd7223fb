#include "automation/component_factory.h"

#include "automation/error.h"

namespace automation {
namespace {
ComponentFactory* currentFactory = nullptr;
}

void setComponentFactory(ComponentFactory* factory) { currentFactory = factory; }

Object CreateObject(std::string_view progId) {
    Object created = currentFactory ? currentFactory->create(progId) : Object();
    if (!created) throw errors::cannotCreateObject();
    return created;
}

}  // namespace automation
