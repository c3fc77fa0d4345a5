#include "settings/choices.h"

#include <utility>

#include "settings/fileos.h"
#include "settings/state.h"

namespace {

struct HotkeyRows {
    int* own;
    bool (*store)(int row, int which);
    int which;
    int position;       // of its letter in "keySet"
    const int* letter;  // as last read from "keySet"
    int table;          // 0 the Mouse key table, 1 the Keyboard key table
};

// In the order of the Hotkey enumeration, each device's input key before its search key.
constexpr HotkeyRows kHotkeys[] = {
    {&mouseFlagVoice, mouseSetKey, 1, 1, &mouseVoiceKey, 0},
    {&mouseFlagSearch, mouseSetKey, 2, 2, &mouseSearchKey, 0},
    {&keyboardFlagVoice, keyboardSetKey, 1, 4, &keyboardVoiceKey, 1},
    {&keyboardFlagSearch, keyboardSetKey, 2, 5, &keyboardSearchKey, 1},
};

const HotkeyRows& rowsOf(Hotkey key) { return kHotkeys[static_cast<int>(key)]; }
const HotkeyRows& partnerOf(Hotkey key) { return kHotkeys[static_cast<int>(key) ^ 1]; }

}  // namespace

ModeLists modeLists(int mode) {
    const bool translating = mode == 1;
    return {!translating, translating, translating};
}

Outcome chooseMode(int mode) {
    const int stored = onoffState;
    onoffState = mode;  // what writeOnOff stores
    if (!writeOnOff()) {
        onoffState = stored;
        return Outcome::Failed;
    }
    workMode = mode;
    return Outcome::Stored;
}

Outcome chooseLanguage(LanguageList list, int row) {
    const auto choose = [row](bool inItsMode, int& variable, bool (*write)()) {
        if (!inItsMode || row < 0) return Outcome::Ignored;
        const int stored = std::exchange(variable, row);
        if (write()) return Outcome::Stored;
        variable = stored;
        return Outcome::Failed;
    };
    switch (list) {
        case LanguageList::Source:
            return choose(workMode == 1, sourceflag, writeSource);
        case LanguageList::Target:
            return choose(workMode == 1, destflag, writeDest);
        case LanguageList::VoiceLanguage:
            return choose(workMode == 0, voiceLanguage, writeVoiceText);
    }
    return Outcome::Ignored;
}

int storedHotkeyRow(Hotkey key) {
    const HotkeyRows& rows = rowsOf(key);
    return keyLetterToIndex(*rows.letter, rows.table);
}

Outcome chooseHotkey(Hotkey key, int row) {
    const HotkeyRows& rows = rowsOf(key);
    const HotkeyRows& partner = partnerOf(key);
    if (row < 0) return Outcome::Ignored;
    readKeySet();  // the partner as stored now, not as this dialog last read it
    // ...and as the store will leave it: a position a short "keySet" lacks is completed, and a conflict
    // there would be stored too.
    const int partnerLetter =
        *partner.letter ? *partner.letter : completedLetter(partner.position, *rows.letter);
    const int partnerRow = keyLetterToIndex(partnerLetter, rows.table);
    if (row == partnerRow) return Outcome::Refused;
    if (!rows.store(row, rows.which)) return Outcome::Failed;
    *rows.own = row;
    readKeySet();
    return Outcome::Stored;
}

Outcome restoreDefaultHotkeys() {
    const bool stored = writeDefaultSet();
    readKeySet();
    return stored ? Outcome::Stored : Outcome::Failed;
}
