#pragma once

#include <windows.h>

// The notifier: a thread that turns requests left in noticeFlag into keyword records in the assistant's
// shared section "SharedFileMappingObject".

constexpr const wchar_t* kSectionName = L"SharedFileMappingObject";
constexpr DWORD kSectionViewBytes = 1024;
constexpr int kRecordBytes = 32;
constexpr DWORD kNoticePollMs = 500;

// Starts the notifier thread once; nothing waits for it or stops it.
void thread_fun();

DWORD WINAPI noticeThreadProc(LPVOID);

// Waits until the notifier has written the pending request into the section, for at most a polling
// period and a margin. Returns at once, with false, when no notifier is running.
bool waitNoticeDelivered();
