/* What the 32-bit Wine must do right for the x86 build's checks to mean anything, and what
 * QEMU's user-mode emulator gets wrong unless the root's fixes library mends it:
 *  - a fault that Windows code expects is raised as an exception, not the end of the process;
 *  - many threads started at once, each suspended and resumed again and again (every time a
 *    signal and its handler's return), each keep their own thread block.
 * Exits 0 when all holds, else prints what failed. */
#include <windows.h>
#include <stdio.h>

enum { THREAD_COUNT = 24, ROUNDS = 200, SUSPENSIONS = 20 };

static volatile LONG failures;
static HANDLE go;

static DWORD WINAPI keep_own_block(void *unused)
{
    (void)unused;
    WaitForSingleObject(go, INFINITE);
    DWORD id = GetCurrentThreadId();
    for (int round = 0; round < ROUNDS; round++) {
        NT_TIB *block = (NT_TIB *)NtCurrentTeb();
        if (block->Self != block || GetCurrentThreadId() != id)
            InterlockedIncrement(&failures);
        Sleep(0);
    }
    return 0;
}

int main(void)
{
    int status = 0;
    void *inaccessible = VirtualAlloc(NULL, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
    if (!inaccessible || !IsBadReadPtr(inaccessible, sizeof(int))) {
        printf("FAILED: a read of an inaccessible page was not caught as an exception\n");
        status = 1;
    }

    go = CreateEventW(NULL, TRUE, FALSE, NULL);
    HANDLE threads[THREAD_COUNT];
    for (int i = 0; i < THREAD_COUNT; i++)
        threads[i] = CreateThread(NULL, 0, keep_own_block, NULL, 0, NULL);
    SetEvent(go);
    for (int suspension = 0; suspension < SUSPENSIONS; suspension++) {
        for (int i = 0; i < THREAD_COUNT; i++) {
            SuspendThread(threads[i]);
            ResumeThread(threads[i]);
        }
    }
    if (WaitForMultipleObjects(THREAD_COUNT, threads, TRUE, 60000) != WAIT_OBJECT_0) {
        printf("FAILED: %d threads started at once did not all end within a minute\n", THREAD_COUNT);
        status = 1;
    }
    if (failures) {
        printf("FAILED: %ld times a thread found another thread's block\n", (long)failures);
        status = 1;
    }
    return status;
}
