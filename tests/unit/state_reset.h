#pragma once

#include "settings/state.h"

// Puts every setting variable to a value no loader produces, so a test sees exactly what a call set.
inline void presetSettingsState(int value) {
    for (int* variable : {&uiLanguageFlag, &workMode, &onoffState, &sourceflag, &destflag, &voiceLanguage,
                          &mouseVoiceKey, &mouseSearchKey, &keyboardVoiceKey, &keyboardSearchKey,
                          &mouseFlagVoice, &mouseFlagSearch, &keyboardFlagVoice, &keyboardFlagSearch}) {
        *variable = value;
    }
}

constexpr int kUntouched = static_cast<int>(0xDEADBEEF);
