#pragma once

#include <string>
#include <utility>
#include <vector>

// The add-in's windows as a user sees and uses them: in memory for the native build, real
// windows under Wine.
struct ControlView {
    enum class Kind { Label, LinkLabel, Button, ListBox, Picture, Separator };
    Kind kind = Kind::Label;
    std::string name;
    std::string text;  // as stored: "Save && Close"
    bool isDefault = false;
    bool isCancel = false;
    bool multiSelect = false;
    std::vector<std::pair<std::string, bool>> entries;  // a list's texts and chosen flags
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
};
