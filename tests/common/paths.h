#pragma once

#include <windows.h>

#include <string>

// The folder of the running test program, with its backslash: the build's bin folder, where
// SonvaroSet.exe and the helper programs are too.
inline std::wstring testBinDir() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}
