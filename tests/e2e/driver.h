#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/common/paths.h"

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
    bool ok = false;
    bool cancel = false;
    bool icon = false;
};

class Program {
public:
    // Starts the program with the given working folder and waits for its dialog.
    explicit Program(const std::wstring& workingDir = testBinDir(), const std::wstring& exePath = L"");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND dialog() const { return dialog_; }
    HANDLE process() const { return process_; }
    DWORD processId() const { return processId_; }
    HWND control(int id) const { return GetDlgItem(dialog_, id); }

    std::wstring text(int id) const;
    bool visible(int id) const { return IsWindowVisible(control(id)) != FALSE; }
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    bool checked(int id) const;
    SIZE size(int id) const;
    std::vector<std::wstring> rows(int id) const;
    int selection(int id) const;

    // A person's choice in a list: the row becomes selected and the dialog hears of the change.
    void select(int id, int row);
    void click(int id);
    void systemCommand(WPARAM command);
    void close();  // the title bar's close box
    void key(WORD virtualKey);

    // The next message box of the program (one that is not `except`), or nullopt after the timeout.
    std::optional<MessageBoxInfo> waitMessageBox(DWORD timeoutMs = kWaitMs, HWND except = nullptr) const;
    // Waits for a box, checks nothing, presses the button.
    void answer(const MessageBoxInfo& box, int button) const;
    // True when no message box appears within the time.
    bool noMessageBox(DWORD ms) const { return !waitMessageBox(ms); }

    // Waits until the dialog has handled everything sent so far.
    void sync() const;
    bool waitExit(DWORD timeoutMs = kWaitMs) const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND dialog_ = nullptr;
};

// The window classes and titles of the top-level windows of a process.
std::vector<HWND> topLevelWindows(DWORD processId, const wchar_t* className);
