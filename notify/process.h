#pragma once

#include <windows.h>

// The notifier: a thread that turns the requests the dialog and the upgrade post into keyword records in
// the assistant's shared section "SharedFileMappingObject".

constexpr const wchar_t* kSectionName = L"SharedFileMappingObject";
constexpr DWORD kSectionViewBytes = 1024;
constexpr int kRecordBytes = 32;
// A posted request wakes the notifier at once; it also looks by itself once a period.
constexpr DWORD kNoticePeriodMs = 500;

// Opens the assistant's section for the notifier, once, as the dialog starts; the first request posted
// after that starts the notifier thread. Without a section no thread ever runs and no notice is written.
void thread_fun(DWORD periodMs = kNoticePeriodMs);

// Leaves a request in noticeFlag, 1 for "HELLOO" or 2 for "UPDATE", and wakes the notifier, starting it
// on the first request. Only the latest of the requests not yet taken is carried out.
void postNotice(int request);

// The thread routine; its parameter is the section thread_fun opened, which the thread then owns.
DWORD WINAPI noticeThreadProc(LPVOID openedSection);

// Waits until no request is pending or being written, for at most timeoutMs. Returns false at once when
// no notifier is running, and false after the timeout.
bool waitNoticeDelivered(DWORD timeoutMs = 750);
