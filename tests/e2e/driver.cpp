#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

std::wstring windowText(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;  // with a timeout: a hung program must not hang the test
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &length);
    return text;
}

// Hands a message to the program without waiting: the handler may show a modal box. Not posted: Wine
// hands a posted message again to every modal loop its handler opens.
void notify(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    SendNotifyMessageW(window, message, wParam, lParam);
}

}  // namespace

std::vector<HWND> dialogWindows(DWORD processId) {
    std::pair<DWORD, std::vector<HWND>> search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(context);
            DWORD owner = 0;
            wchar_t name[16] = {};
            GetWindowThreadProcessId(window, &owner);
            GetClassNameW(window, name, 16);
            if (owner == s->first && IsWindowVisible(window) && !wcscmp(name, L"#32770"))
                s->second.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

Program::Program(const std::wstring& workingDir) {
    const std::wstring exe = testBinDir() + L"SonvaroSet.exe";
    PROCESS_INFORMATION info{};
    // Wine fails a start now and then with ERROR_INTERNAL_ERROR on a loaded machine; a program that
    // really cannot start still fails after the retries.
    for (int attempt = 1; !process_; ++attempt) {
        std::wstring command = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           workingDir.c_str(), &startup, &info)) {
            process_ = info.hProcess;
        } else if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 4) {
            ADD_FAILURE() << "cannot start the program, error " << GetLastError();
            return;
        } else {
            std::printf("start failed with error %lu, retry %d\n", GetLastError(), attempt);
            Sleep(200 * attempt);
        }
    }
    CloseHandle(info.hThread);
    processId_ = info.dwProcessId;
    WaitForInputIdle(process_, kWaitMs);
    for (DWORD waited = 0; waited < kWaitMs && !dialog_; waited += 20, Sleep(20)) {
        for (HWND window : dialogWindows(processId_)) {
            if (windowText(window) == L"Sonvaro" && GetDlgItem(window, 1009)) dialog_ = window;
        }
    }
    if (!dialog_) ADD_FAILURE() << "the settings dialog did not appear";
}

Program::~Program() {
    if (!process_) return;
    if (!waitExit(0)) {
        // Close it as a person would; kill it only when it does not end.
        while (!answer(IDCANCEL, 0).empty()) continue;
        notify(dialog_, WM_COMMAND, IDCANCEL);
        if (!waitExit(5000)) TerminateProcess(process_, 1);
        waitExit(5000);
    }
    CloseHandle(process_);
}

std::wstring Program::text(int id) const { return windowText(control(id)); }

std::vector<std::wstring> Program::rows(int id) const {
    std::vector<std::wstring> result;
    for (LRESULT row = 0, count = SendMessageW(control(id), CB_GETCOUNT, 0, 0); row < count; ++row) {
        wchar_t text[256] = {};
        if (SendMessageW(control(id), CB_GETLBTEXTLEN, row, 0) < 255) {
            SendMessageW(control(id), CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
        }
        result.push_back(text);
    }
    return result;
}

void Program::select(int id, int row) {
    SendMessageW(control(id), CB_SETCURSEL, row, 0);
    notify(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control(id)));
}

void Program::click(int id) { notify(control(id), BM_CLICK, 0); }

void Program::post(UINT message, WPARAM wParam) { notify(dialog_, message, wParam); }

void Program::key(WORD virtualKey) {
    // Keys go to the window with the focus; the dialog's loop turns Enter and Escape into commands.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
    HWND focus = info.hwndFocus ? info.hwndFocus : dialog_;
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(focus, WM_KEYUP, virtualKey, 0xC0000001);
}

std::wstring Program::answer(int button, DWORD timeoutMs) const {
    sync();
    for (DWORD waited = 0;; waited += 20) {
        for (HWND box : dialogWindows(processId_)) {
            if (box == dialog_) continue;
            std::wstring seen = windowText(box) + L"|" + windowText(GetDlgItem(box, 0xFFFF));
            if (GetDlgItem(box, IDCANCEL)) seen += L"|OK Cancel";
            // The icon is a static control of its own: id 20 on Windows, 0x440 in Wine.
            for (HWND icon : {GetDlgItem(box, 20), GetDlgItem(box, 0x440)}) {
                if (icon && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0)) seen += L"|icon";
            }
            notify(box, WM_COMMAND, button);
            for (DWORD closing = 0; closing < kWaitMs && IsWindow(box); closing += 10) Sleep(10);
            return seen;
        }
        if (waited >= timeoutMs || WaitForSingleObject(process_, 20) != WAIT_TIMEOUT) return L"";
    }
}

void Program::sync() const {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &result);
}
