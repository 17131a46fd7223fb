#include "ui/widgets.h"

#include <stdexcept>

namespace ui {
namespace {
Toolkit* current = nullptr;
}

void setToolkit(Toolkit* toolkit) { current = toolkit; }

std::string availabilityWords(Availability availability) {
    switch (availability) {
    case Availability::Free: return "free";
    case Availability::Tentative: return "tentative";
    case Availability::Busy: return "busy";
    case Availability::OutOfOffice: return "out of office";
    case Availability::WorkingElsewhere: return "working elsewhere";
    case Availability::NoInformation: return "no information";
    case Availability::Unknown: break;
    }
    return "";
}

Toolkit& toolkit() {
    if (!current) throw std::logic_error("no user-interface toolkit is set");
    return *current;
}

}  // namespace ui
