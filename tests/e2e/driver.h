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

// Waits until `done()` holds, at most timeoutMs; returns whether it does.
template <typename Done>
bool waitFor(Done done, DWORD timeoutMs = kWaitMs) {
    for (DWORD waited = 0; !done(); waited += 10, Sleep(10))
        if (waited >= timeoutMs) return false;
    return true;
}

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
        // Wine fails a start now and then on a loaded machine (ERROR_INTERNAL_ERROR): tried again, and told.
        for (int attempt = 1;
             attempt < 4 && !CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                            workingDir.c_str(), &startup, &info);
             ++attempt) {
            std::printf("start failed with error %lu, retrying\n", GetLastError());
            Sleep(200 * attempt);
        }
        if (!info.hProcess) ADD_FAILURE() << "cannot start the program";
        if (!info.hProcess) return;
        process_ = info.hProcess;
        CloseHandle(info.hThread);
        processId_ = info.dwProcessId;
        const bool shown = waitFor([&] {
            for (HWND window : dialogWindows(processId_))
                if (windowText(window) == L"Sonvaro" && GetDlgItem(window, IDC_UPGRADE)) dialog_ = window;
            return dialog_ != nullptr;
        });
        if (!shown) ADD_FAILURE() << "the settings dialog did not appear";
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

    // Messages go to the program without waiting: a handler may show a modal box.
    void click(int id) { SendNotifyMessageW(control(id), BM_CLICK, 0, 0); }
    void post(UINT message, WPARAM wParam) { SendNotifyMessageW(dialog_, message, wParam, 0); }

    // A person's keys, which reach the dialog at the front after anything it has posted to itself: each is
    // pressed and released (letters and digits by their own codes) once the one before shows on the screen.
    void press(const std::vector<WORD>& keys) const {
        SetCursorPos(0, 0);  // out of the way, where an open list cannot follow it
        for (WORD key : keys) {
            SetForegroundWindow(dialog_);  // as a person brings it to the front
            waitFor([&] { return GetForegroundWindow() == dialog_ || !IsWindow(dialog_); });
            INPUT strokes[2] = {};
            strokes[0].type = strokes[1].type = INPUT_KEYBOARD;
            strokes[0].ki.wVk = strokes[1].ki.wVk = key;
            strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
            const std::wstring before = seen();
            SendInput(2, strokes, sizeof(INPUT));
            if (!waitFor([&] { return seen() != before; }))
                return ADD_FAILURE() << "key " << key << " did nothing";
            sync();
        }
    }
    // The focus on the control, as a click or Tab gives it.
    void focusOn(int id) const { SendMessageW(dialog_, WM_NEXTDLGCTL, WPARAM(control(id)), TRUE); }
    // Chooses a row as a person does with the keyboard: F4 opens the list on the row it shows, the arrow keys
    // go from there to the row, Enter chooses it. Returns once the dialog has taken the choice, or shows a
    // box.
    void select(int id, int row) const {
        const int shown = selection(id);
        std::vector<WORD> keys(std::abs(row - shown), WORD(row < shown ? VK_UP : VK_DOWN));
        keys.insert(keys.begin(), VK_F4);
        keys.push_back(VK_RETURN);
        focusOn(id);
        press(keys);
    }
    // What a person sees change as a key takes effect: the window with the focus (a box's, once one is up),
    // its text and whether its list is open.
    std::wstring seen() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
        return std::to_wstring(reinterpret_cast<uintptr_t>(info.hwndFocus)) + L"|" +
               windowText(info.hwndFocus) + L"|" +
               std::to_wstring(SendMessageW(GetParent(info.hwndFocus), CB_GETDROPPEDSTATE, 0, 0));
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
                for (HWND icon : {GetDlgItem(box, 20), GetDlgItem(box, 0x440)})
                    if (icon && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0))
                        seen += L"|icon";
                SendNotifyMessageW(box, WM_COMMAND, button, 0);
                waitFor([&] { return !IsWindow(box); });
                return seen;
            }
            if (waited >= timeoutMs || WaitForSingleObject(process_, 20) != WAIT_TIMEOUT) return L"";
        }
    }
    // Returns once the dialog has taken everything sent and posted to it so far, or shows a box: a mark
    // posted to a button nobody sees has come through.
    void sync() const {
        const HWND mark = control(IDC_CONFIRM);
        const bool pushed = !(SendMessageW(mark, BM_GETSTATE, 0, 0) & BST_PUSHED);
        PostMessageW(mark, BM_SETSTATE, pushed, 0);
        waitFor([&] {
            return !IsWindow(mark) || !(SendMessageW(mark, BM_GETSTATE, 0, 0) & BST_PUSHED) != pushed;
        });
    }
    bool waitExit(DWORD timeoutMs = kWaitMs) const { return !WaitForSingleObject(process_, timeoutMs); }

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND dialog_ = nullptr;
};
