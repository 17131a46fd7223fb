#pragma once

#include <string>
#include <utility>
#include <vector>

// The add-in's windows as a user sees and uses them: in memory for the native build, real
// windows under Wine.
struct ListEntryView {
    std::string text;
    bool chosen = false;
    std::string availability;  // in words ("busy"), "" while unknown
};

struct ControlView {
    enum class Kind { Label, LinkLabel, Button, ListBox, Picture, Separator, SearchBox, Legend };
    Kind kind = Kind::Label;
    std::string name;
    std::string text;  // as stored: "Save && Close"
    bool isDefault = false;
    bool isCancel = false;
    bool multiSelect = false;
    std::vector<ListEntryView> entries;
    int firstVisible = 0;  // a list's first entry in view
};

struct WindowView {
    std::string name;  // the form's name, e.g. "PeopleResourcesForm"
    std::string caption;
    bool visible = false;
    std::vector<ControlView> controls;

    const ControlView* control(const std::string& controlName) const;
};

class WindowDriver {
public:
    virtual ~WindowDriver() = default;
    // The add-in's loaded windows, in the order they were created.
    virtual std::vector<WindowView> Windows() = 0;
    // Raise std::invalid_argument when the window or control is not there.
    virtual void Click(const std::string& window, const std::string& control) = 0;
    virtual void Tick(const std::string& window, const std::string& list, const std::string& entry) = 0;
    virtual void Close(const std::string& window) = 0;
    // Types into a search box: its text becomes `text`, one character at a time.
    virtual void Type(const std::string& window, const std::string& box, const std::string& text) = 0;
    // Esc with the focus in that control.
    virtual void Escape(const std::string& window, const std::string& control) = 0;
    // Scrolls the list until `entry` is its first entry in view.
    virtual void Scroll(const std::string& window, const std::string& list, const std::string& entry) = 0;
    // Lets the add-in's thread be idle for `slices` timer slices, or with -1 until no idle work is
    // left; answers the slices that ran a step.
    virtual int Idle(int slices) = 0;
};
