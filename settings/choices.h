#pragma once

// What a choice in the settings dialog does: each function changes the settings state, stores what
// changed at once and returns what the dialog is to show. The dialog only reads its controls, calls
// these and shows the result.

// The language lists a working mode enables: the voice language for voice input, source and target for
// voice translation (mode 1).
struct ModeLists {
    bool voiceLanguage;
    bool source;
    bool target;
};
ModeLists modeLists(int mode);

// The user picked working mode 0 (voice input) or 1 (voice translation). It is kept and stored even
// when it already was the mode.
ModeLists chooseMode(int mode);

enum class LanguageList { Source, Target, VoiceLanguage };
// A language list acts only in its own working mode: source and target in voice translation, the voice
// language in voice input. Returns whether the row was kept and stored.
bool chooseLanguage(LanguageList list, int row);

enum class Hotkey { MouseInput, MouseSearch, KeyboardInput, KeyboardSearch };
// The table row a hotkey stands on.
int hotkeyRow(Hotkey key);
// The input and search key of one device must differ: the row the other key of the same device has is
// refused (false) and changes nothing. Any other row is kept and its key letter stored in "keySet".
bool chooseHotkey(Hotkey key, int row);
