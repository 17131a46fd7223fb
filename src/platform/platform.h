#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum class MessageBoxButtons { Ok, OkCancel };
enum class MessageBoxAnswer { Ok, Cancel };

// Registry roots the add-in reads, with Windows' predefined handle values.
constexpr uint32_t HKEY_LOCAL_MACHINE_ROOT = 0x80000002;

struct RegistryData {
    uint32_t type = 0;
    std::string bytes;
};

// The few operating-system services the add-in uses; Windows and the simulator implement them.
class Services {
public:
    virtual MessageBoxAnswer messageBox(const std::string& text, const std::string& title,
                                        MessageBoxButtons buttons) = 0;
    // ShellExecute with the "open" verb; answers the shell's result unchanged.
    virtual int32_t shellOpen(const std::string& target, int32_t showCommand) = 0;
    // The three registry calls, as the About dialog makes them; a key handle of 0 is no key.
    virtual int32_t regOpenKey(uint32_t root, const std::string& path, uint32_t access, uintptr_t& key) = 0;
    virtual int32_t regQueryValue(uintptr_t key, const std::string& name, uint32_t bufferSize,
                                  RegistryData& data) = 0;
    virtual int32_t regCloseKey(uintptr_t key) = 0;
    // Starts a program with a normal, focused window; false when it could not be started.
    virtual bool startProcess(const std::string& path) = 0;
    virtual std::optional<std::string> loadString(uint32_t id) = 0;
    // The folder that holds the add-in library, without a trailing separator.
    virtual std::string libraryFolder() = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // The time of day in the user's regional time format.
    virtual std::string timeOfDayText() = 0;
    // `text` folded by the system's linguistic rules so that finding ignores case and accents:
    // the key of "Zoë Ångström" contains the key of "zoe".
    virtual std::string searchKey(const std::string& text) = 0;

protected:
    ~Services() = default;
};

void setServices(Services* services);
// The services in use; the host sets them before the add-in runs.
Services& services();

}  // namespace platform
