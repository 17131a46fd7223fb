#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// Positions and sizes in twips (1440 per inch), as the forms are laid out.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlSpec {
    std::string name;
    Rect rect;
    int tabIndex = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
};

// A label drawn as a link (blue, underlined, hand cursor) that reports clicks.
class LinkLabel : public Label {
public:
    std::function<void()> onClick;
};

class Button {
public:
    virtual ~Button() = default;
    virtual std::string caption() const = 0;
    std::function<void()> onClick;
};

// A picture box showing one of the library's bitmaps.
class Picture {
public:
    virtual ~Picture() = default;
};

// What is known of a person's or a resource's time at a meeting's time. Unknown: not yet asked.
enum class Availability { Unknown, Free, Tentative, Busy, OutOfOffice, WorkingElsewhere, NoInformation };

// The state in words, as accessible names and the legend give it: "busy", "out of office"; ""
// for Unknown.
std::string availabilityWords(Availability availability);

// The states a legend explains, in the order it shows them.
constexpr Availability LegendStates[] = {Availability::Free,        Availability::Tentative,
                                         Availability::Busy,        Availability::OutOfOffice,
                                         Availability::WorkingElsewhere, Availability::NoInformation};

// Rows of a list: the first and how many.
struct Rows {
    int first = 0;
    int count = 0;
};

// An unsorted list; each entry has a text, an item datum and a chosen flag, and in a list made
// with marks, an availability drawn before its text and added to its accessible name
// ("Anna Berg, busy").
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual int addItem(const std::string& text) = 0;
    virtual void removeItem(int index) = 0;
    virtual void clear() = 0;
    virtual int count() const = 0;
    virtual std::string text(int index) const = 0;
    virtual int32_t itemData(int index) const = 0;
    virtual void setItemData(int index, int32_t data) = 0;
    virtual bool selected(int index) const = 0;
    // The chosen entries' indexes, in order: one question however long the list.
    virtual std::vector<int> chosenIndexes() const = 0;
    virtual void setSelected(int index, bool chosen) = 0;
    virtual void unselectAll() = 0;
    // Many changes come between these two: the list may put off redrawing until the last.
    virtual void beginUpdate() {}
    virtual void endUpdate() {}
    virtual void setMark(int index, Availability mark) = 0;
    virtual Availability mark(int index) const = 0;
    // The entries in view now.
    virtual Rows visibleRows() const = 0;
    // Called after the user toggled an entry with a click.
    std::function<void(int index)> onToggled;
    // Called after other entries came into view (scrolling, the keyboard, a new size).
    std::function<void()> onScrolled;
};

// A one-line box the user types into. Esc in it clears it, and does not close the window.
class SearchBox {
public:
    virtual ~SearchBox() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    // Called after each change of the text, the user's or setText's.
    std::function<void()> onChange;
};

// Work done a step at a time on the window's thread while it is otherwise idle: one step per
// timer slice, never a step inside another. It ends when a step answers false, or when this
// object is destroyed.
class IdleWork {
public:
    virtual ~IdleWork() = default;
};

enum class Border { Sizable, FixedSingle, FixedDialog };

struct WindowSpec {
    std::string name;
    std::string caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    Border border = Border::Sizable;
};

class Window {
public:
    virtual ~Window() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
    // Shows the window without modality and without an owner.
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;

    virtual Label& addLabel(const ControlSpec& spec, const std::string& text) = 0;
    virtual LinkLabel& addLinkLabel(const ControlSpec& spec, const std::string& text) = 0;
    // `isDefault` and `isCancel` make it the Enter and the Escape button.
    virtual Button& addButton(const ControlSpec& spec, const std::string& caption, bool isDefault = false,
                              bool isCancel = false) = 0;
    // With `marked`, each entry has room for its availability's mark before its text.
    virtual ListBox& addListBox(const ControlSpec& spec, bool multiSelect, bool marked = false) = 0;
    virtual SearchBox& addSearchBox(const ControlSpec& spec) = 0;
    // Each of LegendStates' marks with its words, in one row.
    virtual void addAvailabilityLegend(const ControlSpec& spec) = 0;
    virtual Picture& addPicture(const ControlSpec& spec, int bitmapId) = 0;
    // An etched horizontal separator.
    virtual void addSeparator(const ControlSpec& spec) = 0;

    // Starts `step` running as idle work of this window's thread.
    virtual std::unique_ptr<IdleWork> startIdleWork(std::function<bool()> step) = 0;

    // Called when the user closes the window from its title bar.
    std::function<void()> onCloseRequest;
};

class Toolkit {
public:
    virtual std::unique_ptr<Window> createWindow(const WindowSpec& spec) = 0;

protected:
    ~Toolkit() = default;
};

void setToolkit(Toolkit* toolkit);
Toolkit& toolkit();

}  // namespace ui
