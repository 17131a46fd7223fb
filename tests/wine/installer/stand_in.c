/* Stands in for programs the installer checks meet under Wine.
 *   stand_in wait            runs as "OUTLOOK.EXE": says "running", then waits for a line on stdin.
 *   stand_in record FILE ARG the shell's PDF reader: writes ARG to FILE in UTF-8. */
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && wcscmp(argv[1], L"wait") == 0) {
        char line[16];
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
    fputs("usage: stand_in wait | stand_in record FILE ARG\n", stderr);
    return 2;
}
