#include "list_accessibility_checks.h"

#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "accessible_queries.h"
#include "check.h"
#include "ui/widgets.h"
#include "win32/win32_list_box.h"
#include "message_pump.h"
#include "window_inspection.h"

namespace windowcheck {
namespace {

using checks::expect;

// The object WM_GETOBJECT hands a screen reader. Wine cannot marshal an IAccessible, not even
// within the process, so it is asked of the list itself; the list keeps itself in the window.
IAccessible* accessibleOf(HWND list) {
    auto* widget = reinterpret_cast<win32::Win32ListBox*>(GetWindowLongPtrW(list, GWLP_USERDATA));
    return widget ? widget->accessible() : nullptr;
}

std::wstring defaultActionOf(IAccessible* accessible, LONG id, HRESULT& answer) {
    BSTR action = nullptr;
    answer = IAccessible_get_accDefaultAction(accessible, child(id), &action);
    if (!action) return L"";
    std::wstring text(action, SysStringLen(action));
    SysFreeString(action);
    return text;
}

// The accessibility events of the lists' entries, recorded while the thread pumps its messages.
struct Event {
    DWORD event;
    HWND window;
    LONG child;
    bool operator==(const Event& other) const {
        return event == other.event && window == other.window && child == other.child;
    }
};
std::vector<Event> heard;

void CALLBACK hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG id, DWORD, DWORD) {
    if (object == OBJID_CLIENT && id != CHILDID_SELF) heard.push_back({event, window, id});
}

// What one step brought: the events heard and the entries the form was told were toggled.
struct Outcome {
    std::vector<Event> events;
    std::vector<int> toggled;
};

class ChoosingWindow {
public:
    ChoosingWindow()
        : form_(ui::toolkit().createWindow({"ChoosingCheck", "Choosing", 7200, 2400, ui::Border::FixedSingle})),
          clicked_(addList(120)),
          spoken_(addList(3720)) {
        form_->show();
        hook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, hear, GetCurrentProcessId(), 0,
                                WINEVENT_OUTOFCONTEXT);
    }
    ~ChoosingWindow() {
        UnhookWinEvent(hook_);
        form_.reset();
    }
    ChoosingWindow(const ChoosingWindow&) = delete;
    ChoosingWindow& operator=(const ChoosingWindow&) = delete;

    // The list clicked with the mouse, and its twin chosen in through IAccessible.
    HWND clicked() const { return handle(clicked_); }
    HWND spoken() const { return handle(spoken_); }
    ui::ListBox& spokenList() { return spoken_; }
    void destroy() { form_.reset(); }

    // Runs `step` and tells what it brought.
    template <typename Step>
    Outcome after(Step step) {
        pumpPending();
        heard.clear();
        toggled_.clear();
        step();
        pumpPending();
        return {heard, toggled_};
    }

    void click(int index) {
        RECT box{};
        SendMessageW(clicked(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&box));
        const LPARAM point = MAKELPARAM(box.left + 2, box.top + 2);
        SendMessageW(clicked(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(clicked(), WM_LBUTTONUP, 0, point);
    }

    std::function<void(int)> onToggled;

private:
    ui::ListBox& addList(int left) {
        ui::ListBox& list = form_->addListBox({"Names", {left, 120, 3360, 2160}, 0}, true);
        for (const char* name : {"Anna Berg", "Bo Lindqvist", "Carla Diaz", "David Okafor", "Guest Speaker"})
            list.addItem(name);
        list.onToggled = [this](int index) {
            toggled_.push_back(index);
            if (onToggled) onToggled(index);
        };
        return list;
    }
    static HWND handle(ui::ListBox& list) { return dynamic_cast<win32::Win32ListBox&>(list).handle(); }

    std::unique_ptr<ui::Window> form_;
    ui::ListBox& clicked_;
    ui::ListBox& spoken_;
    std::vector<int> toggled_;
    HWINEVENTHOOK hook_ = nullptr;
};

std::vector<bool> chosen(HWND list) {
    std::vector<bool> states;
    for (int index = 0; index < listCount(list); ++index) states.push_back(listChosen(list, index));
    return states;
}

int caretOf(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0)); }

// The events a changed entry brings, child IDs counted from 1.
std::vector<Event> changed(HWND list, LONG id, bool nowChosen) {
    const DWORD selection = nowChosen ? EVENT_OBJECT_SELECTIONADD : EVENT_OBJECT_SELECTIONREMOVE;
    return {{selection, list, id},
            {EVENT_OBJECT_STATECHANGE, list, id}};
}

bool has(const std::vector<Event>& events, const Event& wanted) {
    return std::find(events.begin(), events.end(), wanted) != events.end();
}

std::vector<Event> without(std::vector<Event> events, DWORD event) {
    events.erase(std::remove_if(events.begin(), events.end(), [&](const Event& e) { return e.event == event; }),
                 events.end());
    return events;
}

// The selection as get_accSelection hands it out: the child IDs, or {-1} for an answer that
// breaks the contract.
std::vector<LONG> selectionOf(IAccessible* accessible) {
    VARIANT selection;
    VariantInit(&selection);
    if (IAccessible_get_accSelection(accessible, &selection) != S_OK) return {-1};
    std::vector<LONG> children;
    if (selection.vt == VT_I4) children.push_back(selection.lVal);
    if (selection.vt == VT_UNKNOWN) {
        IEnumVARIANT* enumeration = nullptr;
        if (selection.punkVal &&
            SUCCEEDED(IUnknown_QueryInterface(selection.punkVal, IID_IEnumVARIANT, reinterpret_cast<void**>(&enumeration)))) {
            VARIANT items[8];
            ULONG fetched = 0;
            const HRESULT answer = IEnumVARIANT_Next(enumeration, 8, items, &fetched);
            for (ULONG i = 0; i < fetched; ++i) children.push_back(items[i].vt == VT_I4 ? items[i].lVal : -1);
            if (answer != S_FALSE || fetched < 2) children.push_back(-1);
            IEnumVARIANT_Release(enumeration);
        } else {
            children.push_back(-1);
        }
    }
    if (selection.vt != VT_EMPTY && selection.vt != VT_I4 && selection.vt != VT_UNKNOWN) children.push_back(-1);
    VariantClear(&selection);
    return children;
}

void checkDefaultAction(ChoosingWindow& window, IAccessible* accessible) {
    HRESULT answer = S_OK;
    expect(defaultActionOf(accessible, 3, answer) == L"Toggle" && answer == S_OK &&
               defaultActionOf(accessible, CHILDID_SELF, answer).empty() && answer == S_FALSE,
           "an entry's default action is named Toggle; the list itself has none");
    expect(IAccessible_accDoDefaultAction(accessible, child(CHILDID_SELF)) == DISP_E_MEMBERNOTFOUND &&
               IAccessible_accDoDefaultAction(accessible, child(6)) == E_INVALIDARG,
           "the list itself has no default action to do, and there is no sixth entry");

    const Outcome click = window.after([&] { window.click(2); });
    HRESULT done = E_FAIL;
    const Outcome spoken = window.after([&] { done = IAccessible_accDoDefaultAction(accessible, child(3)); });
    expect(done == S_OK && chosen(window.spoken()) == chosen(window.clicked()) &&
               chosen(window.spoken())[2] && caretOf(window.spoken()) == caretOf(window.clicked()) &&
               GetFocus() == window.spoken(),
           "an entry's default action chooses it as a click does: the same entries chosen, the caret and the "
           "focus on it");
    expect(spoken.toggled == click.toggled && spoken.toggled == std::vector<int>{2},
           "the form hears of the toggled entry as of a click");
    expect(without(spoken.events, EVENT_OBJECT_FOCUS) == changed(window.spoken(), 3, true) &&
               has(spoken.events, {EVENT_OBJECT_FOCUS, window.spoken(), 3}),
           "accessibility hears the entry added to the selection, its state changed and the focus on it");

    window.after([&] { window.click(2); });
    const Outcome again = window.after([&] { IAccessible_accDoDefaultAction(accessible, child(3)); });
    expect(chosen(window.spoken()) == chosen(window.clicked()) && !chosen(window.spoken())[2] &&
               again.toggled == std::vector<int>{2} &&
               without(again.events, EVENT_OBJECT_FOCUS) == changed(window.spoken(), 3, false),
           "done again, it unchooses the entry as a second click does, removed from the selection");
}

void checkSelectionFlags(ChoosingWindow& window, IAccessible* accessible) {
    const HWND list = window.spoken();
    const std::vector<bool> before = chosen(list);
    const Outcome refused = window.after([&] {
        expect(IAccessible_accSelect(accessible, 0x20, child(2)) == E_INVALIDARG &&
                   IAccessible_accSelect(accessible, SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION, child(2)) ==
                       E_INVALIDARG &&
                   IAccessible_accSelect(accessible, SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION, child(2)) ==
                       E_INVALIDARG &&
                   IAccessible_accSelect(accessible, SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION, child(2)) ==
                       E_INVALIDARG &&
                   IAccessible_accSelect(accessible, SELFLAG_ADDSELECTION, child(6)) == E_INVALIDARG &&
                   IAccessible_accSelect(accessible, SELFLAG_TAKESELECTION, child(CHILDID_SELF)) == E_INVALIDARG,
               "accSelect refuses unknown flags, contradicting ones, an entry the list lacks and choosing the "
               "list itself");
    });
    expect(chosen(list) == before && refused.toggled.empty() && refused.events.empty(),
           "a refused accSelect changes nothing and tells nobody");

    SetFocus(window.clicked());
    const Outcome added = window.after([&] { IAccessible_accSelect(accessible, SELFLAG_ADDSELECTION, child(2)); });
    expect(chosen(list)[1] && added.toggled == std::vector<int>{1} && added.events == changed(list, 2, true) &&
               GetFocus() == window.clicked(),
           "SELFLAG_ADDSELECTION chooses the entry, told as a click tells it, and leaves the focus where it was");
    const Outcome twice = window.after([&] { IAccessible_accSelect(accessible, SELFLAG_ADDSELECTION, child(2)); });
    expect(twice.toggled.empty() && twice.events.empty(), "adding an entry already chosen tells nobody");
    IAccessible_accSelect(accessible, SELFLAG_ADDSELECTION, child(5));
    expect(selectionOf(accessible) == std::vector<LONG>{2, 5},
           "get_accSelection hands out several chosen entries as an IEnumVARIANT of their child IDs");

    const Outcome focused = window.after([&] { IAccessible_accSelect(accessible, SELFLAG_TAKEFOCUS, child(4)); });
    expect(GetFocus() == list && caretOf(list) == 3 && chosen(list)[1] && chosen(list)[4] && !chosen(list)[3] &&
               focused.toggled.empty() && without(focused.events, EVENT_OBJECT_FOCUS).empty(),
           "SELFLAG_TAKEFOCUS alone moves the focus and the caret to the entry and chooses nothing");

    const Outcome taken = window.after(
        [&] { IAccessible_accSelect(accessible, SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, child(3)); });
    expect(chosen(list) == std::vector<bool>{false, false, true, false, false} && caretOf(list) == 2 &&
               taken.toggled == (std::vector<int>{1, 4, 2}),
           "SELFLAG_TAKESELECTION leaves only the entry chosen, each change told to the form");
    expect(selectionOf(accessible) == std::vector<LONG>{3}, "get_accSelection hands out one chosen entry as VT_I4");

    IAccessible_accSelect(accessible, SELFLAG_TAKEFOCUS, child(2));
    IAccessible_accSelect(accessible, SELFLAG_EXTENDSELECTION | SELFLAG_ADDSELECTION, child(4));
    expect(chosen(list) == std::vector<bool>{false, true, true, true, false},
           "SELFLAG_EXTENDSELECTION with SELFLAG_ADDSELECTION chooses every entry from the anchor to this one");

    const Outcome removed = window.after([&] {
        for (LONG id = 2; id <= 4; ++id) IAccessible_accSelect(accessible, SELFLAG_REMOVESELECTION, child(id));
    });
    expect(chosen(list) == std::vector<bool>(5, false) && removed.toggled == (std::vector<int>{1, 2, 3}) &&
               has(removed.events, {EVENT_OBJECT_SELECTIONREMOVE, list, 3}),
           "SELFLAG_REMOVESELECTION unchooses entries, told as clicks tell it");
    VARIANT none;
    VariantInit(&none);
    none.vt = VT_I4;
    expect(IAccessible_get_accSelection(accessible, &none) == S_OK && none.vt == VT_EMPTY,
           "get_accSelection answers VT_EMPTY while nothing is chosen");
}

// A form's handler may unload the form while the entries change.
void checkListGoneWhileChoosing(ChoosingWindow& window, IAccessible* accessible) {
    IAccessible_accSelect(accessible, SELFLAG_ADDSELECTION, child(1));
    IAccessible_accSelect(accessible, SELFLAG_ADDSELECTION, child(2));
    int told = 0;
    window.onToggled = [&](int) {
        ++told;
        window.destroy();
    };
    const HRESULT answer = IAccessible_accSelect(accessible, SELFLAG_TAKESELECTION, child(5));
    LONG count = 0;
    expect(answer == S_OK && told == 1 && IAccessible_get_accChildCount(accessible, &count) == CO_E_OBJNOTCONNECTED,
           "a handler that unloads the form stops the changes at once, and the object then says its list is gone");
}

}  // namespace

void checkListNames(HWND window, const std::string& name) {
    std::vector<Child> lists;
    for (const Child& candidate : children(window))
        if (isClass(candidate, L"ListBox")) lists.push_back(candidate);
    std::sort(lists.begin(), lists.end(), [](const Child& a, const Child& b) { return a.rect.left < b.rect.left; });
    std::vector<std::wstring> names;
    bool placed = !lists.empty();
    for (const Child& list : lists) {
        IAccessible* accessible = accessibleOf(list.handle);
        if (!accessible) {
            names.push_back(L"(no accessible object)");
            placed = false;
            continue;
        }
        names.push_back(nameOf(accessible, CHILDID_SELF));
        LONG left = 0, top = 0, width = 0, height = 0;
        RECT client{};
        GetClientRect(list.handle, &client);
        MapWindowPoints(list.handle, nullptr, reinterpret_cast<POINT*>(&client), 2);
        placed = placed &&
                 IAccessible_accLocation(accessible, &left, &top, &width, &height, child(CHILDID_SELF)) == S_OK &&
                 left == client.left && top == client.top && width == client.right - client.left &&
                 height == client.bottom - client.top;
        IAccessible_Release(accessible);
    }
    expect(names == std::vector<std::wstring>{L"People", L"Resources"},
           name + ": screen readers name its lists People and Resources, after the labels before them");
    expect(placed, name + ": each list says it lies where its client area is on the screen");
}

void checkListNamedInAShownWindow() {
    std::unique_ptr<ui::Window> form =
        ui::toolkit().createWindow({"ShownCheck", "Added when shown", 3600, 3600, ui::Border::FixedSingle});
    form->show();
    ui::ListBox& names = form->addListBox({"Names", {120, 360, 3360, 2160}, 0}, true);
    form->addButton({"Done", {120, 2640, 1200, 375}, 1}, "Done");
    form->addLabel({"NamesLabel", {120, 120, 3360, 255}, 2}, "&Guests");
    form->addButton({"Later", {1440, 2640, 1200, 375}, 3}, "Later");
    const HWND list = dynamic_cast<win32::Win32ListBox&>(names).handle();
    IAccessible* accessible = accessibleOf(list);
    expect(accessible && nameOf(accessible, CHILDID_SELF) == L"Guests",
           "a list added to a shown window is named after the label added above it, without its access key mark");
    if (accessible) IAccessible_Release(accessible);
    std::vector<std::wstring> order;
    for (HWND stop : tabOrder(GetParent(list))) order.push_back(windowText(stop));
    expect(order == std::vector<std::wstring>{L"", L"Done", L"Later"},
           "Tab goes through the list and the buttons added after it by their tab indexes");
}

void checkListChoosing() {
    ChoosingWindow window;
    IAccessible* accessible = accessibleOf(window.spoken());
    expect(accessible != nullptr, "a list has its IAccessible");
    if (!accessible) return;
    checkDefaultAction(window, accessible);
    checkSelectionFlags(window, accessible);
    checkListGoneWhileChoosing(window, accessible);
    IAccessible_Release(accessible);
}

}  // namespace windowcheck
