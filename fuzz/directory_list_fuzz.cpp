// The People & Resources lists fed names as Outlook hands them over: UTF-16 of any content
// (empty, very long, with ";", NUL or lone surrogates), converted as the COM layer converts them.
// Each record is one operation on the list; the list must stay in step with its widget.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "directory/directory_list.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ui::headless::HeadlessListBox widget(true);
    DirectoryList list(widget);
    const uint8_t* end = data + size;
    while (data < end) {
        std::u16string record = NextRecord(data, end);
        if (record.empty()) continue;
        std::string name = win32::toUtf8(record.substr(1));
        switch (record[0] % 6) {
        case 0: list.Append(name, DirectoryList::DirectoryEntry); break;
        case 1: list.Append(name, DirectoryList::AppointmentOnly); break;
        case 2: list.AddItemIfNew(name, true); break;
        case 3: list.AddItemIfNew(name, false); break;
        case 4: list.Clear(); break;
        case 5: list.RemoveAll(); break;
        }
        Check(list.Count() == widget.count());
        std::string chosen = list.ChosenNames();
        Check(chosen.empty() || chosen.back() == ';');
    }
    for (int index = 0; index < list.Count(); ++index) Check(list.Text(index) == widget.text(index));
    return 0;
}
