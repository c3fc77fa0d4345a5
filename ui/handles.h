#pragma once

#include <windows.h>

#include "ui/unique_handle.h"

struct CloseKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct UnmapView {
    void operator()(void* view) const { UnmapViewOfFile(view); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

using UniqueKey = UniqueHandle<HKEY, CloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueView = UniqueHandle<void*, UnmapView>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
