#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "win32/win32_controls.h"

namespace win32 {

struct ListAccessibleObject;

// A list whose entries live here, not in the window: the list box holds only their number and
// which are chosen (an owner-data list box), and draws each entry by asking for it. Filling it
// with a directory of thousands is one message, not one per entry.
class Win32ListBox final : public ui::ListBox, public Win32Control {
public:
    // `heightTwips`: the list's height on its form, which says how many rows it shows before its
    // window is made.
    Win32ListBox(int id, bool multiSelect, bool marked, int heightTwips)
        : Win32Control(id), multiSelect_(multiSelect), marked_(marked), heightTwips_(heightTwips) {}
    ~Win32ListBox() override;
    int addItem(const std::string& text) override;
    void removeItem(int index) override;
    void clear() override;
    int count() const override { return static_cast<int>(entries_.size()); }
    std::string text(int index) const override;
    int32_t itemData(int index) const override { return entry(index).data; }
    void setItemData(int index, int32_t data) override { entry(index).data = data; }
    bool selected(int index) const override;
    std::vector<int> chosenIndexes() const override;
    void setSelected(int index, bool chosen) override;
    void unselectAll() override;
    void beginUpdate() override;
    void endUpdate() override;
    void setMark(int index, ui::Availability mark) override;
    ui::Availability mark(int index) const override { return entry(index).mark; }
    ui::Rows visibleRows() const override;

    Blueprint blueprint() const override;
    void command(WORD notification) override;
    // WM_DRAWITEM: one entry drawn as a plain list box draws it.
    void draw(const DRAWITEMSTRUCT& item) const;
    // WM_CHARTOITEM: the entry after the caret, going round, whose text starts with `letter`; -1
    // for none. It is where typing a letter moves the caret.
    int entryStartingWith(wchar_t letter) const;
    // What a screen reader reads for an entry: its text, and its availability once known
    // ("Anna Berg, busy").
    std::wstring accessibleName(int index) const;
    // Chooses or unchooses an entry as a click on it does: accessibility hears of the change,
    // then the form's code. False when the entry already was so. The form's handler may destroy
    // the list.
    bool choose(int index, bool chosen);
    // Gives the list the focus and its caret on entry `index`; with `anchor`, also the anchor of
    // range selections.
    void focusEntry(int index, bool anchor);
    // What a screen reader is given for this list, made when first asked for; the caller owns
    // the reference returned. Once the list is gone the object answers that it is.
    IAccessible* accessible();
    bool multiSelect() const { return multiSelect_; }

private:
    // The text comes as UTF-8 and is converted only when first drawn or read, so that refilling
    // a list of thousands costs a copy of each name, not a conversion.
    struct Entry {
        std::string text;
        mutable std::wstring wideText;
        mutable bool converted = false;
        int32_t data = 0;
        bool chosen = false;  // only until the window exists; then the window knows
        ui::Availability mark = ui::Availability::Unknown;
    };
    const std::wstring& wideText(const Entry& entry) const;
    void attached() override;
    // Tells the list box how many entries there are; false when it had no room.
    bool showCount();
    void checkIndex(int index) const;
    Entry& entry(int index);
    const Entry& entry(int index) const;
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Answers the entry-text and entry-name messages (win32/list_entry_text.h) for readers on the
    // list's thread, and WM_GETOBJECT with the list's accessible object, for screen readers.
    // LB_GETTEXT stays the list box's own: for a list without strings it copies an entry's item
    // data, and a caller elsewhere gives a buffer of just that size.
    static LRESULT CALLBACK listProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT answer(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT answerEntry(WPARAM index, LPARAM lParam, bool accessibleName) const;
    void notifyToggled(int index);
    // After a message or an update that may have scrolled the list: the form hears of other rows
    // in view.
    void notifyIfScrolled();

    bool multiSelect_;
    bool marked_;
    int heightTwips_;
    ui::Rows lastRows_;  // in view when the form last heard
    std::vector<Entry> entries_;
    size_t shownCount_ = 0;  // entries the list box knows of
    int updating_ = 0;
    WNDPROC baseProcedure_ = nullptr;
    ListAccessibleObject* accessible_ = nullptr;  // made when a screen reader first asks
};

}  // namespace win32
