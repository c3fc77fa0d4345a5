#include "update/shell.h"

#include <objbase.h>
#include <shellapi.h>

#include "base/dll.h"

namespace {

bool comInitialised = false;
decltype(&CoUninitialize) coUninitialize = nullptr;

decltype(&ShellExecuteW) loadShell() {
    // Both are known DLLs: loading them by name cannot pick up a stray copy beside the program.
    HMODULE ole32 = LoadLibraryW(L"ole32.dll");
    const auto coInitializeEx = dllFunction<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx");
    coUninitialize = dllFunction<decltype(&CoUninitialize)>(ole32, "CoUninitialize");
    // The handler of an address or a file may be a shell extension, which COM activates.
    if (coInitializeEx && coUninitialize) {
        comInitialised =
            SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    return dllFunction<decltype(&ShellExecuteW)>(LoadLibraryW(L"shell32.dll"), "ShellExecuteW");
}

}  // namespace

HINSTANCE shellOpen(const wchar_t* file, int show) {
    static const auto shellExecute = loadShell();
    if (!shellExecute) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return shellExecute(nullptr, L"open", file, nullptr, nullptr, show);
}

void closeShell() {
    if (comInitialised) coUninitialize();
    comInitialised = false;
}
