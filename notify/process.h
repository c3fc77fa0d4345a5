#pragma once

#include <windows.h>

// The notifier: a thread that turns requests left by postNotice into keyword records in the assistant's
// shared section "SharedFileMappingObject".

constexpr const wchar_t* kSectionName = L"SharedFileMappingObject";
constexpr DWORD kSectionViewBytes = 1024;
constexpr int kRecordBytes = 32;
// A posted request wakes the notifier at once; it also looks by itself once a period.
constexpr DWORD kNoticePeriodMs = 500;

// Starts the notifier thread once; nothing stops it. The section is opened as it starts: without one,
// the thread ends and no notice is ever written.
void thread_fun(DWORD periodMs = kNoticePeriodMs);

// The thread routine; its parameter is the period in milliseconds.
DWORD WINAPI noticeThreadProc(LPVOID periodMs);

// Waits until no request is pending or being written, for at most timeoutMs. Returns false at once when
// no notifier is running, and false after the timeout.
bool waitNoticeDelivered(DWORD timeoutMs = 750);
