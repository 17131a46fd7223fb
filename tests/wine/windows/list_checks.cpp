#include "list_checks.h"

#include <oleacc.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>

#include "accessible_queries.h"
#include "check.h"
#include "directory/people_resources_form.h"
#include "ui/widgets.h"
#include "win32/list_entry_text.h"
#include "win32/win32_list_box.h"
#include "message_count.h"
#include "message_pump.h"
#include "window_inspection.h"

namespace windowcheck {
namespace {

using checks::expect;

constexpr int DirectorySize = 10000;
// Clearing, the count, two choices, redrawing off and on: about ten, whatever the directory's size.
constexpr int MessagesPerFill = 10;

int caretOf(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0)); }

HWND firstList(HWND window) {
    for (const Child& child : children(window))
        if (isClass(child, L"ListBox")) return child.handle;
    return nullptr;
}

LONG roleOf(IAccessible* accessible, LONG id) {
    VARIANT role;
    VariantInit(&role);
    return SUCCEEDED(IAccessible_get_accRole(accessible, child(id), &role)) && role.vt == VT_I4 ? role.lVal : -1;
}

LONG stateOf(IAccessible* accessible, LONG id) {
    VARIANT state;
    VariantInit(&state);
    return SUCCEEDED(IAccessible_get_accState(accessible, child(id), &state)) && state.vt == VT_I4 ? state.lVal : -1;
}

constexpr unsigned char Guard = 0xA5;
constexpr DWORD SenderTimeoutMs = 30000;

bool guardIntact(const unsigned char* bytes, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (bytes[i] != Guard) return false;
    return true;
}

DWORD WINAPI askFromAnotherThread(void* list) {
    wchar_t buffer[64] = L"";
    ListEntryText request{sizeof(ListEntryText), 64, buffer};
    return static_cast<DWORD>(SendMessageW(static_cast<HWND>(list), listEntryTextMessage(), 0,
                                           reinterpret_cast<LPARAM>(&request)));
}

// Starts this program again as a process of its own that sends LB_GETTEXT to `list`, as a macro
// tool or a screen reader does, and pumps this thread's messages until it has ended.
bool sentFromAnotherProcess(HWND list, DWORD& exitCode) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" " + std::wstring(SendListTextSwitch) + L" " +
                               std::to_wstring(reinterpret_cast<ULONG_PTR>(list));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    const bool ended = pumpUntilSignalled(process.hProcess, SenderTimeoutMs);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended;
}

}  // namespace

int sendListText(const wchar_t* window) {
    HWND list = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::wcstoull(window, nullptr, 10)));
    wchar_t buffer[256];
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                                             SenderTimeoutMs, &answer);
    return sent ? 0 : 1;
}

// Readers of the lists never write past the buffer they give: LB_GETTEXT copies an entry's item
// data, the entry-text message no more than the capacity asked for, and only on the list's thread.
void checkListTextRequests() {
    std::unique_ptr<ui::Window> form =
        ui::toolkit().createWindow({"TextRequestCheck", "Text requests", 3600, 2400, ui::Border::FixedSingle});
    ui::ListBox& widget = form->addListBox({"Names", {120, 120, 3360, 2160}, 0}, true);
    for (const char* name : {"Anna Berg", "Bo Lindqvist", "Carla Diaz"}) widget.addItem(name);
    form->show();
    HWND list = dynamic_cast<win32::Win32ListBox&>(widget).handle();

    unsigned char ansi[64];
    std::memset(ansi, Guard, sizeof ansi);
    SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(ansi));
    expect(guardIntact(ansi, sizeof(ULONG_PTR), sizeof ansi),
           "an ANSI LB_GETTEXT writes no more than an entry's item data into its buffer");

    wchar_t small[8];
    std::memset(small, Guard, sizeof small);
    ListEntryText request{sizeof(ListEntryText), 4, small};
    const LRESULT length = SendMessageW(list, listEntryTextMessage(), 1, reinterpret_cast<LPARAM>(&request));
    expect(length == 12 && std::wstring(small) == L"Bo " &&
               guardIntact(reinterpret_cast<unsigned char*>(small), 4 * sizeof(wchar_t), sizeof small),
           "the entry-text message fills a too-small buffer only as far as it holds, and answers the whole length");
    expect(readListEntryText(list, 2) == L"Carla Diaz" && readListEntryText(list, 3).empty(),
           "the entry-text message reads a whole name, and nothing past the last entry");

    HANDLE thread = CreateThread(nullptr, 0, askFromAnotherThread, list, 0, nullptr);
    DWORD answer = 0;
    const bool answered = thread && pumpUntilSignalled(thread, SenderTimeoutMs) && GetExitCodeThread(thread, &answer);
    if (thread) CloseHandle(thread);
    expect(answered && static_cast<LRESULT>(static_cast<LONG>(answer)) == LB_ERR,
           "the entry-text message is refused to a sender on another thread");

    DWORD exitCode = 1;
    expect(sentFromAnotherProcess(list, exitCode) && exitCode == 0 && SendMessageW(list, LB_GETCOUNT, 0, 0) == 3 &&
               readListEntryText(list, 0) == L"Anna Berg",
           "an LB_GETTEXT from another process is answered, and the list goes on");
}

void checkListKeys(HWND window, const std::string& name) {
    HWND list = firstList(window);
    expect(list != nullptr, name + ": has a list for the keys");
    if (!list) return;
    SendMessageW(list, LB_SETCARETINDEX, 0, FALSE);
    const auto key = [&](UINT message, wchar_t code) {
        SendMessageW(list, message, code, 0);
        return caretOf(list);
    };
    expect(key(WM_CHAR, L'c') == 2, name + ": typing c moves to Carla Diaz");
    expect(key(WM_CHAR, L'D') == 3, name + ": typing D moves to David Okafor");
    expect(key(WM_CHAR, L'b') == 1, name + ": typing b goes round to Bo Lindqvist");
    expect(key(WM_CHAR, L'z') == 1, name + ": a letter no entry starts with leaves the caret");
    expect(key(WM_KEYDOWN, VK_DOWN) == 2, name + ": the down arrow moves to the next entry");
    const bool chosenBefore = SendMessageW(list, LB_GETSEL, 2, 0) > 0;
    key(WM_KEYDOWN, VK_SPACE);
    expect(!chosenBefore && SendMessageW(list, LB_GETSEL, 2, 0) > 0, name + ": Space chooses the entry at the caret");
    key(WM_KEYDOWN, VK_SPACE);
    expect(SendMessageW(list, LB_GETSEL, 2, 0) == 0, name + ": Space again unchooses it");
}

// Wine cannot pass an IAccessible to another process (its type library lacks the interface), so
// the object a screen reader would get through WM_GETOBJECT is asked here directly.
void checkListAccessibility() {
    std::unique_ptr<ui::Window> form =
        ui::toolkit().createWindow({"AccessibilityCheck", "Accessibility", 3600, 2400, ui::Border::FixedSingle});
    ui::ListBox& widget = form->addListBox({"Names", {120, 120, 3360, 2160}, 0}, true);
    for (const char* name : {"Anna Berg", "Bo Lindqvist", "Carla Diaz", "David Okafor", "Guest Speaker"})
        widget.addItem(name);
    widget.setSelected(1, true);
    widget.setSelected(4, true);
    form->show();
    auto& list = dynamic_cast<win32::Win32ListBox&>(widget);
    IAccessible* accessible = list.accessible();
    LONG count = 0;
    expect(SUCCEEDED(IAccessible_get_accChildCount(accessible, &count)) && count == 5,
           "a list's accessible object has its 5 entries");
    expect(nameOf(accessible, 3) == L"Carla Diaz" && nameOf(accessible, 5) == L"Guest Speaker",
           "its entries are named as the list shows them");
    expect(roleOf(accessible, CHILDID_SELF) == ROLE_SYSTEM_LIST && roleOf(accessible, 1) == ROLE_SYSTEM_LISTITEM,
           "it is a list of list items");
    expect((stateOf(accessible, 2) & STATE_SYSTEM_SELECTED) != 0 &&
               (stateOf(accessible, 3) & STATE_SYSTEM_SELECTED) == 0,
           "its chosen entries are the selected ones");
    LONG left = 0, top = 0, width = 0, height = 0;
    RECT box{};
    GetWindowRect(list.handle(), &box);
    expect(SUCCEEDED(IAccessible_accLocation(accessible, &left, &top, &width, &height, child(1))) && width > 0 &&
               height > 0 && left >= box.left && top >= box.top && left + width <= box.right,
           "its first entry lies inside the list");
    VARIANT next;
    VariantInit(&next);
    expect(SUCCEEDED(IAccessible_accNavigate(accessible, NAVDIR_NEXT, child(3), &next)) && next.vt == VT_I4 &&
               next.lVal == 4,
           "the entry after its third is its fourth");
    form.reset();
    expect(IAccessible_get_accChildCount(accessible, &count) == CO_E_OBJNOTCONNECTED,
           "held after its list is gone, it says so");
    IAccessible_Release(accessible);
}

void checkListMessages(const std::string& name) {
    PeopleResourcesForm& form = PeopleResourcesFormInstance::Get();
    HWND list = FindWindowExW(nullptr, nullptr, nullptr, L"People & Resources: Weekly planning");
    list = list ? firstList(list) : nullptr;
    expect(list != nullptr, name + ": its list is there to count messages to");
    if (!list) return;
    DirectoryList& people = form.PeopleList();
    {
        MessageCount messages(list, 0, MessageCount::Way::Sent);
        DirectoryList::Update update(people);
        people.RemoveAll();
        for (int index = 0; index < DirectorySize; ++index)
            people.Append("Person " + std::to_string(index), DirectoryList::DirectoryEntry);
        people.AddItemIfNew("Person 4711", true);
        people.AddItemIfNew("Guest", true);
        expect(messages.count() <= MessagesPerFill,
               name + ": a directory of 10000 costs its list " + std::to_string(messages.count()) + " messages");
    }
    expect(static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)) == DirectorySize + 1,
           name + ": the list box counts every entry");
    MessageCount messages(list, 0, MessageCount::Way::Sent);
    expect(people.ChosenNames() == "Person 4711;Guest;", name + ": the chosen names are read back in order");
    expect(messages.count() <= 2, name + ": reading them back costs " + std::to_string(messages.count()) + " messages");
}

}  // namespace windowcheck
