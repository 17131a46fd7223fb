#include "availability_checks.h"

#include <oleacc.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "accessible_queries.h"
#include "directory/people_resources_form.h"
#include "check.h"
#include "message_pump.h"
#include "screen_capture.h"
#include "ui/widgets.h"
#include "win32/form_windows.h"
#include "win32/list_entry_text.h"
#include "win32/wide.h"
#include "win32/win32_list_box.h"
#include "win32/win32_services.h"
#include "window_inspection.h"

namespace windowcheck {
namespace {

using checks::expect;
using ui::Availability;

constexpr DWORD ScreenTimeoutMs = 10000;
constexpr wchar_t Caption[] = L"People & Resources: availability";

const std::vector<std::pair<std::string, Availability>> People = {
    {"Anna Berg", Availability::Busy},           {"Bo Lindqvist", Availability::Free},
    {"Carla Diaz", Availability::Unknown},       {"David Okafor", Availability::Tentative},
    {"Eva Rossi", Availability::OutOfOffice},    {"Farid Haddad", Availability::WorkingElsewhere},
    {"Greta Holm", Availability::NoInformation},
};
const std::vector<std::pair<std::string, Availability>> Resources = {
    {"Room Aurora", Availability::Free}, {"Room Borealis", Availability::Busy}, {"Projector 2", Availability::Unknown}};

// The People & Resources dialog's layout, its lists filled by what the box finds (a plain
// case-blind search of the names, as the form's own is not what is checked here).
struct MarkedForm {
    std::unique_ptr<ui::Window> window;
    ui::SearchBox* box = nullptr;
    ui::ListBox* people = nullptr;
    ui::ListBox* resources = nullptr;
    int changes = 0;
    bool cancelled = false;
};

bool found(const std::string& name, const std::string& search) {
    std::string lower = name;
    for (char& letter : lower) letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return lower.find(search) != std::string::npos;
}

void fill(ui::ListBox& list, const std::vector<std::pair<std::string, Availability>>& entries,
          const std::string& search) {
    list.beginUpdate();
    list.clear();
    for (const auto& [name, availability] : entries) {
        if (!found(name, search)) continue;
        list.setMark(list.addItem(name), availability);
    }
    list.endUpdate();
}

std::unique_ptr<MarkedForm> makeForm() {
    auto form = std::make_unique<MarkedForm>();
    form->window = ui::toolkit().createWindow({"MarkedForm", win32::narrow(Caption), 7425, 6375, ui::Border::FixedDialog});
    ui::Window& window = *form->window;
    window.addLabel({"FindLabel", {240, 135, 555, 255}, 0}, "Find:");
    form->box = &window.addSearchBox({"FindBox", {840, 90, 6345, 315}, 0});
    window.addLabel({"PeopleLabel", {240, 525, 3375, 255}, 0}, "People");
    window.addLabel({"ResourcesLabel", {3840, 525, 3375, 255}, 0}, "Resources");
    form->people = &window.addListBox({"PeopleList", {240, 765, 3375, 3945}, 1}, true, true);
    form->resources = &window.addListBox({"ResourcesList", {3840, 765, 3375, 3945}, 2}, true, true);
    window.addAvailabilityLegend({"Legend", {240, 4800, 6975, 255}, 0});
    window.addLabel({"SummaryLabel", {240, 5130, 6975, 450}, 0}, "2 people and 1 resource invited");
    window.addButton({"SaveButton", {5520, 5760, 1695, 375}, 3}, "Save && Close", true);
    ui::Button& cancel = window.addButton({"CancelButton", {3600, 5760, 1695, 375}, 4}, "Cancel", false, true);
    MarkedForm* self = form.get();
    cancel.onClick = [self] { self->cancelled = true; };
    form->box->onChange = [self] {
        ++self->changes;
        fill(*self->people, People, self->box->text());
        fill(*self->resources, Resources, self->box->text());
    };
    fill(*form->people, People, "");
    fill(*form->resources, Resources, "");
    return form;
}

HWND controlOf(HWND window, const wchar_t* className, int nth = 0) {
    for (const Child& child : children(window))
        if (isClass(child, className) && nth-- == 0) return child.handle;
    return nullptr;
}

// Lists in z-order: People, then Resources.
HWND listOf(HWND window, int nth) { return controlOf(window, L"ListBox", nth); }

// The object WM_GETOBJECT hands a screen reader, asked of the list itself: Wine cannot marshal an
// IAccessible, not even within the process.
std::wstring entryName(HWND list, LONG id) {
    auto* widget = reinterpret_cast<win32::Win32ListBox*>(GetWindowLongPtrW(list, GWLP_USERDATA));
    if (!widget) return L"";
    IAccessible* accessible = widget->accessible();
    const std::wstring name = nameOf(accessible, id);
    IAccessible_Release(accessible);
    return name;
}

void checkNames(HWND window) {
    HWND people = listOf(window, 0);
    expect(entryName(people, 1) == L"Anna Berg, busy", "an entry's accessible name gives its mark (\"Anna Berg, busy\")");
    expect(entryName(people, 3) == L"Carla Diaz", "an entry whose availability is unknown is named by its text alone");
    expect(entryName(people, 6) == L"Farid Haddad, working elsewhere",
           "an entry's accessible name gives its mark in words (\"working elsewhere\")");
    expect(readListEntryText(people, 0) == L"Anna Berg", "the entry-text message gives the bare name of a marked entry");
    expect(readListEntryName(people, 0) == L"Anna Berg, busy" && readListEntryName(people, 2) == L"Carla Diaz",
           "the entry-name message gives the accessible names");
    HWND legend = nullptr;
    for (const Child& child : children(window))
        if (isClass(child, L"Static") && (child.style & SS_TYPEMASK) == SS_OWNERDRAW) legend = child.handle;
    expect(legend && windowText(legend) == L"Free, Tentative, Busy, Out of office, Working elsewhere, No information",
           "the legend's text names each state, as screen readers read it");
    HWND box = controlOf(window, L"Edit");
    // Windows names an edit box after the label just before it in z-order; Wine's accessible
    // objects give an edit's text instead, so the order is what is checked.
    HWND before = box ? GetWindow(box, GW_HWNDPREV) : nullptr;
    expect(before && className(before) == L"Static" && windowText(before) == L"Find:",
           "the search box is named \"Find:\": that label comes just before it in z-order");
}

// Esc as the keyboard gives it: queued for the focus and taken by a message loop, whose hook hands
// it to the form's dialog manager first. Only keyboard messages are taken.
void pressEscape(HWND focus) {
    PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(focus, WM_CHAR, VK_ESCAPE, 0x00010001);
    PostMessageW(focus, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001));
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) DispatchMessageW(&message);
}

// Esc in the box clears it, and nothing else: the window stays, the cancel button is not pressed.
void checkEscape(HWND window, MarkedForm& form) {
    HWND box = controlOf(window, L"Edit");
    form.box->setText("ro");
    const int changes = form.changes;
    SetFocus(box);
    pressEscape(box);
    expect(windowText(box).empty() && form.box->text().empty(), "Esc in the search box clears it");
    expect(form.changes == changes + 1, "clearing the box with Esc is one change");
    expect(!form.cancelled && IsWindowVisible(window), "Esc in the search box does not press Cancel; the window stays");
    expect(listCount(listOf(window, 0)) == static_cast<int>(People.size()), "the cleared box finds everyone again");
}

// Colours a list drew into a bitmap, through WM_PRINTCLIENT, as on the screen.
class Drawn {
public:
    explicit Drawn(HWND list) {
        GetClientRect(list, &client_);
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, client_.right, client_.bottom);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
        SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
    }
    ~Drawn() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Drawn(const Drawn&) = delete;
    Drawn& operator=(const Drawn&) = delete;
    // The colours in a square around the point.
    std::map<COLORREF, int> colours(int x, int y, int radius) const {
        std::map<COLORREF, int> found;
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) ++found[GetPixel(dc_, x + dx, y + dy)];
        return found;
    }

private:
    RECT client_{};
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(128, 128, 128);
constexpr COLORREF Blue = RGB(0, 114, 198);
constexpr COLORREF Purple = RGB(128, 0, 128);

bool only(const std::map<COLORREF, int>& found, COLORREF colour) { return found.size() == 1 && found.count(colour); }
bool both(const std::map<COLORREF, int>& found, COLORREF lines) {
    return found.size() == 2 && found.count(lines) && found.count(White);
}

std::string colourText(const std::map<COLORREF, int>& found) {
    std::string text;
    char one[32];
    for (const auto& [colour, pixels] : found) {
        std::snprintf(one, sizeof one, "%s#%02x%02x%02x x%d", text.empty() ? "" : " ", GetRValue(colour),
                      GetGValue(colour), GetBValue(colour), pixels);
        text += one;
    }
    return text;
}

// Each mark's inside has its state's colours: solid, or lines over white; its edge is drawn.
void checkMarkColours(HWND window, MarkedForm& form) {
    HWND people = listOf(window, 0);
    const int row = static_cast<int>(SendMessageW(people, LB_GETITEMHEIGHT, 0, 0));
    form.people->setSelected(0, true);
    const Drawn drawn(people);
    const int x = 1 + row / 2;
    const int radius = row / 4;
    const auto inside = [&](int index) { return drawn.colours(x, index * row + row / 2, radius); };
    const auto check = [&](int index, bool holds, const std::string& what) {
        expect(holds, what + (holds ? "" : " (found " + colourText(inside(index)) + ")"));
    };
    check(0, only(inside(0), Blue), "a busy mark is solid blue, also on a chosen entry");
    check(1, only(inside(1), White) && drawn.colours(x, row + row / 2, row / 2 - 1).count(Grey),
          "a free mark is white inside a grey edge");
    check(2, only(drawn.colours(x, 2 * row + row / 2, row / 2), White), "an unknown availability draws no mark");
    check(3, both(inside(3), Blue), "a tentative mark is blue lines on white");
    check(4, only(inside(4), Purple), "an out-of-office mark is solid purple");
    check(5, both(inside(5), Purple), "a working-elsewhere mark is purple lines on white");
    check(6, both(inside(6), Grey), "a no-information mark is grey lines on white");
    const std::wstring chosenText = L"Anna Berg";
    const auto text = drawn.colours(x + row + radius + 4, row / 2, radius);
    expect(text.count(GetSysColor(COLOR_HIGHLIGHT)) > 0 && readListEntryText(people, 0) == chosenText,
           "a chosen marked entry is highlighted beside its mark");
    form.people->setSelected(0, false);
}

// A mark changed later is drawn at once, and the change is told as a new name.
void checkMarkChange(HWND window, MarkedForm& form) {
    form.people->setMark(2, Availability::Busy);
    HWND people = listOf(window, 0);
    expect(entryName(people, 3) == L"Carla Diaz, busy", "a mark set later is in the entry's name");
    const int row = static_cast<int>(SendMessageW(people, LB_GETITEMHEIGHT, 0, 0));
    const Drawn drawn(people);
    expect(only(drawn.colours(1 + row / 2, 2 * row + row / 2, row / 4), Blue), "a mark set later is drawn");
    form.people->setMark(2, Availability::Unknown);
}

// The rows in view follow scrolling, and the form hears of it once per change.
void checkRowsInView() {
    std::unique_ptr<ui::Window> other = ui::toolkit().createWindow({"RowsCheck", "Rows", 3600, 2400, ui::Border::FixedSingle});
    ui::ListBox& list = other->addListBox({"Long", {120, 120, 3300, 1995}, 0}, false, true);
    for (int index = 0; index < 40; ++index) list.addItem("Entry " + std::to_string(index));
    const ui::Rows before = list.visibleRows();
    int scrolled = 0;
    list.onScrolled = [&] { ++scrolled; };
    other->show();
    const ui::Rows made = list.visibleRows();
    expect(before.first == 0 && before.count == made.count && made.count > 0 && made.count < 40,
           "before its window is made a list shows the rows its height holds (" + std::to_string(before.count) + ", made " +
               std::to_string(made.count) + ")");
    HWND box = listOf(FindWindowW(win32::FormWindowClass, L"Rows"), 0);
    SendMessageW(box, LB_SETTOPINDEX, 12, 0);
    const ui::Rows moved = list.visibleRows();
    expect(moved.first == 12 && moved.count == made.count && scrolled == 1,
           "scrolled to entry 12, the list shows it first and tells its form once");
    SendMessageW(box, LB_SETTOPINDEX, 12, 0);
    RECT place{};
    GetWindowRect(box, &place);
    SetWindowPos(box, nullptr, 0, 0, place.right - place.left, (place.bottom - place.top) / 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const ui::Rows smaller = list.visibleRows();
    expect(scrolled == 2 && smaller.first == 12 && smaller.count < made.count,
           "made smaller, the list shows fewer rows and tells its form once more (told " + std::to_string(scrolled) +
               " times, rows " + std::to_string(smaller.first) + "+" + std::to_string(smaller.count) + ")");
}

}  // namespace

void checkAvailabilityMarks() {
    std::unique_ptr<MarkedForm> form = makeForm();
    form->window->show();
    HWND window = FindWindowW(win32::FormWindowClass, Caption);
    expect(window != nullptr, "the marked form shows its window");
    if (!window) return;
    checkNames(window);
    checkMarkColours(window, *form);
    checkMarkChange(window, *form);
    checkEscape(window, *form);
    checkRowsInView();
}

void checkFindInForm(HWND window, PeopleResourcesForm& form, Controller& controller) {
    HWND people = listOf(window, 0);
    expect(entryName(people, 1) == L"Anna Berg, busy" && entryName(people, 3) == L"Carla Diaz",
           "people_resources: an entry is named with its mark (\"Anna Berg, busy\"), one unknown without");
    HWND box = controlOf(window, L"Edit");
    HWND before = box ? GetWindow(box, GW_HWNDPREV) : nullptr;
    expect(before && windowText(before) == L"Find:", "people_resources: the search box is named \"Find:\"");
    form.FindBox().setText("ro");
    SetFocus(box);
    pressEscape(box);
    expect(windowText(box).empty() && IsWindowVisible(window) && listCount(people) == 5,
           "people_resources: Esc in the search box clears it, all are shown again, and the window stays");
    form.FindBox().setText("a");
    expect(listCount(people) < 5 && listCount(people) > 0 && readListEntryText(people, 0) == L"Anna Berg",
           "people_resources: typed into, the search box narrows the lists (" + std::to_string(listCount(people)) +
               " people)");
    expect(pollUntil([&] { return screenShows(window); }, ScreenTimeoutMs),
           "people_resources_found: the screen shows the window as it drew itself");
    expect(controller.ready("people_resources_found", window), "people_resources_found: the controller went on");
    form.FindBox().setText("");
}

void checkSearchKeys() {
    win32::Win32Services services;
    expect(services.searchKey("Zoë Ångström") == "zoe angstrom", "the search key of \"Zoë Ångström\" is \"zoe angstrom\"");
    expect(services.searchKey("ÉCOLE Ça") == "ecole ca", "search keys drop accents of capitals and lower them");
    expect(services.searchKey("") == "", "the search key of nothing is nothing");
    expect(services.searchKey("Room 2") == "room 2", "a plain name's search key is it in lower case");
}

}  // namespace windowcheck
