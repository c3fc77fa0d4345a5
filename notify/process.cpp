#include "notify/process.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "settings/state.h"
#include "ui/handles.h"
#include "ui/trace.h"

namespace {

// Kept so that waitNoticeDelivered can tell a notifier that is still polling from one that gave up.
UniqueKernelHandle notifierThread;

void writeRecord(void* view, unsigned char (&bufferSend)[kRecordBytes], const wchar_t* keyword) {
    std::memset(bufferSend, 0, 16);
    std::memcpy(bufferSend, keyword, (std::wcslen(keyword) + 1) * sizeof(wchar_t));
    std::memcpy(view, bufferSend, kRecordBytes);
}

}  // namespace

void thread_fun() {
    if (notifierThread) return;
    notifierThread.reset(CreateThread(nullptr, 0, noticeThreadProc, nullptr, 0, nullptr));
}

DWORD WINAPI noticeThreadProc(LPVOID) {
    unsigned char bufferSend[kRecordBytes] = {};

    UniqueKernelHandle section(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kSectionName));
    if (!section) {
        TRACE(L"OpenFileMapping error :%lu\n", GetLastError());
        return 0;
    }
    UniqueView view(MapViewOfFile(section.get(), FILE_MAP_ALL_ACCESS, 0, 0, kSectionViewBytes));
    if (!view) {
        std::printf("MapViewOfFile error:%lu\n", GetLastError());
        return 0;
    }

    for (;;) {
        Sleep(kNoticePollMs);
        int request = noticeFlag.load();
        if (request != 1 && request != 2) continue;  // idle, or a value nobody defined: leave it be
        writeRecord(view.get(), bufferSend, request == 1 ? L"HELLOO" : L"UPDATE");
        // The request is cleared only once its record is in the section, so 0 means delivered. A request
        // posted during the write makes the exchange fail and is carried out at the next poll.
        noticeFlag.compare_exchange_strong(request, 0);
    }
}

bool waitNoticeDelivered() {
    constexpr DWORD kStepMs = 10;
    for (DWORD waited = 0; waited <= kNoticePollMs + 250; waited += kStepMs) {
        if (noticeFlag.load() == 0) return true;
        if (!notifierThread || WaitForSingleObject(notifierThread.get(), kStepMs) != WAIT_TIMEOUT) {
            return false;
        }
    }
    return false;
}
