#pragma once

#include <windows.h>

#include <string>

namespace windowcheck {

// The handshake with the script that takes the screenshots. For each window the program writes
// "READY <name> <left> <top> <width> <height>" (the window's rectangle on the screen) and waits,
// pumping messages so that the window stays drawn, for one line on its standard input.
class Controller {
public:
    Controller();
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // False when no line came in time or the input ended.
    bool ready(const std::string& name, HWND window);

private:
    HANDLE lines_;   // a semaphore: one count for each line read
    HANDLE reader_;  // the thread that reads the input
};

}  // namespace windowcheck
