#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdio>

// One line to the debug trace, led by the source file and line.
inline void traceLine(const char* file, int line, const wchar_t* format, ...) {
    wchar_t text[512];
    int used = std::swprintf(text, 512, L"%hs(%d): ", file, line);
    if (used < 0) used = 0;
    va_list args;
    va_start(args, format);
    std::vswprintf(text + used, 512 - used, format, args);
    va_end(args);
    OutputDebugStringW(text);
}

#define TRACE(...) traceLine(__FILE__, __LINE__, __VA_ARGS__)
