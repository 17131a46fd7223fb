#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/widgets.h"

// One of the People & Resources dialog's lists. The entries' texts and item data are kept here
// as well as in the widget, so that names are looked up in memory, never through the widget.
class DirectoryList {
public:
    static constexpr int32_t DirectoryEntry = 1;
    static constexpr int32_t AppointmentOnly = 0;

    explicit DirectoryList(ui::ListBox& widget) : widget_(widget) {}

    void RemoveAll();
    // Appends an entry and answers its index.
    int Append(const std::string& name, int32_t itemData);
    // Unchooses every entry and drops the appointment-only ones.
    void Clear();
    // Chooses the first entry equal to `name` (exact, case-sensitive), appending it as an
    // appointment-only entry when there is none.
    void AddItemIfNew(const std::string& name, bool select);
    // The chosen entries' texts, each followed by ";".
    std::string ChosenNames() const;

    // Holds off the list's redrawing, and its learning of new entries, while many change; both
    // resume when it is destroyed.
    class Update {
    public:
        explicit Update(DirectoryList& list) : widget_(list.widget_) { widget_.beginUpdate(); }
        ~Update() { widget_.endUpdate(); }
        Update(const Update&) = delete;
        Update& operator=(const Update&) = delete;

    private:
        ui::ListBox& widget_;
    };

    int Count() const { return static_cast<int>(entries_.size()); }
    const std::string& Text(int index) const { return entries_.at(static_cast<size_t>(index)).text; }
    int32_t ItemData(int index) const { return entries_.at(static_cast<size_t>(index)).itemData; }

private:
    struct Entry {
        std::string text;
        int32_t itemData;
    };
    void RemoveAt(int index);
    void RebuildIndex();

    ui::ListBox& widget_;
    std::vector<Entry> entries_;
    std::unordered_map<std::string, int> firstIndex_;
};
