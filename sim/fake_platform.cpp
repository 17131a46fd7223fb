#include "fake_platform.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "search_key.h"

namespace sim {
namespace {

constexpr int32_t ERROR_SUCCESS = 0;
constexpr int32_t ERROR_FILE_NOT_FOUND = 2;
constexpr int32_t ERROR_ACCESS_DENIED = 5;
constexpr int32_t ERROR_INVALID_HANDLE = 6;
// KEY_SET_VALUE, KEY_CREATE_SUB_KEY and KEY_CREATE_LINK.
constexpr uint32_t KeyWriteRights = 0x2 | 0x4 | 0x20;
constexpr int32_t ERROR_MORE_DATA = 234;
// ShellExecute reports success with a value above 32.
constexpr int32_t ShellSuccess = 42;

// Registry names compare without regard to case, as Windows' do.
std::string folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

FakePlatform::FakePlatform(Context& session)
    : context_(session), libraryFolder_(std::filesystem::current_path().string()) {}

platform::MessageBoxAnswer FakePlatform::messageBox(const std::string& text, const std::string& title,
                                                    platform::MessageBoxButtons buttons) {
    bool hasCancel = buttons == platform::MessageBoxButtons::OkCancel;
    AlertAnswer answer = context_.showAlert(title, text, "message box", hasCancel);
    return answer == AlertAnswer::Ok ? platform::MessageBoxAnswer::Ok : platform::MessageBoxAnswer::Cancel;
}

int32_t FakePlatform::shellOpen(const std::string& target, int32_t) {
    shellOpened_.push_back(target);
    return ShellSuccess;
}

void FakePlatform::setRegistryValue(uint32_t root, const std::string& key, const std::string& name, uint32_t type,
                                    const std::string& bytes) {
    registry_[{root, folded(key)}][folded(name)] = platform::RegistryData{type, bytes};
}

int32_t FakePlatform::regOpenKey(uint32_t root, const std::string& path, uint32_t access, uintptr_t& key) {
    key = 0;
    keyAccessAsked_.push_back(access);
    KeyName name{root, folded(path)};
    // The user is a standard user: the machine's keys open for reading only.
    if (root == platform::HKEY_LOCAL_MACHINE_ROOT && (access & KeyWriteRights) != 0) return ERROR_ACCESS_DENIED;
    if (registry_.count(name) == 0) return ERROR_FILE_NOT_FOUND;
    key = nextKey_++;
    openKeys_[key] = name;
    return ERROR_SUCCESS;
}

int32_t FakePlatform::regQueryValue(uintptr_t key, const std::string& name, uint32_t bufferSize,
                                    platform::RegistryData& data) {
    auto open = openKeys_.find(key);
    if (open == openKeys_.end()) return ERROR_INVALID_HANDLE;
    const auto& values = registry_[open->second];
    auto value = values.find(folded(name));
    if (value == values.end()) return ERROR_FILE_NOT_FOUND;
    if (value->second.bytes.size() > bufferSize) return ERROR_MORE_DATA;
    data = value->second;
    return ERROR_SUCCESS;
}

int32_t FakePlatform::regCloseKey(uintptr_t key) {
    return openKeys_.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

bool FakePlatform::startProcess(const std::string& path) {
    if (!processesStart_) return false;
    processesStarted_.push_back(path);
    return true;
}

std::optional<std::string> FakePlatform::loadString(uint32_t id) {
    auto found = strings_.find(id);
    if (found == strings_.end()) return std::nullopt;
    return found->second;
}

std::string FakePlatform::searchKey(const std::string& text) { return FoldForSearch(text); }

bool FakePlatform::fileExists(const std::string& path) {
    if (files_.count(path) > 0) return true;
    std::string local = path;
    std::replace(local.begin(), local.end(), '\\', '/');
    std::error_code ignored;
    return std::filesystem::is_regular_file(local, ignored);
}

}  // namespace sim
