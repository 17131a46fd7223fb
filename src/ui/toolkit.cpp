#include "ui/widgets.h"

#include <stdexcept>

namespace ui {
namespace {
Toolkit* current = nullptr;
}

void setToolkit(Toolkit* toolkit) { current = toolkit; }

Toolkit& toolkit() {
    if (!current) throw std::logic_error("no user-interface toolkit is set");
    return *current;
}

}  // namespace ui
