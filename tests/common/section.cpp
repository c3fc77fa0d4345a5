#include "tests/common/section.h"

SharedSection::SharedSection(DWORD bytes, DWORD protect) : bytes_(bytes) {
    mapping_ =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, protect, 0, bytes, L"SharedFileMappingObject");
    if (!mapping_) return;
    const DWORD access = protect == PAGE_READONLY ? FILE_MAP_READ : FILE_MAP_ALL_ACCESS;
    view_ = static_cast<volatile unsigned char*>(MapViewOfFile(mapping_, access, 0, 0, bytes));
    if (view_ && protect != PAGE_READONLY) clear();
}

SharedSection::~SharedSection() {
    if (view_) UnmapViewOfFile(const_cast<unsigned char*>(view_));
    if (mapping_) CloseHandle(mapping_);
}

void SharedSection::clear() {
    for (DWORD i = 0; i < bytes_; ++i) view_[i] = kSentinel;
}

std::vector<unsigned char> SharedSection::record() const {
    std::vector<unsigned char> bytes(32);
    for (int i = 0; i < 32; ++i) bytes[i] = view_[i];
    return bytes;
}

bool SharedSection::untouchedAfterRecord() const {
    for (DWORD i = 32; i < bytes_; ++i) {
        if (view_[i] != kSentinel) return false;
    }
    return true;
}

DWORD SharedSection::waitForRecord(DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        // The 32 bytes are copied at once; the last byte written is part of the record.
        if (view_[0] != kSentinel && view_[31] != kSentinel) return GetTickCount() - start;
        Sleep(1);
    }
    return timeoutMs;
}

std::vector<unsigned char> SharedSection::expectedRecord(const char* keyword) {
    std::vector<unsigned char> bytes(32, 0);
    for (size_t i = 0; keyword[i]; ++i) bytes[2 * i] = static_cast<unsigned char>(keyword[i]);
    return bytes;
}
