#include "win32/module.h"

namespace win32 {
namespace {
HINSTANCE moduleHandle = nullptr;
LONG holds = 0;
}  // namespace

void setModule(HINSTANCE module) { moduleHandle = module; }

HINSTANCE module() { return moduleHandle; }

std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(moduleHandle, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void holdModule() { InterlockedIncrement(&holds); }

void releaseModule() { InterlockedDecrement(&holds); }

bool moduleInUse() { return holds != 0; }

}  // namespace win32
