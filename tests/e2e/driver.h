#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/common/registry.h"

// Drives a running SonvaroSet.exe the way a person would: reads what its dialog shows, selects list rows,
// clicks buttons and answers message boxes. Every wait is bounded; a program that does not end is killed.

constexpr DWORD kWaitMs = 10000;

// True when this test process (and so the program it starts) runs on a Chinese system.
bool chineseSystem();
// Chinese when the system is Chinese, else English.
const wchar_t* expected(const wchar_t* chinese, const wchar_t* english);

struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    bool cancel = false;  // OK and Cancel, rather than OK alone
    bool icon = false;
};

class Program {
public:
    // Starts the program in the given working folder and waits for its dialog.
    explicit Program(const std::wstring& workingDir = testBinDir());
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND dialog() const { return dialog_; }
    HWND control(int id) const { return GetDlgItem(dialog_, id); }

    std::wstring text(int id) const;
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    bool checked(int id) const;
    std::vector<std::wstring> rows(int id) const;
    int selection(int id) const;

    // A person's choice in a list: the row becomes selected and the dialog hears of the change.
    void select(int id, int row);
    void click(int id);
    void post(UINT message, WPARAM wParam);  // to the dialog, not waiting for it
    void key(WORD virtualKey);               // to the control with the focus

    // The message box the program shows once it has taken what was sent so far, waiting at most
    // timeoutMs for it to show; nullopt when none came or the program ended.
    std::optional<MessageBoxInfo> messageBox(DWORD timeoutMs = 3000) const;
    // Presses a box's button and waits until the box is gone.
    void answer(const MessageBoxInfo& box, int button) const;
    // Waits until the dialog has handled everything sent so far, or is showing a box.
    void sync() const;
    bool waitExit(DWORD timeoutMs = kWaitMs) const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND dialog_ = nullptr;
};

// The visible top-level windows of a class that belong to a process.
std::vector<HWND> topLevelWindows(DWORD processId, const wchar_t* className);
