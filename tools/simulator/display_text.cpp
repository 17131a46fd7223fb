#include "display_text.h"

std::string DisplayText(const std::string& caption) {
    std::string shown;
    for (size_t index = 0; index < caption.size(); ++index) {
        if (caption[index] == '&' && index + 1 < caption.size()) ++index;
        else if (caption[index] == '&') continue;
        shown += caption[index];
    }
    return shown;
}
