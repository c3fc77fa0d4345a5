#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/common/registry.h"

// Drives a running SonvaroSet.exe as a person would; every wait is bounded, a program that hangs is killed.

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
    wchar_t text[1024] = {};  // with a timeout: a hung program must not hang the test
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, LPARAM(text), SMTO_ABORTIFHUNG, 5000, nullptr);
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
        // Looked up once: Wine 10 hangs on a lookup among the controls a closing dialog is destroying.
        for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            controls_[GetDlgCtrlID(child)] = child;
    }
    ~Program() {
        if (!process_) return;
        // Close it as a person would; kill it only when it does not end, or its boxes do not.
        for (int boxes = 0; boxes < 20 && !waitExit(0) && !answer(IDCANCEL, 0).empty(); ++boxes) continue;
        notify(IDCANCEL, BN_CLICKED);
        if (!waitExit(5000)) TerminateProcess(process_, 1);
        waitExit(5000);
        CloseHandle(process_);
    }

    HWND dialog() const { return dialog_; }
    HWND control(int id) const { return controls_.count(id) ? controls_.at(id) : nullptr; }
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
    // What a control tells its dialog, as Windows sends it.
    void notify(int id, int code) {
        SendNotifyMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, code), LPARAM(control(id)));
    }

    // A person's keys (letters and digits by their own codes) and clicks, which reach the dialog at the front
    // after anything it has posted to itself, each once the one before shows on the screen.
    void press(const std::vector<WORD>& keys) const {
        SetCursorPos(0, 0);  // out of the way, where an open list cannot follow it
        for (WORD key : keys) {
            INPUT stroke{INPUT_KEYBOARD, {}};
            stroke.ki.wVk = key;
            if (!input(stroke)) return ADD_FAILURE() << "key " << key << " did nothing";
        }
    }
    void clickAt(POINT at) const {
        SetCursorPos(at.x, at.y);
        INPUT click{INPUT_MOUSE, {}};
        click.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        if (!input(click)) ADD_FAILURE() << "the click at " << at.x << "," << at.y << " did nothing";
    }
    void clickOn(int id) const {
        RECT box{};
        GetWindowRect(control(id), &box);
        clickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    }
    // Opens the list with F4 and clicks its row with the mouse: the list drops below its field.
    void clickRow(int id, int row) const {
        focusOn(id);
        press({VK_F4});
        RECT box{};
        GetWindowRect(control(id), &box);
        const auto height = static_cast<int>(SendMessageW(control(id), CB_GETITEMHEIGHT, 0, 0));
        row -= static_cast<int>(SendMessageW(control(id), CB_GETTOPINDEX, 0, 0));
        clickAt({box.left + height, box.bottom + row * height + height / 2});
    }
    // The focus on the control, as a click or Tab gives it.
    void focusOn(int id) const { SendMessageW(dialog_, WM_NEXTDLGCTL, WPARAM(control(id)), TRUE); }
    // Chooses a row with the keyboard: F4 opens the list on the row it shows, the arrow keys go from there to
    // the row, Enter chooses it. Returns once the dialog has taken the choice, or shows a box.
    void select(int id, int row) const {
        const int shown = selection(id);
        std::vector<WORD> keys(std::abs(row - shown), WORD(row < shown ? VK_UP : VK_DOWN));
        keys.insert(keys.begin(), VK_F4);
        keys.push_back(VK_RETURN);
        focusOn(id);
        press(keys);
    }
    // What a person sees change as a key or a button takes effect: the window with the focus (a box's, once
    // one is up), its text, and whether its list is open.
    std::wstring seen() const {
        const HWND focused = threadInfo().hwndFocus;
        return std::to_wstring(reinterpret_cast<uintptr_t>(focused)) + L"|" + windowText(focused) + L"|" +
               std::to_wstring(SendMessageW(GetParent(focused), CB_GETDROPPEDSTATE, 0, 0));
    }
    // Waits (at most timeoutMs) for the program's next box, presses `button` and returns "caption|text", then
    // "|OK Cancel" for a box with both and "|icon" for one with the information icon; "" when none came.
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
    // Returns once the dialog (or its box) has taken all sent so far: a mark posted to a hidden button is in.
    void sync() const {
        const HWND mark = control(IDC_CONFIRM);
        const auto pushed = [&] { return (SendMessageW(mark, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; };
        const bool push = !pushed();
        PostMessageW(mark, BM_SETSTATE, push, 0);
        waitFor([&] { return !IsWindow(mark) || pushed() == push; });
    }
    bool waitExit(DWORD timeoutMs = kWaitMs) const { return !WaitForSingleObject(process_, timeoutMs); }

    GUITHREADINFO threadInfo() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
        return info;
    }

private:
    // Presses and releases a key or the left button in the dialog at the front; returns whether it shows.
    bool input(INPUT down) const {
        // Brought to the front only when it is not: under Wine that activates it again, which closes an open
        // list, and the activation may come after the next key.
        if (GetForegroundWindow() != dialog_) {
            SetForegroundWindow(dialog_);
            waitFor([&] { return threadInfo().hwndActive == dialog_ || !IsWindow(dialog_); });
            sync();
        }
        INPUT events[2] = {down, down};
        if (down.type == INPUT_KEYBOARD)
            events[1].ki.dwFlags = KEYEVENTF_KEYUP;
        else
            events[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        const std::wstring before = seen();
        SendInput(2, events, sizeof(INPUT));
        if (!waitFor([&] { return seen() != before; })) return false;
        sync();
        return true;
    }

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND dialog_ = nullptr;
    std::map<int, HWND> controls_;
};
