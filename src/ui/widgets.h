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

// An unsorted list; each entry has a text, an item datum and a chosen flag.
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
    // Called after the user toggled an entry with a click.
    std::function<void(int index)> onToggled;
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
    virtual ListBox& addListBox(const ControlSpec& spec, bool multiSelect) = 0;
    virtual Picture& addPicture(const ControlSpec& spec, int bitmapId) = 0;
    // An etched horizontal separator.
    virtual void addSeparator(const ControlSpec& spec) = 0;

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
