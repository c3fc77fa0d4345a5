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

// The assistant's side of the shared section: creates it, fills it with a sentinel and reads the record.
class SharedSection {
public:
    static constexpr unsigned char kSentinel = 0xBD;
    static inline const Record kUntouched = Record(32, kSentinel);

    SharedSection()
        : mapping_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1024,
                                      L"SharedFileMappingObject")),
          view_(mapping_ ? MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 1024) : nullptr) {
        clear();
    }
    bool valid() const { return static_cast<bool>(view_); }
    void clear() {
        if (view_) FillMemory(view_.get(), 1024, kSentinel);
    }
    // The whole section, or its first 32 bytes, as they are now.
    Record bytes(size_t count = 32) const {
        const auto* view = static_cast<volatile unsigned char*>(view_.get());
        return view ? Record(view, view + count) : Record();
    }
    // The record once one has been written, or as it is after three seconds.
    Record record() const {
        for (int wait = 0; wait < 300 && bytes()[31] == kSentinel; ++wait) Sleep(10);
        return bytes();
    }

private:
    UniqueKernelHandle mapping_;
    UniqueView view_;
};
