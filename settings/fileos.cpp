#include "settings/fileos.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "settings/getsysteminfo.h"
#include "settings/state.h"
#include "settings/tables.h"

namespace {

bool startsWith(const wchar_t* text, const wchar_t* prefix) {
    return std::wcsncmp(text, prefix, std::wcslen(prefix)) == 0;
}

// Opens the settings key and reads one value. Returns false, with szPath untouched, when the key
// cannot be opened: the caller then leaves the settings state as it is.
bool readSetting(const wchar_t* name, ValueText& szPath) {
    UniqueKey key = openKey(kSettingsKeyPath, kReadAccess);
    if (!key) return false;
    readValue(key.get(), name, szPath);
    return true;
}

bool writeSetting(const wchar_t* name, const wchar_t* text) {
    UniqueKey key = openKey(kSettingsKeyPath, kWriteAccess);
    return key && writeValue(key.get(), name, text);
}

// "source" and "voiceText": the first of the three short-list names the text begins with, else Chinese.
int shortLanguageRow(const wchar_t* text) {
    for (int row = 0; row < kShortLanguageCount; ++row) {
        if (startsWith(text, kShortLanguages[row].stored)) return row;
    }
    return 0;
}

bool writeShortLanguage(const wchar_t* name, int row) {
    return row >= 0 && row < kShortLanguageCount && writeSetting(name, kShortLanguages[row].stored);
}

// The other key of the same device in "keySet"; positions 0 and 3, which hold no key, are their own.
int partnerPosition(int position) {
    switch (position) {
        case 1:
            return 2;
        case 2:
            return 1;
        case 4:
            return 5;
        case 5:
            return 4;
    }
    return position;
}

// Patches one letter of "keySet" with a single open of the key. A text shorter than six characters
// is first completed from the default, so that the letter is not cut off behind a missing position.
bool patchKeySet(int position, wchar_t letter) {
    UniqueKey key = openKey(kSettingsKeyPath, kWriteAccess);
    if (!key) return false;
    ValueText szPath;
    readValue(key.get(), L"keySet", szPath);
    const int defaultLength = static_cast<int>(std::wcslen(kDefaultKeySet));
    for (int i = static_cast<int>(std::wcslen(szPath)); i < defaultLength; ++i)
        szPath[i] = completedLetter(i, szPath[partnerPosition(i)]);
    szPath[position] = letter;
    return writeValue(key.get(), L"keySet", szPath);
}

}  // namespace

UniqueKey openKey(const wchar_t* path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &key) != ERROR_SUCCESS) return UniqueKey();
    return UniqueKey(key);
}

bool readValue(HKEY key, const wchar_t* name, ValueText& szPath) {
    std::fill(std::begin(szPath), std::end(szPath), L'\0');
    DWORD type = REG_NONE;
    DWORD LENTH = kValueBytes;
    const LONG status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(szPath), &LENTH);
    const bool isString = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
    // A value that does not fit gives ERROR_MORE_DATA and the size it would need: the buffer is looked at
    // only once both say the text is in it. Whether it is terminated is decided from the byte count alone:
    // the registry may put a NUL after the data on its own.
    const bool fits = status == ERROR_SUCCESS && LENTH <= kValueBytes;
    const DWORD chars = LENTH / sizeof(wchar_t);
    const bool terminated = fits && LENTH % sizeof(wchar_t) == 0 && chars > 0 && szPath[chars - 1] == L'\0';
    if (!isString || !terminated) {
        std::fill(std::begin(szPath), std::end(szPath), L'\0');
        return false;
    }
    // The text ends at its first NUL; whatever an embedded NUL hides is not part of it.
    std::fill(szPath + std::wcslen(szPath), std::end(szPath), L'\0');
    return true;
}

bool writeValue(HKEY key, const wchar_t* name, const wchar_t* text) {
    const DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS;
}

void updateTranslateData() {
    onoffState = 0;
    readSettings();
    detectUiLanguage();
}

// Without the key the stored mode cannot be read: onoffState keeps what it held, unlike at the start.
void readSettings() {
    readOnOff();
    readSource();
    readDest();
    readVoiceText();
    readKeySet();
}

void readOnOff() {
    ValueText szPath;
    if (readSetting(L"onoff", szPath)) onoffState = startsWith(szPath, L"on") ? 1 : 0;
}

void readSource() {
    ValueText szPath;
    if (readSetting(L"source", szPath)) sourceflag = shortLanguageRow(szPath);
}

void readVoiceText() {
    ValueText szPath;
    if (readSetting(L"voiceText", szPath)) voiceLanguage = shortLanguageRow(szPath);
}

void readDest() {
    ValueText szPath;
    if (!readSetting(L"dest", szPath)) return;
    destflag = 1;  // English when nothing matches
    for (int row = 0; row < kLanguageCount; ++row) {
        if (startsWith(szPath, kLanguages[row].stored)) {
            destflag = row;
            break;
        }
    }
}

void readKeySet() {
    ValueText szPath;
    if (!readSetting(L"keySet", szPath)) return;
    mouseVoiceKey = szPath[1];
    mouseSearchKey = szPath[2];
    keyboardVoiceKey = szPath[4];
    keyboardSearchKey = szPath[5];
    mouseFlagVoice = keyLetterToIndex(mouseVoiceKey, 0);
    mouseFlagSearch = keyLetterToIndex(mouseSearchKey, 0);
    keyboardFlagVoice = keyLetterToIndex(keyboardVoiceKey, 1);
    keyboardFlagSearch = keyLetterToIndex(keyboardSearchKey, 1);
}

bool writeOnOff() { return writeSetting(L"onoff", onoffState == 1 ? L"on" : L"off"); }

bool writeSource() { return writeShortLanguage(L"source", sourceflag); }

bool writeVoiceText() { return writeShortLanguage(L"voiceText", voiceLanguage); }

bool writeDest() {
    return destflag >= 0 && destflag < kLanguageCount && writeSetting(L"dest", kLanguages[destflag].stored);
}

bool writeDefaultSet() { return writeSetting(L"keySet", kDefaultKeySet); }

bool mouseSetKey(int row, int which) {
    return row >= 0 && row < kMouseKeyCount && patchKeySet(which == 1 ? 1 : 2, kMouseKeys[row].letter);
}

bool keyboardSetKey(int row, int which) {
    return row >= 0 && row < kKeyboardKeyCount && patchKeySet(which == 1 ? 4 : 5, kKeyboardKeys[row].letter);
}

wchar_t completedLetter(int position, int partnerLetter) {
    const wchar_t letter = kDefaultKeySet[position];
    const int partner = partnerPosition(position);
    return partner == position || letter != partnerLetter ? letter : kDefaultKeySet[partner];
}

int keyLetterToIndex(int letter, int table) {
    const KeyRow* rows = table == 0 ? kMouseKeys : kKeyboardKeys;
    const int count = table == 0 ? kMouseKeyCount : kKeyboardKeyCount;
    for (int row = 0; row < count; ++row) {
        if (rows[row].letter == letter) return row;
    }
    return -1;
}
