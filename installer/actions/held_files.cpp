// The package's one custom action: before InstallValidate, it names the programs that have either
// installed Quorvel.dll loaded. Outlook keeps the add-in loaded for as long as it runs, and a DLL
// in use could only be replaced at the next restart. With a user interface the user is asked to
// close those programs and retry; silently (/qn) the package ends with 1603 and a line in its log,
// before anything has changed, so a deployment can try again later.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

namespace {

// MsiGetPropertyW and MsiGetTargetPathW: asked once for the size, then into a buffer of that size.
using InstallerText = UINT(WINAPI*)(MSIHANDLE, LPCWSTR, LPWSTR, LPDWORD);
std::wstring installerText(MSIHANDLE install, InstallerText get, const wchar_t* name) {
    DWORD size = 0;
    wchar_t empty[1] = L"";
    if (get(install, name, empty, &size) != ERROR_MORE_DATA) return {};
    std::wstring text(size + 1, L'\0');
    size = static_cast<DWORD>(text.size());
    if (get(install, name, text.data(), &size) != ERROR_SUCCESS) return {};
    text.resize(size);
    return text;
}

bool samePath(const std::wstring& left, const wchar_t* right) {
    return CompareStringOrdinal(left.c_str(), -1, right, -1, TRUE) == CSTR_EQUAL;
}

// A module snapshot may fail with ERROR_BAD_LENGTH while the process loads a module: its contract
// is to ask again.
HANDLE moduleSnapshot(DWORD process) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, process);
        if (snapshot != INVALID_HANDLE_VALUE || GetLastError() != ERROR_BAD_LENGTH) return snapshot;
    }
    return INVALID_HANDLE_VALUE;
}

bool inOwnSession(DWORD process) {
    DWORD own = 0;
    DWORD its = 0;
    return ProcessIdToSessionId(GetCurrentProcessId(), &own) && ProcessIdToSessionId(process, &its) && own == its;
}

// Whether the process has one of the files loaded. A process whose modules cannot be read holds
// them if it is an Outlook of the user's own session (an elevated one, seen from a per-user
// install); another user's Outlook on a terminal server cannot have loaded this user's files, and a
// per-machine install runs with the rights to read its modules.
bool holds(const PROCESSENTRY32W& process, const std::vector<std::wstring>& files) {
    HANDLE snapshot = moduleSnapshot(process.th32ProcessID);
    if (snapshot == INVALID_HANDLE_VALUE)
        return CompareStringOrdinal(process.szExeFile, -1, L"OUTLOOK.EXE", -1, TRUE) == CSTR_EQUAL &&
               inOwnSession(process.th32ProcessID);
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &module); more && !found; more = Module32NextW(snapshot, &module))
        for (const std::wstring& file : files) found = found || samePath(file, module.szExePath);
    CloseHandle(snapshot);
    return found;
}

// "OUTLOOK.EXE (process 1234)", a line each.
std::wstring holders(const std::vector<std::wstring>& files) {
    std::wstring list;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return list;
    PROCESSENTRY32W process{};
    process.dwSize = sizeof process;
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Process32FirstW(snapshot, &process); more; more = Process32NextW(snapshot, &process)) {
        if (process.th32ProcessID == self || process.th32ProcessID == 0 || !holds(process, files)) continue;
        list += process.szExeFile;
        list += L" (process " + std::to_wstring(process.th32ProcessID) + L")\r\n";
    }
    CloseHandle(snapshot);
    return list;
}

int report(MSIHANDLE install, INSTALLMESSAGE kind, const std::wstring& text) {
    PMSIHANDLE record = MsiCreateRecord(1);
    MsiRecordSetStringW(record, 0, L"[1]");
    MsiRecordSetStringW(record, 1, text.c_str());
    return MsiProcessMessage(install, kind, record);
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CheckHeldFiles(MSIHANDLE install) {
    const std::vector<std::wstring> files{installerText(install, MsiGetTargetPathW, L"INSTALLFOLDER_x64") + L"Quorvel.dll",
                                          installerText(install, MsiGetTargetPathW, L"INSTALLFOLDER_x86") + L"Quorvel.dll"};
    const bool silent = installerText(install, MsiGetPropertyW, L"UILevel") == L"2";
    for (;;) {
        const std::wstring list = holders(files);
        if (list.empty()) return ERROR_SUCCESS;
        const std::wstring text = L"Quorvel's files are in use by:\r\n\r\n" + list +
                                  L"\r\nClose these programs, then click Retry. Nothing has been changed.";
        const int answer =
            silent ? 0 : report(install, INSTALLMESSAGE(INSTALLMESSAGE_USER | MB_RETRYCANCEL | MB_ICONWARNING), text);
        if (answer == IDRETRY) continue;
        if (answer == IDCANCEL) return ERROR_INSTALL_USEREXIT;
        // No box was shown (/qn, or a user interface that shows none, as /passive): the log says why.
        report(install, INSTALLMESSAGE_INFO, L"Quorvel's files are in use by: " + list +
                                                 L"Nothing has been changed. Close these programs, then install again.");
        return ERROR_INSTALL_FAILURE;
    }
}
