#include "notify/process.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "base/handles.h"
#include "base/trace.h"
#include "settings/state.h"

namespace {

// Kept so that waitNoticeDelivered can tell a notifier that is still running from one that gave up.
UniqueKernelHandle notifierThread;
// True from taking a request until its record is in the section.
std::atomic<bool> writing{false};

bool isRequest(int value) { return value == 1 || value == 2; }

void writeRecord(void* view, unsigned char (&bufferSend)[kRecordBytes], const wchar_t* keyword) {
    std::memset(bufferSend, 0, 16);
    std::memcpy(bufferSend, keyword, (std::wcslen(keyword) + 1) * sizeof(wchar_t));
    std::memcpy(view, bufferSend, kRecordBytes);
}

}  // namespace

void thread_fun(DWORD periodMs) {
    if (notifierThread) return;
    notifierThread.reset(CreateThread(nullptr, 0, noticeThreadProc,
                                      reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(periodMs)), 0, nullptr));
}

DWORD WINAPI noticeThreadProc(LPVOID periodMs) {
    const DWORD period = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(periodMs));
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
        // The event goes only as the process ends.
        if (WaitForSingleObject(noticeWake(), period) == WAIT_FAILED) return 0;
        writing = true;
        // Taken before the write, so that a request posted during it is carried out next. A value nobody
        // defined is left where it is.
        int request = noticeFlag.load();
        if (isRequest(request) && noticeFlag.compare_exchange_strong(request, 0)) {
            writeRecord(view.get(), bufferSend, request == 1 ? L"HELLOO" : L"UPDATE");
        }
        writing = false;
    }
}

bool waitNoticeDelivered(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (!isRequest(noticeFlag.load()) && !writing) return true;
        if (!notifierThread || WaitForSingleObject(notifierThread.get(), 1) != WAIT_TIMEOUT) return false;
        if (GetTickCount() - start >= timeoutMs) return false;
    }
}
