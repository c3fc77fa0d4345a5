#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/common/registry.h"

// Drives a running SonvaroSet.exe as a person would: reads its dialog, selects rows, clicks, answers
// message boxes. Every wait is bounded; a program that does not end is killed.

constexpr DWORD kWaitMs = 10000;

// Whether this process, and so the program it starts, runs on a Chinese system; and the text to expect.
inline bool chineseSystem() { return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_CHINESE; }
inline const wchar_t* expected(const wchar_t* chinese, const wchar_t* english) {
    return chineseSystem() ? chinese : english;
}

class Program {
public:
    // Starts the program in the given working folder and waits for its dialog.
    explicit Program(const std::wstring& workingDir = testBinDir());
    ~Program();

    HWND dialog() const { return dialog_; }
    HWND control(int id) const { return GetDlgItem(dialog_, id); }
    std::wstring text(int id) const;
    bool checked(int id) const { return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    std::vector<std::wstring> rows(int id) const;
    int selection(int id) const { return static_cast<int>(SendMessageW(control(id), CB_GETCURSEL, 0, 0)); }

    void select(int id, int row);  // the row becomes selected and the dialog hears of the change
    void click(int id);
    void post(UINT message, WPARAM wParam);  // to the dialog, without waiting for it
    void key(WORD virtualKey);               // to the control with the focus
    // Waits (at most timeoutMs) for the box the program shows once it has taken what was sent, presses
    // `button` and returns "caption|text", followed by "|OK Cancel" for a box with both and "|icon" for
    // one with the information icon; "" when none came.
    std::wstring answer(int button = IDOK, DWORD timeoutMs = 3000) const;
    void sync() const;  // returns once the dialog has taken everything sent so far, or shows a box
    bool waitExit(DWORD timeoutMs = kWaitMs) const { return !WaitForSingleObject(process_, timeoutMs); }

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND dialog_ = nullptr;
};

// The visible dialogs and message boxes (window class "#32770") of a process.
std::vector<HWND> dialogWindows(DWORD processId);
