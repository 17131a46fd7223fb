#include "controller.h"

#include <cstdio>

#include "message_pump.h"

namespace windowcheck {
namespace {

// Long enough for a screenshot on a slow machine; short enough that a lost controller is noticed.
constexpr DWORD AnswerTimeoutMs = 60000;

// Counts the input's lines into the semaphore until the input ends.
DWORD WINAPI readLines(void* lines) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char byte = 0;
    DWORD read = 0;
    while (ReadFile(input, &byte, 1, &read, nullptr) && read == 1)
        if (byte == '\n') ReleaseSemaphore(static_cast<HANDLE>(lines), 1, nullptr);
    return 0;
}

}  // namespace

Controller::Controller()
    : lines_(CreateSemaphoreW(nullptr, 0, LONG_MAX, nullptr)),
      reader_(CreateThread(nullptr, 0, readLines, lines_, 0, nullptr)) {}

// The reader may still wait for input that never comes, and count a line into the semaphore
// after this: both stay until the process ends.
Controller::~Controller() {
    if (reader_) CloseHandle(reader_);
}

bool Controller::ready(const std::string& name, HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    std::printf("READY %s %ld %ld %ld %ld\n", name.c_str(), bounds.left, bounds.top, bounds.right - bounds.left,
                bounds.bottom - bounds.top);
    return lines_ && reader_ && pumpUntilSignalled(lines_, AnswerTimeoutMs);
}

}  // namespace windowcheck
