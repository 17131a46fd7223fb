#pragma once

#include <memory>
#include <vector>

#include "sim_object.h"

namespace sim {

class Explorer;
class Folder;
class Inspector;
class Item;

// The open explorers, in the order they opened.
class Explorers : public SimObject {
public:
    explicit Explorers(Context& session);

    const std::vector<std::shared_ptr<Explorer>>& list() const { return list_; }
    // Opens an explorer on the folder: NewExplorer, then the new window's Activate.
    std::shared_ptr<Explorer> open(std::shared_ptr<Folder> folder);
    void remove(const Explorer* explorer);
    // The most recently activated explorer still open, or null.
    std::shared_ptr<Explorer> active() const;

private:
    std::vector<std::shared_ptr<Explorer>> list_;
};

// The open inspectors, in the order they opened.
class Inspectors : public SimObject {
public:
    explicit Inspectors(Context& session);

    const std::vector<std::shared_ptr<Inspector>>& list() const { return list_; }
    // Opens an inspector on the item (or on none): NewInspector, then the new window's Activate.
    std::shared_ptr<Inspector> open(std::shared_ptr<Item> item);
    // Raises NewInspector for a window already open, as Outlook may do for one it shows again.
    void announce(const std::shared_ptr<Inspector>& inspector);
    void remove(const Inspector* inspector);
    std::shared_ptr<Inspector> active() const;

private:
    std::vector<std::shared_ptr<Inspector>> list_;
};

}  // namespace sim
