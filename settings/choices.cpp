#include "settings/choices.h"

#include "settings/fileos.h"
#include "settings/state.h"

namespace {

struct HotkeyRows {
    int* own;
    int* partner;
    void (*store)(int row, int which);
    int which;
};

// In the order of the Hotkey enumeration.
constexpr HotkeyRows kHotkeys[] = {
    {&mouseFlagVoice, &mouseFlagSearch, mouseSetKey, 1},
    {&mouseFlagSearch, &mouseFlagVoice, mouseSetKey, 2},
    {&keyboardFlagVoice, &keyboardFlagSearch, keyboardSetKey, 1},
    {&keyboardFlagSearch, &keyboardFlagVoice, keyboardSetKey, 2},
};

const HotkeyRows& rowsOf(Hotkey key) { return kHotkeys[static_cast<int>(key)]; }

}  // namespace

ModeLists modeLists(int mode) {
    const bool translating = mode == 1;
    return {!translating, translating, translating};
}

ModeLists chooseMode(int mode) {
    workMode = mode;
    onoffState = mode;
    writeOnOff();
    return modeLists(mode);
}

bool chooseLanguage(LanguageList list, int row) {
    const bool translating = workMode == 1;
    switch (list) {
        case LanguageList::Source:
            if (!translating) return false;
            sourceflag = row;
            writeSource();
            return true;
        case LanguageList::Target:
            if (!translating) return false;
            destflag = row;
            writeDest();
            return true;
        case LanguageList::VoiceLanguage:
            if (workMode != 0) return false;
            voiceLanguage = row;
            writeVoiceText();
            return true;
    }
    return false;
}

int hotkeyRow(Hotkey key) { return *rowsOf(key).own; }

bool chooseHotkey(Hotkey key, int row) {
    const HotkeyRows& rows = rowsOf(key);
    if (row == *rows.partner) return false;
    *rows.own = row;
    rows.store(row, rows.which);
    return true;
}
