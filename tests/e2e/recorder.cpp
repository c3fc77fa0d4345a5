// Stands in for the browser and for the installer: appends its command line and the show state it was
// started with to "<its own path>.log", one UTF-8 line a start, and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);

    const std::wstring line =
        std::wstring(arguments) + L"\t" + std::to_wstring(show) + L"\t" + folder + L"\n";
    char utf8[4096] = {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);

    wchar_t log[MAX_PATH + 8] = {};
    GetModuleFileNameW(nullptr, log, MAX_PATH);
    wcscat(log, L".log");
    if (std::FILE* file = _wfopen(log, L"ab")) {
        if (bytes > 1) std::fwrite(utf8, 1, bytes - 1, file);
        std::fclose(file);
    }
    return 0;
}
