#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/widgets.h"

// One of the People & Resources dialog's lists. The entries' texts, item data, choices and
// availability are kept here; the widget shows those the filter lets through (all without one),
// so names are looked up in memory, never through the widget, and an entry the filter hides
// stays chosen. Entries are numbered in list order, whether shown or not.
class DirectoryList {
public:
    static constexpr int32_t DirectoryEntry = 1;
    static constexpr int32_t AppointmentOnly = 0;

    explicit DirectoryList(ui::ListBox& widget);

    void RemoveAll();
    // Appends an entry and answers its number.
    int Append(const std::string& name, int32_t itemData);
    // Unchooses every entry and drops the appointment-only ones.
    void Clear();
    // Chooses the first entry equal to `name` (exact, case-sensitive), appending it as an
    // appointment-only entry when there is none.
    void AddItemIfNew(const std::string& name, bool select);
    // The chosen entries' texts, each followed by ";", shown or not.
    std::string ChosenNames() const;
    // The chosen entries' numbers, in order, shown or not.
    std::vector<int> ChosenEntries() const;

    // Shows only the entries whose search key contains `key` (a search key itself); "" shows all.
    void SetFilter(const std::string& key);
    // Folds the search keys of up to `count` more entries, so that the first filter need not;
    // answers whether any are left.
    bool FoldSearchKeys(int count);
    // The chosen entries the filter hides.
    int HiddenChosenCount() const;
    // The entries in the widget's view now.
    std::vector<int> VisibleEntries() const;

    void SetAvailability(int entry, ui::Availability availability);
    ui::Availability Availability(int entry) const { return at(entry).availability; }
    // Every entry's availability back to unknown, as for another appointment.
    void ForgetAvailability();

    // Called after the user chose or unchose an entry, with its number.
    std::function<void(int entry)> OnToggled;
    // Called after other entries came into the widget's view.
    std::function<void()> OnScrolled;

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
    const std::string& Text(int entry) const { return at(entry).text; }
    int32_t ItemData(int entry) const { return at(entry).itemData; }

private:
    static constexpr int NotShown = -1;
    struct Entry {
        std::string text;
        int32_t itemData;
        bool chosen = false;  // the widget's choice holds while the entry is shown
        ui::Availability availability = ui::Availability::Unknown;
        int row = NotShown;
        std::string searchKey;  // folded when a filter first needs it
    };
    const Entry& at(int entry) const { return entries_.at(static_cast<size_t>(entry)); }
    Entry& at(int entry) { return entries_.at(static_cast<size_t>(entry)); }
    // The entry's search key, folded when first needed.
    static const std::string& searchKeyOf(Entry& entry);
    bool passesFilter(Entry& entry);
    void showRow(int entry);
    void choose(int entry, bool chosen);
    void takeWidgetChoices();
    void refill();
    void removeLast();

    ui::ListBox& widget_;
    std::vector<Entry> entries_;
    std::vector<int> rows_;  // each row's entry
    std::unordered_map<std::string, int> firstIndex_;
    std::string filter_;
    size_t folded_ = 0;  // entries before this have their search keys
    int appointmentOnly_ = 0;
    int marked_ = 0;  // entries whose availability is known
};
