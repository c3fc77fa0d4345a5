#pragma once

#include <windows.h>

#include <utility>

// Owns one Win32 handle and closes it exactly once. Close is a function object type so that the owner
// stays the size of the handle.
template <typename T, typename Close, T Invalid = T{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    T release() { return std::exchange(handle_, Invalid); }
    // Keeps the last error of the call that failed, so that a caller can still report it.
    void reset(T handle = Invalid) {
        if (handle_ == Invalid) {
            handle_ = handle;
            return;
        }
        const DWORD error = GetLastError();
        Close{}(std::exchange(handle_, handle));
        SetLastError(error);
    }

private:
    T handle_ = Invalid;
};

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
struct DeleteDeviceContext {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

using UniqueKey = UniqueHandle<HKEY, CloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueView = UniqueHandle<void*, UnmapView>;
template <typename T>
using UniqueGdiObject = UniqueHandle<T, DeleteGdiObject>;
using UniqueDC = UniqueHandle<HDC, DeleteDeviceContext>;

// Selects a GDI object into a device context for one scope and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
