#include "notify/process.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>

#include "base/handles.h"
#include "base/trace.h"
#include "settings/state.h"

namespace {

// The assistant's section as the dialog found it, owned by the notifier thread once that runs.
struct Section {
    UniqueKernelHandle mapping;
    UniqueView view;
    DWORD periodMs = kNoticePeriodMs;
};
Section opened;

// Kept so that waitNoticeDelivered can tell a notifier that is still running from one that never ran.
UniqueKernelHandle notifierThread;
// True from taking a request until its record is in the section.
std::atomic<bool> writing{false};

// Auto-reset: postNotice sets it, the notifier waits on it. It goes only as the process ends.
HANDLE wakeEvent() {
    static const UniqueKernelHandle event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    return event.get();
}

bool isRequest(int value) { return value == 1 || value == 2; }

void writeRecord(void* view, unsigned char (&bufferSend)[kRecordBytes], const wchar_t* keyword) {
    std::memset(bufferSend, 0, 16);
    std::memcpy(bufferSend, keyword, (std::wcslen(keyword) + 1) * sizeof(wchar_t));
    std::memcpy(view, bufferSend, kRecordBytes);
}

// The first request starts the thread: under Wine a thread costs about 1.4 MiB, which a session that
// changes no hotkey need not pay. The thread takes the section with it.
void startNotifier() {
    if (notifierThread || !opened.view) return;
    auto* section = new Section(std::move(opened));
    notifierThread.reset(CreateThread(nullptr, 0, noticeThreadProc, section, 0, nullptr));
    if (!notifierThread) {
        opened = std::move(*section);
        delete section;
    }
}

}  // namespace

void thread_fun(DWORD periodMs) {
    if (opened.view || notifierThread) return;
    opened.periodMs = periodMs;
    opened.mapping.reset(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kSectionName));
    if (!opened.mapping) {
        TRACE(L"OpenFileMapping error :%lu\n", GetLastError());
        return;
    }
    opened.view.reset(MapViewOfFile(opened.mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kSectionViewBytes));
    if (!opened.view) {
        std::printf("MapViewOfFile error:%lu\n", GetLastError());
        opened.mapping.reset();
        return;
    }
    if (isRequest(noticeFlag.load())) startNotifier();
}

void postNotice(int request) {
    noticeFlag = request;
    startNotifier();
    SetEvent(wakeEvent());
}

DWORD WINAPI noticeThreadProc(LPVOID openedSection) {
    const std::unique_ptr<Section> section(static_cast<Section*>(openedSection));
    unsigned char bufferSend[kRecordBytes] = {};
    for (;;) {
        if (WaitForSingleObject(wakeEvent(), section->periodMs) == WAIT_FAILED) return 0;
        writing = true;
        // Taken before the write, so that a request posted during it is carried out next. A value nobody
        // defined is left where it is.
        int request = noticeFlag.load();
        if (isRequest(request) && noticeFlag.compare_exchange_strong(request, 0)) {
            writeRecord(section->view.get(), bufferSend, request == 1 ? L"HELLOO" : L"UPDATE");
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
