#pragma once

#include <windows.h>

#include <vector>

#include "base/handles.h"

using Record = std::vector<unsigned char>;

// The 32 bytes the program writes for a keyword.
inline Record recordOf(const char* keyword) {
    Record bytes(32, 0);
    for (size_t i = 0; keyword[i]; ++i) bytes[2 * i] = static_cast<unsigned char>(keyword[i]);
    return bytes;
}

// The assistant's side of the shared section: creates it, fills it with a sentinel and reads it.
class SharedSection {
public:
    static constexpr unsigned char kSentinel = 0xBD;
    static inline const Record kUntouched = Record(32, kSentinel);

    SharedSection() { clear(); }
    void clear() { FillMemory(view_.get(), 1024, kSentinel); }
    // The first `count` bytes as they are now.
    Record bytes(size_t count = 32) const { return Record(data(), data() + count); }
    // The record once one has been written, or after three seconds as it is.
    Record record() const {
        for (int wait = 0; wait < 300 && data()[31] == kSentinel; ++wait) Sleep(10);
        return bytes();
    }

private:
    volatile unsigned char* data() const { return static_cast<volatile unsigned char*>(view_.get()); }
    UniqueKernelHandle mapping_{CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1024,
                                                   L"SharedFileMappingObject")};
    UniqueView view_{MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 1024)};
};
