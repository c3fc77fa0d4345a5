#include "settings/state.h"

int uiLanguageFlag;
int workMode;
int onoffState;
int sourceflag;
int destflag;
int voiceLanguage;

int mouseVoiceKey;
int mouseSearchKey;
int keyboardVoiceKey;
int keyboardSearchKey;
int mouseFlagVoice;
int mouseFlagSearch;
int keyboardFlagVoice;
int keyboardFlagSearch;

std::atomic<int> noticeFlag{0};

wchar_t modulePath[kModulePathChars];
wchar_t moduleDir[kModulePathChars];
wchar_t versionFilePath[kModulePathChars];
wchar_t localVersionFilePath[kModulePathChars];
wchar_t versionText[kVersionTextChars];
wchar_t localVersionText[kVersionTextChars];
