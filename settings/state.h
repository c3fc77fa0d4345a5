#pragma once

#include <atomic>

// The settings state: one set of process-wide variables, zero when the process starts. The registry store
// loads it, the dialog shows and changes it, and every change is written back at once.

constexpr int kVersionTextChars = 512;
constexpr int kModulePathChars = 512;

extern int uiLanguageFlag;  // 1 Chinese texts, 2 English texts, 0 before detection
extern int workMode;        // 0 voice input, 1 voice translation; set only by the mode buttons
extern int onoffState;      // 1 when the stored "onoff" begins with "on"
extern int sourceflag;      // Language table row 0..2
extern int destflag;        // Language table row 0..27
extern int voiceLanguage;   // Language table row 0..2

// Key letters from positions 1, 2, 4 and 5 of the stored "keySet", and the table rows they stand for.
extern int mouseVoiceKey;
extern int mouseSearchKey;
extern int keyboardVoiceKey;
extern int keyboardSearchKey;
extern int mouseFlagVoice;
extern int mouseFlagSearch;
extern int keyboardFlagVoice;
extern int keyboardFlagSearch;

// The one cell shared with the notifier thread: 1 asks for "HELLOO", 2 for "UPDATE", 0 is idle.
extern std::atomic<int> noticeFlag;

// Wide paths, so that the version files are found in folders the ANSI code page cannot spell.
extern wchar_t modulePath[kModulePathChars];
extern wchar_t moduleDir[kModulePathChars];
extern wchar_t versionFilePath[kModulePathChars];
extern wchar_t localVersionFilePath[kModulePathChars];
extern wchar_t versionText[kVersionTextChars];
extern wchar_t localVersionText[kVersionTextChars];

// Chinese when the interface language is Chinese, English for any other value.
inline const wchar_t* uiText(const wchar_t* chinese, const wchar_t* english) {
    return uiLanguageFlag == 1 ? chinese : english;
}

// The caption of the program's message boxes.
constexpr const wchar_t* kCaption = L"Sonvaro";
