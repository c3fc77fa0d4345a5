#include "update/shell.h"

#include <shellapi.h>

HINSTANCE shellOpen(const wchar_t* file, int show) {
    // shell32 is a known DLL: loading it by name cannot pick up a stray copy beside the program.
    static const auto shellExecute = [] {
        HMODULE shell32 = LoadLibraryW(L"shell32.dll");
        // Through void*: FARPROC has no parameters, and GCC warns about a direct cast.
        return shell32 ? reinterpret_cast<decltype(&ShellExecuteW)>(
                             reinterpret_cast<void*>(GetProcAddress(shell32, "ShellExecuteW")))
                       : nullptr;
    }();
    if (!shellExecute) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return shellExecute(nullptr, L"open", file, nullptr, nullptr, show);
}
