#pragma once

#include <windows.h>

#include <vector>

// The assistant's side of the shared section, for tests: creates it, fills it with a sentinel byte and
// watches the 32-byte record the settings tool writes.
class SharedSection {
public:
    static constexpr unsigned char kSentinel = 0xBD;

    explicit SharedSection(DWORD bytes = 1024, DWORD protect = PAGE_READWRITE);
    ~SharedSection();
    SharedSection(const SharedSection&) = delete;
    SharedSection& operator=(const SharedSection&) = delete;

    bool valid() const { return view_ != nullptr; }
    void clear();  // the whole section back to the sentinel
    std::vector<unsigned char> record() const;
    bool untouchedAfterRecord() const;  // every byte after the record still the sentinel
    // Waits (bounded) for the record to change from the sentinel; returns the milliseconds waited, or
    // timeoutMs when nothing came.
    DWORD waitForRecord(DWORD timeoutMs = 3000) const;

    static std::vector<unsigned char> expectedRecord(const char* keyword);

private:
    DWORD bytes_;
    HANDLE mapping_ = nullptr;
    volatile unsigned char* view_ = nullptr;
};
