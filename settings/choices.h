#pragma once

// What a choice in the settings dialog does: each function changes the settings state, stores what
// changed at once and returns what the dialog is to show. The dialog only reads its controls, calls
// these and shows the result. A choice that could not be stored leaves the state as it was, so that the
// dialog goes back to what is stored.

enum class Outcome {
    Stored,
    Refused,  // against the rules: nothing changes
    Failed,   // the registry would not take it: nothing changes
    Ignored,  // a list outside its working mode, or of no row: nothing changes, nothing is told
};

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
Outcome chooseMode(int mode);

enum class LanguageList { Source, Target, VoiceLanguage };
// A language list acts only in its own working mode: source and target in voice translation, the voice
// language in voice input. A row below 0 is no row: the list closed on text that names none (Enter after
// typing), and nothing is chosen; so for the hotkeys.
Outcome chooseLanguage(LanguageList list, int row);

enum class Hotkey { MouseInput, MouseSearch, KeyboardInput, KeyboardSearch };
// The row of the hotkey's letter as last read from "keySet"; -1 for a letter of no row, an empty position
// included, so that a list shows no key where none is stored.
int storedHotkeyRow(Hotkey key);
// The input and search key of one device must differ, as they are stored now (another copy of the dialog
// or the assistant may have stored keys since the dialog read them) and as the store leaves them, a short
// "keySet" completed from the default. The row the other key of the same device has is refused; any other
// row is kept and its key letter stored in "keySet". Whatever the outcome, the four hotkey rows are then
// those stored, where "keySet" can be read.
Outcome chooseHotkey(Hotkey key, int row);

// The four hotkeys back to their defaults, "MWSBNM"; the rows are then those stored.
Outcome restoreDefaultHotkeys();
