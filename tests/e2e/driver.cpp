#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

std::wstring windowText(HWND window) {
    wchar_t text[1024] = {};
    // WM_GETTEXT with a timeout: a hung program must not hang the test.
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &length);
    return text;
}

// Hands a message to the program without waiting for it: the handler may show a modal box. Not posted:
// Wine hands a posted message again to every modal loop its handler opens.
void notify(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SendNotifyMessageW(window, message, wParam, lParam);
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Wine fails a process start now and then with ERROR_INTERNAL_ERROR on a loaded machine; a program that
// really cannot start still fails after the retries.
bool startProcess(const std::wstring& exe, const std::wstring& folder, PROCESS_INFORMATION& info) {
    for (int attempt = 1;; ++attempt) {
        std::wstring command = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                           &startup, &info)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (attempt == 4 || error != ERROR_INTERNAL_ERROR) {
            ADD_FAILURE() << "cannot start the program, error " << error;
            return false;
        }
        std::printf("start failed with error %lu, retrying (%d)\n", error, attempt);
        Sleep(200 * attempt);
    }
}

}  // namespace

bool chineseSystem() { return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_CHINESE; }

const wchar_t* expected(const wchar_t* chinese, const wchar_t* english) {
    return chineseSystem() ? chinese : english;
}

std::vector<HWND> topLevelWindows(DWORD processId, const wchar_t* wanted) {
    struct Search {
        DWORD processId;
        const wchar_t* wanted;
        std::vector<HWND> found;
    } search{processId, wanted, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window) && className(window) == s->wanted) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Program::Program(const std::wstring& workingDir) {
    PROCESS_INFORMATION info{};
    if (!startProcess(testBinDir() + L"SonvaroSet.exe", workingDir, info)) return;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    WaitForInputIdle(process_, kWaitMs);
    for (DWORD waited = 0; waited < kWaitMs && !dialog_; waited += 20) {
        for (HWND window : topLevelWindows(processId_, L"#32770")) {
            if (windowText(window) == L"Sonvaro" && GetDlgItem(window, 1009)) dialog_ = window;
        }
        if (!dialog_) Sleep(20);
    }
    if (!dialog_) ADD_FAILURE() << "the settings dialog did not appear";
}

Program::~Program() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        // Close it as a person would; kill it only when it does not end.
        for (auto box = messageBox(0); box; box = messageBox(0)) answer(*box, IDCANCEL);
        if (dialog_) notify(dialog_, WM_COMMAND, IDCANCEL, 0);
        if (WaitForSingleObject(process_, 5000) == WAIT_TIMEOUT) TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

std::wstring Program::text(int id) const { return windowText(control(id)); }

bool Program::checked(int id) const { return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::wstring> Program::rows(int id) const {
    std::vector<std::wstring> result;
    const auto count = SendMessageW(control(id), CB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        wchar_t text[256] = {};
        if (SendMessageW(control(id), CB_GETLBTEXTLEN, row, 0) < 255) {
            SendMessageW(control(id), CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
        }
        result.push_back(text);
    }
    return result;
}

int Program::selection(int id) const {
    return static_cast<int>(SendMessageW(control(id), CB_GETCURSEL, 0, 0));
}

void Program::select(int id, int row) {
    SendMessageW(control(id), CB_SETCURSEL, row, 0);
    notify(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control(id)));
}

void Program::click(int id) { notify(control(id), BM_CLICK, 0, 0); }

void Program::post(UINT message, WPARAM wParam) { notify(dialog_, message, wParam, 0); }

void Program::key(WORD virtualKey) {
    // Keys go to the window with the focus; the dialog's loop turns Enter and Escape into commands.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND focus = GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info) && info.hwndFocus
                     ? info.hwndFocus
                     : dialog_;
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(focus, WM_KEYUP, virtualKey, 0xC0000001);
}

std::optional<MessageBoxInfo> Program::messageBox(DWORD timeoutMs) const {
    sync();
    for (DWORD waited = 0;; waited += 20) {
        for (HWND window : topLevelWindows(processId_, L"#32770")) {
            if (window == dialog_) continue;
            MessageBoxInfo box;
            box.window = window;
            box.caption = windowText(window);
            box.text = windowText(GetDlgItem(window, 0xFFFF));
            box.cancel = GetDlgItem(window, IDCANCEL) != nullptr;
            // The icon is a static control of its own: id 20 on Windows, 0x440 in Wine.
            for (int id : {20, 0x440}) {
                HWND icon = GetDlgItem(window, id);
                box.icon =
                    box.icon || (icon && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0));
            }
            return box;
        }
        if (waited >= timeoutMs || WaitForSingleObject(process_, 20) != WAIT_TIMEOUT) return std::nullopt;
    }
}

void Program::answer(const MessageBoxInfo& box, int button) const {
    notify(box.window, WM_COMMAND, button, 0);
    for (DWORD waited = 0; waited < kWaitMs && IsWindow(box.window); waited += 10) Sleep(10);
}

void Program::sync() const {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &result);
}

bool Program::waitExit(DWORD timeoutMs) const {
    return WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}
