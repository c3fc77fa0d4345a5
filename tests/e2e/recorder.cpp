// Stands in for the browser and the installer: appends "arguments<TAB>show state" to <path>.log in UTF-16.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    const std::wstring line = std::wstring(arguments) + L"\t" + std::to_wstring(show) + L"\n";
    wchar_t log[MAX_PATH + 8] = {};
    GetModuleFileNameW(nullptr, log, MAX_PATH);
    std::FILE* file = _wfopen(wcscat(log, L".log"), L"ab");
    std::fwrite(line.data(), sizeof(wchar_t), line.size(), file);
    return std::fclose(file);
}
