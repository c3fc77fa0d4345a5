// Creates the shared section as the assistant does and prints every new record with a timestamp until
// it is stopped (Ctrl+C, or the end of its process). The settings tool only ever opens the section.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "notify/process.h"
#include "base/handles.h"

namespace {

void printRecord(const unsigned char* record) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t keyword[kRecordBytes / 2 + 1] = {};
    std::memcpy(keyword, record, kRecordBytes);
    std::printf("%02u:%02u:%02u.%03u  %ls  [", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                keyword);
    for (int i = 0; i < kRecordBytes; ++i) std::printf(i ? " %02X" : "%02X", record[i]);
    std::printf("]\n");
    std::fflush(stdout);
}

}  // namespace

int wmain() {
    UniqueKernelHandle section(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  kSectionViewBytes, kSectionName));
    if (!section) {
        std::fprintf(stderr, "cannot create %ls: error %lu\n", kSectionName, GetLastError());
        return 1;
    }
    UniqueView view(MapViewOfFile(section.get(), FILE_MAP_ALL_ACCESS, 0, 0, kSectionViewBytes));
    if (!view) {
        std::fprintf(stderr, "cannot map %ls: error %lu\n", kSectionName, GetLastError());
        return 1;
    }
    auto* shared = static_cast<volatile unsigned char*>(view.get());
    std::printf("watching %ls for notices\n", kSectionName);
    std::fflush(stdout);

    // The assistant clears the record after reading it, so that the same keyword twice is seen twice.
    unsigned char record[kRecordBytes];
    for (;;) {
        Sleep(20);
        bool any = false;
        for (int i = 0; i < kRecordBytes; ++i) {
            record[i] = shared[i];
            any = any || record[i] != 0;
        }
        if (!any) continue;
        Sleep(5);  // let a write in progress finish
        for (int i = 0; i < kRecordBytes; ++i) {
            record[i] = shared[i];
            shared[i] = 0;
        }
        printRecord(record);
    }
}
