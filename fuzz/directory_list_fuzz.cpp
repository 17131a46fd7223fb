// The People & Resources lists fed names as Outlook hands them over: UTF-16 of any content
// (empty, very long, with ";", NUL or lone surrogates), converted as the COM layer converts them.
// Each record is one operation on the list, the user's filter and clicks among them; the widget
// must show exactly the entries the filter lets through, in order, and no choice may be lost.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "directory/directory_list.h"
#include "outlook.h"
#include "platform/platform.h"
#include "ui/headless/headless_toolkit.h"
#include "win32/utf16.h"

namespace {

// Records are separated by the unit U+0001; a record's first unit picks the operation.
std::u16string NextRecord(const uint8_t*& data, const uint8_t* end) {
    std::u16string record;
    for (; data + 1 < end; data += 2) {
        char16_t unit = static_cast<char16_t>(data[0] | data[1] << 8);
        if (unit == 1) {
            data += 2;
            break;
        }
        record += unit;
    }
    if (data + 1 >= end) data = end;
    return record;
}

void Check(bool holds) {
    if (!holds) std::abort();
}

// The folding for finding, as the simulated Outlook's platform gives it.
sim::Outlook& Platform() {
    static sim::Outlook* outlook = [] {
        auto* made = new sim::Outlook;
        made->makeCurrent();
        return made;
    }();
    return *outlook;
}

// The widget's rows are the entries whose key holds the filter's, in the list's order.
void CheckShown(const DirectoryList& list, const ui::headless::HeadlessListBox& widget, const std::string& filter) {
    int row = 0;
    for (int entry = 0; entry < list.Count(); ++entry) {
        if (!filter.empty() && platform::services().searchKey(list.Text(entry)).find(filter) == std::string::npos)
            continue;
        Check(row < widget.count() && widget.text(row) == list.Text(entry));
        ++row;
    }
    Check(row == widget.count());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Platform();
    ui::headless::HeadlessListBox widget(true);
    DirectoryList list(widget);
    std::string filter;
    const uint8_t* end = data + size;
    while (data < end) {
        std::u16string record = NextRecord(data, end);
        if (record.empty()) continue;
        std::string name = win32::toUtf8(record.substr(1));
        const size_t chosenBefore = list.ChosenEntries().size();
        const int operation = record[0] % 8;
        switch (operation) {
        case 0: list.Append(name, DirectoryList::DirectoryEntry); break;
        case 1: list.Append(name, DirectoryList::AppointmentOnly); break;
        case 2: list.AddItemIfNew(name, true); break;
        case 3: list.AddItemIfNew(name, false); break;
        case 4: list.Clear(); break;
        case 5: list.RemoveAll(); break;
        case 6:
            filter = platform::services().searchKey(name);
            list.SetFilter(filter);
            break;
        case 7:
            if (widget.count() > 0) widget.click(static_cast<int>(record.size() % static_cast<size_t>(widget.count())));
            break;
        }
        CheckShown(list, widget, filter);
        // Narrowing hides choices and never drops one.
        if (operation == 6) Check(list.ChosenEntries().size() == chosenBefore);
        Check(list.HiddenChosenCount() <= static_cast<int>(list.ChosenEntries().size()));
        std::string chosen = list.ChosenNames();
        Check(chosen.empty() || chosen.back() == ';');
    }
    return 0;
}
