// The simulated Outlook's folding for search, under Wine: the system's, as the add-in folds.
#include "search_key.h"

#include "win32/search_key.h"
#include "win32/wide.h"

namespace sim {

std::string FoldForSearch(const std::string& text) {
    const std::wstring key = win32::searchKeyOf(win32::wide(text));
    return win32::narrow(key.c_str(), key.size());
}

}  // namespace sim
