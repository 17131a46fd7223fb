#include "window_driver.h"

const ControlView* WindowView::control(const std::string& controlName) const {
    for (const ControlView& candidate : controls)
        if (candidate.name == controlName) return &candidate;
    return nullptr;
}
