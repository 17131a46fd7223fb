#pragma once

#include <memory>

#include "sim_object.h"

namespace sim {

class CommandBars;
class Folder;

// An Outlook explorer window showing one folder.
class Explorer : public SimObject {
public:
    Explorer(Context& session, std::shared_ptr<Folder> folder);

    const std::shared_ptr<Folder>& folder() const { return folder_; }
    // FolderSwitch, then SelectionChange when the new folder has items; nothing for the same folder.
    void switchTo(std::shared_ptr<Folder> folder);
    void activate();
    // Close fires while the explorer is still counted; then it leaves Explorers.
    void close();
    long long activation() const { return activation_; }
    std::shared_ptr<CommandBars> commandBars();
    int groupScheduleShows() const { return groupScheduleShows_; }

private:
    void checkUsable() const override;

    std::shared_ptr<Folder> folder_;
    std::shared_ptr<CommandBars> bars_;
    long long activation_ = 0;
    bool closed_ = false;
    int groupScheduleShows_ = 0;
};

}  // namespace sim
