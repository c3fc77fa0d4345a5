#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/common/registry.h"

// Drives a running SonvaroSet.exe as a person would: reads its dialog, selects rows, clicks, answers
// message boxes. Every wait is bounded; a program that does not end is killed.

constexpr DWORD kWaitMs = 10000;

// Whether this process, and so the program it starts, runs on a Chinese system; and the text to expect.
inline bool chineseSystem() { return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_CHINESE; }
inline const wchar_t* expected(const wchar_t* chinese, const wchar_t* english) {
    return chineseSystem() ? chinese : english;
}

inline std::wstring windowText(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;  // with a timeout: a hung program must not hang the test
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &length);
    return text;
}

// The visible dialogs and message boxes (window class "#32770") of a process.
inline std::vector<HWND> dialogWindows(DWORD processId) {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) found.push_back(window);
    }
    return found;
}

class Program {
public:
    // Starts the program in the given working folder and waits for its dialog.
    explicit Program(const std::wstring& workingDir = testBinDir()) {
        const std::wstring exe = testBinDir() + L"SonvaroSet.exe";
        std::wstring command = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        // Wine fails a start now and then with ERROR_INTERNAL_ERROR on a loaded machine; a program that
        // really cannot start still fails after the retries.
        for (int attempt = 1; !CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                              nullptr, workingDir.c_str(), &startup, &info);
             ++attempt) {
            if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 4) {
                ADD_FAILURE() << "cannot start the program, error " << GetLastError();
                return;
            }
            std::printf("start failed with error %lu, retrying\n", GetLastError());
            Sleep(200 * attempt);
        }
        process_ = info.hProcess;
        CloseHandle(info.hThread);
        processId_ = info.dwProcessId;
        WaitForInputIdle(process_, kWaitMs);
        for (DWORD waited = 0; waited < kWaitMs && !dialog_; waited += 20, Sleep(20)) {
            for (HWND window : dialogWindows(processId_)) {
                if (windowText(window) == L"Sonvaro" && GetDlgItem(window, IDC_UPGRADE)) dialog_ = window;
            }
        }
        if (!dialog_) ADD_FAILURE() << "the settings dialog did not appear";
    }
    ~Program() {
        if (!process_) return;
        // Close it as a person would; kill it only when it does not end.
        while (!waitExit(0) && !answer(IDCANCEL, 0).empty()) continue;
        post(WM_COMMAND, IDCANCEL);
        if (!waitExit(5000)) TerminateProcess(process_, 1);
        waitExit(5000);
        CloseHandle(process_);
    }

    HWND dialog() const { return dialog_; }
    HWND control(int id) const { return GetDlgItem(dialog_, id); }
    std::wstring text(int id) const { return windowText(control(id)); }
    bool checked(int id) const { return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    int selection(int id) const { return static_cast<int>(SendMessageW(control(id), CB_GETCURSEL, 0, 0)); }
    std::wstring row(int id, int row) const {
        wchar_t text[256] = {};
        SendMessageW(control(id), CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
        return text;
    }

    // Messages go to the program without waiting: a handler may show a modal box. They are not posted:
    // Wine hands a posted message again to every modal loop its handler opens.
    void select(int id, int row) {
        SendMessageW(control(id), CB_SETCURSEL, row, 0);
        SendNotifyMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(control(id)));
    }
    void click(int id) { SendNotifyMessageW(control(id), BM_CLICK, 0, 0); }
    void post(UINT message, WPARAM wParam) { SendNotifyMessageW(dialog_, message, wParam, 0); }
    // Keys go to the window with the focus; the dialog's loop turns Enter and Escape into commands.
    void key(WORD virtualKey) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        sync();  // the dialog takes the focus back from a box that has just closed
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
        PostMessageW(info.hwndFocus ? info.hwndFocus : dialog_, WM_KEYDOWN, virtualKey, 1);
    }
    // Waits (at most timeoutMs) for the box the program shows once it has taken what was sent, presses
    // `button` and returns "caption|text", followed by "|OK Cancel" for a box with both and "|icon" for
    // one with the information icon; "" when none came.
    std::wstring answer(int button = IDOK, DWORD timeoutMs = 3000) const {
        sync();
        for (DWORD waited = 0;; waited += 20) {
            for (HWND box : dialogWindows(processId_)) {
                if (box == dialog_) continue;
                std::wstring seen = windowText(box) + L"|" + windowText(GetDlgItem(box, 0xFFFF));
                if (GetDlgItem(box, IDCANCEL)) seen += L"|OK Cancel";
                // The icon is a static control of its own: id 20 on Windows, 0x440 in Wine.
                for (HWND icon : {GetDlgItem(box, 20), GetDlgItem(box, 0x440)}) {
                    if (icon && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0))
                        seen += L"|icon";
                }
                SendNotifyMessageW(box, WM_COMMAND, button, 0);
                for (DWORD closing = 0; closing < kWaitMs && IsWindow(box); closing += 10) Sleep(10);
                return seen;
            }
            if (waited >= timeoutMs || WaitForSingleObject(process_, 20) != WAIT_TIMEOUT) return L"";
        }
    }
    // Returns once the dialog has taken everything sent so far, or shows a box.
    void sync() const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &result);
    }
    bool waitExit(DWORD timeoutMs = kWaitMs) const { return !WaitForSingleObject(process_, timeoutMs); }

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND dialog_ = nullptr;
};
