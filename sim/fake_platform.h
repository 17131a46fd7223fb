#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "context.h"
#include "platform/platform.h"

namespace sim {

// The operating-system services as the simulated session offers them: message boxes answered
// from the session's alert queue, recorded shell opens and process starts, a registry and string
// resources the test fills in, and a fixed clock.
class FakePlatform : public platform::Services {
public:
    explicit FakePlatform(Context& session);

    platform::MessageBoxAnswer messageBox(const std::string& text, const std::string& title,
                                          platform::MessageBoxButtons buttons) override;
    int32_t shellOpen(const std::string& target, int32_t showCommand) override;
    int32_t regOpenKey(uint32_t root, const std::string& path, uint32_t access, uintptr_t& key) override;
    int32_t regQueryValue(uintptr_t key, const std::string& name, uint32_t bufferSize,
                          platform::RegistryData& data) override;
    int32_t regCloseKey(uintptr_t key) override;
    bool startProcess(const std::string& path) override;
    std::optional<std::string> loadString(uint32_t id) override;
    std::string libraryFolder() override { return libraryFolder_; }
    bool fileExists(const std::string& path) override;
    std::string timeOfDayText() override { return timeOfDay_; }
    std::string searchKey(const std::string& text) override;

    void setRegistryValue(uint32_t root, const std::string& key, const std::string& name, uint32_t type,
                          const std::string& bytes);
    void setString(uint32_t id, const std::string& text) { strings_[id] = text; }
    void setLibraryFolder(const std::string& folder) { libraryFolder_ = folder; }
    void declareFile(const std::string& path) { files_.insert(path); }
    void setTimeOfDayText(const std::string& text) { timeOfDay_ = text; }
    void setProcessesStart(bool start) { processesStart_ = start; }

    const std::vector<std::string>& shellOpened() const { return shellOpened_; }
    const std::vector<std::string>& processesStarted() const { return processesStarted_; }
    // Registry keys opened and not yet closed.
    size_t openKeys() const { return openKeys_.size(); }
    // The access rights asked for by every key opening, granted or not.
    const std::vector<uint32_t>& keyAccessAsked() const { return keyAccessAsked_; }

private:
    using KeyName = std::pair<uint32_t, std::string>;

    Context& context_;
    std::map<KeyName, std::map<std::string, platform::RegistryData>> registry_;
    std::map<uintptr_t, KeyName> openKeys_;
    std::vector<uint32_t> keyAccessAsked_;
    uintptr_t nextKey_ = 0x100;
    std::map<uint32_t, std::string> strings_;
    std::set<std::string> files_;
    std::vector<std::string> shellOpened_;
    std::vector<std::string> processesStarted_;
    std::string libraryFolder_;
    std::string timeOfDay_ = "09:00:00";
    bool processesStart_ = true;
};

}  // namespace sim
