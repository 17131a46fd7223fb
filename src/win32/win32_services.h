#pragma once

#include "platform/platform.h"

namespace win32 {

// The operating-system services of the add-in, from Windows.
class Win32Services final : public platform::Services {
public:
    platform::MessageBoxAnswer messageBox(const std::string& text, const std::string& title,
                                          platform::MessageBoxButtons buttons) override;
    int32_t shellOpen(const std::string& target, int32_t showCommand) override;
    int32_t regOpenKey(uint32_t root, const std::string& path, uint32_t access, uintptr_t& key) override;
    int32_t regQueryValue(uintptr_t key, const std::string& name, uint32_t bufferSize,
                          platform::RegistryData& data) override;
    int32_t regCloseKey(uintptr_t key) override;
    bool startProcess(const std::string& path) override;
    std::optional<std::string> loadString(uint32_t id) override;
    std::string libraryFolder() override;
    bool fileExists(const std::string& path) override;
    std::string timeOfDayText() override;
    // Called with each keystroke in a search box: it never throws.
    std::string searchKey(const std::string& text) override;
};

}  // namespace win32
