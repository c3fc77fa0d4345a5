#pragma once

#include <windows.h>

// The application object: the program defines one global instance and overrides InitInstance, its
// start-up. wWinMain runs it; the process ends when it returns.
class WinApp {
public:
    WinApp();
    virtual ~WinApp();
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    // Runs the program; returns false to end it (a dialog program has no message pump of its own).
    virtual bool InitInstance() = 0;

    static WinApp* current() { return current_; }
    static HINSTANCE instance() { return instance_; }
    int run(HINSTANCE instance);

private:
    static WinApp* current_;
    static HINSTANCE instance_;
};
