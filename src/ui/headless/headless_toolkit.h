#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/widgets.h"

namespace ui::headless {

class HeadlessWindow;

// Windows kept in memory, so that tests and the simulator can look at them and click them.
class HeadlessToolkit : public Toolkit {
public:
    std::unique_ptr<Window> createWindow(const WindowSpec& spec) override;

    // The windows that exist now, in creation order.
    const std::vector<HeadlessWindow*>& windows() const { return windows_; }
    HeadlessWindow* find(const std::string& name) const;

    // One timer slice: each idle work runs one step. Answers how many ran.
    int runIdleSlice();
    bool idleWorkPending() const { return !idleWorks_.empty(); }

private:
    friend class HeadlessWindow;
    friend class HeadlessIdleWork;
    std::vector<HeadlessWindow*> windows_;
    std::vector<class HeadlessIdleWork*> idleWorks_;
};

class HeadlessIdleWork : public IdleWork {
public:
    HeadlessIdleWork(HeadlessToolkit& toolkit, std::function<bool()> step);
    ~HeadlessIdleWork() override;
    // Runs the step; once it answered false, the work is no longer pending.
    void runStep();

private:
    void finish();

    HeadlessToolkit& toolkit_;
    std::function<bool()> step_;
};

class HeadlessSearchBox : public SearchBox {
public:
    std::string text() const override { return text_; }
    void setText(const std::string& text) override;
    // The user types `text` into the emptied box, a character (of UTF-8) at a time.
    void type(const std::string& text);
    void escape() { setText(""); }

private:
    std::string text_;
};

class HeadlessLabel : public LinkLabel {
public:
    HeadlessLabel(std::string text, bool isLink) : text_(std::move(text)), isLink_(isLink) {}
    void setText(const std::string& text) override { text_ = text; }
    std::string text() const override { return text_; }
    bool isLink() const { return isLink_; }

private:
    std::string text_;
    bool isLink_;
};

class HeadlessButton : public Button {
public:
    HeadlessButton(std::string caption, bool isDefault, bool isCancel)
        : caption_(std::move(caption)), isDefault_(isDefault), isCancel_(isCancel) {}
    std::string caption() const override { return caption_; }
    bool isDefault() const { return isDefault_; }
    bool isCancel() const { return isCancel_; }
    void click() {
        if (onClick) onClick();
    }

private:
    std::string caption_;
    bool isDefault_;
    bool isCancel_;
};

class HeadlessListBox : public ListBox {
public:
    explicit HeadlessListBox(bool multiSelect, bool marked = false, int rowsInView = 20)
        : multiSelect_(multiSelect), marked_(marked), rowsInView_(rowsInView) {}
    int addItem(const std::string& text) override;
    void removeItem(int index) override;
    void clear() override { entries_.clear(); }
    int count() const override { return static_cast<int>(entries_.size()); }
    std::string text(int index) const override { return entry(index).text; }
    int32_t itemData(int index) const override { return entry(index).data; }
    void setItemData(int index, int32_t data) override { entry(index).data = data; }
    bool selected(int index) const override { return entry(index).chosen; }
    std::vector<int> chosenIndexes() const override;
    void setSelected(int index, bool chosen) override;
    void unselectAll() override;
    void setMark(int index, Availability mark) override { entry(index).mark = mark; }
    Availability mark(int index) const override { return entry(index).mark; }
    Rows visibleRows() const override;
    // A user's click: toggles the entry.
    void click(int index);
    // The user scrolls until that entry is the first in view.
    void scrollTo(int index);
    bool multiSelect() const { return multiSelect_; }
    bool marked() const { return marked_; }

private:
    struct Entry {
        std::string text;
        int32_t data = 0;
        bool chosen = false;
        Availability mark = Availability::Unknown;
    };
    Entry& entry(int index);
    const Entry& entry(int index) const;

    bool multiSelect_;
    bool marked_;
    int rowsInView_;
    int top_ = 0;
    std::vector<Entry> entries_;
};

class HeadlessPicture : public Picture {
public:
    explicit HeadlessPicture(int bitmapId) : bitmapId_(bitmapId) {}
    int bitmapId() const { return bitmapId_; }

private:
    int bitmapId_;
};

class HeadlessWindow : public Window {
public:
    enum class Kind { Label, LinkLabel, Button, ListBox, Picture, Separator, SearchBox, Legend };
    struct Control {
        Kind kind;
        ControlSpec spec;
        std::unique_ptr<HeadlessLabel> label;
        std::unique_ptr<HeadlessButton> button;
        std::unique_ptr<HeadlessListBox> list;
        std::unique_ptr<HeadlessPicture> picture;
        std::unique_ptr<HeadlessSearchBox> searchBox;
    };

    HeadlessWindow(HeadlessToolkit& toolkit, const WindowSpec& spec);
    ~HeadlessWindow() override;

    void setCaption(const std::string& caption) override { caption_ = caption; }
    std::string caption() const override { return caption_; }
    void show() override { visible_ = true; }
    void hide() override { visible_ = false; }
    bool isVisible() const override { return visible_; }

    Label& addLabel(const ControlSpec& spec, const std::string& text) override;
    LinkLabel& addLinkLabel(const ControlSpec& spec, const std::string& text) override;
    Button& addButton(const ControlSpec& spec, const std::string& caption, bool isDefault,
                      bool isCancel) override;
    ListBox& addListBox(const ControlSpec& spec, bool multiSelect, bool marked) override;
    SearchBox& addSearchBox(const ControlSpec& spec) override;
    void addAvailabilityLegend(const ControlSpec& spec) override;
    Picture& addPicture(const ControlSpec& spec, int bitmapId) override;
    void addSeparator(const ControlSpec& spec) override;
    std::unique_ptr<IdleWork> startIdleWork(std::function<bool()> step) override;

    const WindowSpec& spec() const { return spec_; }
    const std::vector<Control>& controls() const { return controls_; }
    HeadlessButton* button(const std::string& name) const;
    HeadlessListBox* listBox(const std::string& name) const;
    HeadlessLabel* label(const std::string& name) const;
    HeadlessSearchBox* searchBox(const std::string& name) const;
    // The user closes the window from its title bar.
    void requestClose();

private:
    Control& add(Kind kind, const ControlSpec& spec);
    const Control* control(const std::string& name) const;

    HeadlessToolkit& toolkit_;
    WindowSpec spec_;
    std::string caption_;
    bool visible_ = false;
    std::vector<Control> controls_;
};

}  // namespace ui::headless
