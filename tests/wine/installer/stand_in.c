/* Stands in for programs the installer checks meet under Wine.
 *   stand_in wait [DLL]      runs as "OUTLOOK.EXE": loads DLL if given, says "running", then waits
 *                            for a line on stdin.
 *   stand_in record FILE ARG the shell's PDF reader: writes ARG to FILE in UTF-8.
 *   stand_in run FILE        runs the command line that FILE holds in UTF-8, exactly as written
 *                            (as typed at a prompt), and exits with its exit code.
 *   stand_in answer TEXT BUTTON
 *                            waits up to two minutes for a shown dialog with a line containing
 *                            TEXT, prints that line in UTF-8 and presses BUTTON: retry, cancel, or
 *                            none to leave it open. */
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

static int run(const wchar_t* file) {
    char text[8192];
    wchar_t line[8192];
    FILE* in = _wfopen(file, L"rb");
    if (!in) return 250;
    size_t size = fread(text, 1, sizeof text - 1, in);
    fclose(in);
    text[size] = 0;
    if (!MultiByteToWideChar(CP_UTF8, 0, text, -1, line, 8192)) return 251;
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return 252;
    DWORD status = 253;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)status;
}

struct search {
    const wchar_t* text;
    HWND dialog;
    wchar_t line[2048];
};

static BOOL CALLBACK find_line(HWND child, LPARAM context) {
    struct search* search = (struct search*)context;
    GetWindowTextW(child, search->line, 2048);
    return wcsstr(search->line, search->text) == NULL;
}

static BOOL CALLBACK find_dialog(HWND window, LPARAM context) {
    struct search* search = (struct search*)context;
    if (!IsWindowVisible(window) || EnumChildWindows(window, find_line, context)) return TRUE;
    search->dialog = window;
    return FALSE;
}

static int answer(const wchar_t* text, const wchar_t* button) {
    struct search search = {text, NULL, L""};
    for (int tries = 0; tries < 1200 && !search.dialog; ++tries) {
        EnumWindows(find_dialog, (LPARAM)&search);
        if (!search.dialog) Sleep(100);
    }
    if (!search.dialog) return 1;
    char line[4 * 2048];
    WideCharToMultiByte(CP_UTF8, 0, search.line, -1, line, sizeof line, NULL, NULL);
    puts(line);
    fflush(stdout);
    int id = wcscmp(button, L"retry") == 0 ? IDRETRY : wcscmp(button, L"cancel") == 0 ? IDCANCEL : 0;
    if (id) PostMessageW(search.dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(search.dialog, id));
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && wcscmp(argv[1], L"run") == 0) return run(argv[2]);
    if (argc == 4 && wcscmp(argv[1], L"answer") == 0) return answer(argv[2], argv[3]);
    if ((argc == 2 || argc == 3) && wcscmp(argv[1], L"wait") == 0) {
        char line[16];
        if (argc == 3 && !LoadLibraryW(argv[2])) return 3;
        puts("running");
        fflush(stdout);
        return fgets(line, sizeof line, stdin) ? 0 : 1;
    }
    if (argc == 4 && wcscmp(argv[1], L"record") == 0) {
        char text[4 * MAX_PATH];
        int size = WideCharToMultiByte(CP_UTF8, 0, argv[3], -1, text, sizeof text, NULL, NULL);
        FILE* out = _wfopen(argv[2], L"wb");
        if (size == 0 || !out) return 1;
        fputs(text, out);
        return fclose(out) == 0 ? 0 : 1;
    }
    fputs("usage: stand_in wait [DLL] | stand_in record FILE ARG | stand_in run FILE | stand_in answer TEXT BUTTON\n", stderr);
    return 2;
}
