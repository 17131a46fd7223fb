#include "form_expectations.h"

#include <algorithm>

#include "check.h"
#include "win32/wide.h"
#include "window_inspection.h"

namespace windowcheck {
namespace {

using checks::expect;
using win32::narrow;

std::string text(const std::wstring& wideText) { return narrow(wideText.c_str()); }

std::string quoted(const std::wstring& wideText) { return "\"" + text(wideText) + "\""; }

// Records `what`, saying what was found instead when it does not hold.
void expectFound(bool holds, const std::string& what, const std::string& found) {
    expect(holds, holds ? what : what + " (found: " + found + ")");
}

std::string sizeText(SIZE size) { return std::to_string(size.cx) + "x" + std::to_string(size.cy); }

std::vector<Child> ofClass(const std::vector<Child>& all, const wchar_t* name) {
    std::vector<Child> found;
    for (const Child& child : all)
        if (isClass(child, name)) found.push_back(child);
    return found;
}

std::vector<Child> textLabels(const std::vector<Child>& all) {
    std::vector<Child> found;
    for (const Child& child : all)
        if (showsText(child)) found.push_back(child);
    return found;
}

std::vector<Child> listsFromLeft(const std::vector<Child>& all) {
    std::vector<Child> lists = ofClass(all, L"ListBox");
    std::sort(lists.begin(), lists.end(), [](const Child& a, const Child& b) { return a.rect.left < b.rect.left; });
    return lists;
}

bool endsWith(const std::wstring& whole, const std::wstring& ending) {
    return whole.size() >= ending.size() && whole.compare(whole.size() - ending.size(), ending.size(), ending) == 0;
}

bool overlap(const RECT& a, const RECT& b) {
    RECT common{};
    return IntersectRect(&common, &a, &b) != FALSE;
}

std::wstring tabStopName(HWND stop, const std::vector<Child>& lists) {
    for (size_t i = 0; i < lists.size(); ++i)
        if (lists[i].handle == stop) return L"list " + std::to_wstring(i + 1);
    if (className(stop) == L"Edit") return L"search box";
    return windowText(stop);
}

void checkFrame(HWND window, const FormExpectation& expected) {
    const std::string& name = expected.name;
    expect(className(window) == L"QuorvelForm", name + ": the window is a form window");
    expect(windowText(window) == expected.caption, name + ": the caption reads " + quoted(expected.caption));
    expect(IsWindowVisible(window) != FALSE, name + ": the window is visible");
    const SIZE dpi = windowDpi(window);
    const SIZE wanted{twipsToPixels(expected.clientWidthTwips, dpi.cx),
                      twipsToPixels(expected.clientHeightTwips, dpi.cy)};
    const SIZE actual = clientSize(window);
    expectFound(actual.cx == wanted.cx && actual.cy == wanted.cy,
                name + ": the client area is " + sizeText(wanted) + " pixels (" +
                    std::to_string(expected.clientWidthTwips) + "x" + std::to_string(expected.clientHeightTwips) +
                    " twips at " + std::to_string(dpi.cx) + "x" + std::to_string(dpi.cy) + " dpi)",
                sizeText(actual));
}

void checkButtons(const std::vector<Child>& all, const FormExpectation& expected) {
    const std::vector<Child> buttons = ofClass(all, L"Button");
    expectFound(buttons.size() == expected.buttons.size(),
                expected.name + ": buttons: " + std::to_string(expected.buttons.size()),
                std::to_string(buttons.size()));
    for (const ButtonExpectation& button : expected.buttons) {
        const bool found =
            std::any_of(buttons.begin(), buttons.end(), [&](const Child& child) { return child.text == button.text; });
        expect(found && drawnText(button.text) == button.drawn,
               expected.name + ": a button " + quoted(button.drawn) + " (text " + quoted(button.text) + ")");
    }
}

void checkLabels(const std::vector<Child>& all, const FormExpectation& expected) {
    const std::vector<Child> labels = textLabels(all);
    expectFound(labels.size() == expected.labels.size(),
                expected.name + ": labels: " + std::to_string(expected.labels.size()), std::to_string(labels.size()));
    for (const std::wstring& label : expected.labels) {
        const bool found =
            std::any_of(labels.begin(), labels.end(), [&](const Child& child) { return child.text == label; });
        expect(found, expected.name + ": a label " + quoted(label));
    }
    int pictures = 0;
    for (const Child& child : ofClass(all, L"Static"))
        if ((child.style & SS_TYPEMASK) == SS_BITMAP && SendMessageW(child.handle, STM_GETIMAGE, IMAGE_BITMAP, 0))
            ++pictures;
    expectFound(pictures == expected.pictures,
                expected.name + ": pictures showing a bitmap: " + std::to_string(expected.pictures),
                std::to_string(pictures));
    std::wstring legends;
    for (const Child& child : ofClass(all, L"Static"))
        if ((child.style & SS_TYPEMASK) == SS_OWNERDRAW) legends += child.text;
    expectFound(legends == expected.legend,
                expected.name + (expected.legend.empty() ? ": no legend" : ": a legend " + quoted(expected.legend)),
                text(legends));
}

void checkLists(const std::vector<Child>& all, const FormExpectation& expected) {
    const std::vector<Child> lists = listsFromLeft(all);
    expectFound(lists.size() == expected.lists.size(),
                expected.name + ": list boxes: " + std::to_string(expected.lists.size()), std::to_string(lists.size()));
    for (size_t i = 0; i < lists.size() && i < expected.lists.size(); ++i) {
        const ListExpectation& list = expected.lists[i];
        const HWND handle = lists[i].handle;
        const std::string which = expected.name + ": list " + std::to_string(i + 1);
        const int count = listCount(handle);
        expectFound(count == static_cast<int>(list.size()),
                    which + " holds " + std::to_string(list.size()) + " entries (LB_GETCOUNT)", std::to_string(count));
        for (int index = 0; index < count && index < static_cast<int>(list.size()); ++index) {
            const ListEntry& entry = list[static_cast<size_t>(index)];
            const std::string entryName = which + " entry " + std::to_string(index);
            expect(endsWith(listText(handle, index), entry.ending), entryName + " reads " + quoted(entry.ending));
            expect(listChosen(handle, index) == entry.chosen,
                   entryName + (entry.chosen ? " is chosen (LB_GETSEL)" : " is not chosen (LB_GETSEL)"));
        }
    }
}

// Where a label draws its text: from its top-left corner, as much as the text needs.
RECT textRect(const Child& label) {
    const SIZE needed = textRoom(label).needed;
    return {label.rect.left, label.rect.top, label.rect.left + needed.cx, label.rect.top + needed.cy};
}

std::string describe(const Child& child) { return quoted(child.text) + " (" + text(child.className) + ")"; }

void checkLayout(HWND window, const std::vector<Child>& all, const FormExpectation& expected) {
    const SIZE client = clientSize(window);
    const RECT area{0, 0, client.cx, client.cy};
    for (const Child& child : all) {
        RECT inside{};
        IntersectRect(&inside, &child.rect, &area);
        expect(EqualRect(&inside, &child.rect) != FALSE,
               expected.name + ": " + describe(child) + " lies inside the window");
    }
    // A label's box may reach under a control above it (as a list's top edge), where the label
    // draws no text and is clipped; no other two controls may share pixels. Children come
    // topmost first.
    for (size_t upper = 0; upper < all.size(); ++upper)
        for (size_t lower = upper + 1; lower < all.size(); ++lower) {
            const Child& top = all[upper];
            const Child& under = all[lower];
            if (!overlap(top.rect, under.rect)) continue;
            const bool harmless =
                showsText(under) && !overlap(textRect(under), top.rect) && (under.style & WS_CLIPSIBLINGS) != 0;
            expect(harmless,
                   expected.name + ": " + describe(top) + " covers only an empty, clipped part of " + describe(under));
        }
}

void checkText(const std::vector<Child>& all, const FormExpectation& expected) {
    for (const Child& child : all) {
        const bool hasText = isClass(child, L"Button") || showsText(child);
        if (hasText) {
            const TextRoom room = textRoom(child);
            expectFound(room.fits(), expected.name + ": " + quoted(child.text) + " fits in its control",
                        sizeText(room.needed) + " pixels needed, " + sizeText(room.available) + " available");
        }
        if (!hasText && !isClass(child, L"ListBox")) continue;
        const FontFaces faces = fontFaces(child.handle);
        const std::string what = expected.name + ": " + (hasText ? quoted(child.text) : text(child.className));
        expectFound(
            faces == expected.font,
            what + " is drawn in " + text(expected.font.requested) + ", which is " + text(expected.font.realised),
            text(faces.requested) + ", which is " + text(faces.realised));
    }
}

std::string joined(const std::vector<std::wstring>& names) {
    std::string all;
    for (const std::wstring& name : names) all += (all.empty() ? "" : ", ") + text(name);
    return all;
}

void checkTabOrder(HWND window, const std::vector<Child>& all, const FormExpectation& expected) {
    const std::vector<Child> lists = listsFromLeft(all);
    std::vector<std::wstring> order;
    for (HWND stop : tabOrder(window)) order.push_back(tabStopName(stop, lists));
    expectFound(order == expected.tabStops, expected.name + ": Tab goes through " + joined(expected.tabStops),
                joined(order));
}

}  // namespace

void checkWindow(HWND window, const FormExpectation& expected) {
    checkFrame(window, expected);
    const std::vector<Child> all = children(window);
    checkButtons(all, expected);
    checkLabels(all, expected);
    checkLists(all, expected);
    checkLayout(window, all, expected);
    checkText(all, expected);
    checkTabOrder(window, all, expected);
}

}  // namespace windowcheck
