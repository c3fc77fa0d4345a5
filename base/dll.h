#pragma once

#include <windows.h>

// A function of a DLL looked up at run time: one the program may go without, or one newer than the oldest
// Windows it runs on. Null when the module or the function is missing. Through void*: FARPROC has no
// parameters, and GCC warns about a direct cast.
template <typename Function>
Function dllFunction(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}
