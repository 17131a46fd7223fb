#pragma once

#include <map>
#include <memory>
#include <string>

#include "sim_object.h"

namespace sim {

class Folder;
class Item;

// The MAPI namespace: the default folders of the one store and the current user.
class NameSpace : public SimObject {
public:
    explicit NameSpace(Context& session);

    // Null for a folder type the store lacks.
    std::shared_ptr<Folder> defaultFolder(int16_t type) const;
    std::shared_ptr<Item> findById(const std::string& entryId) const;

private:
    std::map<int16_t, std::shared_ptr<Folder>> folders_;
};

}  // namespace sim
