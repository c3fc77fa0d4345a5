// The registry store against the real registry, in this process's scratch HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "settings/choices.h"
#include "settings/fileos.h"
#include "settings/state.h"
#include "tests/common/registry.h"

namespace {

constexpr int kUntouched = static_cast<int>(0xDEADBEEF);

// What the assistant reads: the stored name of every language row, each read back as its row, and the
// letter of every key row. A row outside its table stores nothing.
TEST(Store, EveryRowStoresTheNameOrLetterTheAssistantKnows) {
    const auto storedText = [](const wchar_t* name) {
        ValueText szPath;
        readValue(openKey(kSettingsKeyPath, kReadAccess).get(), name, szPath);
        return std::wstring(szPath);
    };
    std::wstring names, letters;
    for (int row = 0; row <= 28; ++row) {
        destflag = sourceflag = voiceLanguage = row;
        EXPECT_TRUE(writeDest() == (row < 28) && writeSource() == (row < 3) && writeVoiceText() == (row < 3));
        updateTranslateData();
        EXPECT_TRUE(destflag == std::min(row, 27) && sourceflag == std::min(row, 2) &&
                    voiceLanguage == sourceflag)
            << "row " << row;
        if (row < 3) names += storedText(L"source") + L"|" + storedText(L"voiceText") + L"|";
        if (row < 28) names += storedText(L"dest") + L" ";
    }
    EXPECT_EQ(
        names,
        L"Chinese|Chinese|Chinese English|English|English Cantonese|Cantonese|Cantonese traditional Japan "
        L"Korean French Spanish Thai Arabic Russian Portuguese German Italian Greek Dutch Polish Bulgarian "
        L"Estonian Danish Finnish Czech Romanian Slovenian Swedish Hungarian Classical Vietnamese ");
    for (int row = 0; row < 18; ++row) {
        const bool mouse = row >= 15;
        store(L"keySet", L"MWSBNM");
        EXPECT_TRUE(mouse ? mouseSetKey(row - 15, 2) : keyboardSetKey(row, 2));
        letters += storedText(L"keySet")[mouse ? 2 : 5];
    }
    EXPECT_EQ(letters, L"ABCDEFGHIJKLTMNWSP") << "F1 to F12, ctrl, home, end; Wheel, Forward, Back";
}

TEST(Store, LoadersMatchPrefixesCaseSensitivelyAndReadAnythingElseAsTheirDefault) {
    // What the row tries, the value and its data, the variable it is loaded into and what that holds then.
    const std::tuple<const char*, const wchar_t*, Stored, int*, int> rows[] = {
        {"source prefix", L"source", text(L"Englishxyz"), &sourceflag, 1},
        {"source lower case", L"source", text(L"english"), &sourceflag, 0},
        {"dest unknown", L"dest", text(L"Klingon"), &destflag, 1},
        {"dest 15 characters", L"dest", text(L"Vietnamese12345"), &destflag, 27},
        {"dest 16 characters", L"dest", text(L"Vietnamese123456"), &destflag, 1},
        {"dest expand string", L"dest", text(L"German", REG_EXPAND_SZ), &destflag, 12},
        {"dest binary", L"dest", text(L"German", REG_BINARY), &destflag, 1},
        {"dest unterminated", L"dest", units(L"German"), &destflag, 1},
        {"dest embedded NUL", L"dest", text(std::wstring(L"x\0German", 8)), &destflag, 1},
        {"onoff no data", L"onoff", RawValue{REG_SZ, {}}, &onoffState, 0},
        {"onoff odd byte count", L"onoff", RawValue{REG_SZ, {'o', 0, 'n', 0, 0}}, &onoffState, 0},
        {"keySet ctrl", L"keySet", text(L"MWSBNT"), &keyboardFlagSearch, 12},
        {"keySet letter of no key", L"keySet", text(L"MXSBNM"), &mouseFlagVoice, -1},
        {"keySet ends at its NUL", L"keySet", text(std::wstring(L"MW\0BNM", 6)), &keyboardFlagVoice, -1},
        {"keySet missing", L"keySet", std::nullopt, &mouseFlagSearch, -1},
    };
    for (const auto& [what, name, data, variable, expected] : rows) {
        store(name, data);
        *variable = kUntouched;
        updateTranslateData();
        EXPECT_EQ(*variable, expected) << what;
        store(name, nullptr);
    }
}

// A value too long for the buffer, of any length, reads as missing, and nothing past the buffer is looked at:
// the buffer ends a page after which the memory is only reserved, so that a look there ends the test.
TEST(Store, AValueOfAnyLengthThatDoesNotFitReadsAsMissing) {
    auto* region = static_cast<BYTE*>(VirtualAlloc(nullptr, 16 << 20, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_TRUE(region && VirtualAlloc(region, 4096, MEM_COMMIT, PAGE_READWRITE));
    auto& szPath = *reinterpret_cast<ValueText*>(region + 4096 - sizeof(ValueText));
    for (const wchar_t* name : {L"dest", L"keySet"}) {
        for (size_t length : {32, 2000000}) {
            store(name, text(std::wstring(length, L'M')));
            EXPECT_FALSE(readValue(openKey(kSettingsKeyPath, kReadAccess).get(), name, szPath));
            EXPECT_EQ(std::wstring(szPath, kValueChars), std::wstring(kValueChars, L'\0')) << length;
        }
        store(name, nullptr);
    }
    VirtualFree(region, 0, MEM_RELEASE);
}

// A hotkey patch completes a short or missing "keySet" from "MWSBNM" before it puts its letter in, the other
// key's default where the other key of the device has a letter's default already; a choice that would leave
// both keys of one device equal there is refused.
TEST(Store, HotkeyPatchesPutTheRowsLetterInItsPlaceAndChoicesKeepTheKeysOfADeviceApart) {
    bool (*choose)(int, int) = [](int row, int key) {
        return chooseHotkey(Hotkey(key), row) == Outcome::Stored;
    };
    // "keySet" before (nullptr: missing), the patch or choice, its row and which (or hotkey), "keySet" after.
    const std::tuple<const wchar_t*, bool (*)(int, int), int, int, const wchar_t*> cases[] = {
        {L"MWSBNM", mouseSetKey, 0, 7, L"MWWBNM"},  // any which but 1 is the search key
        {nullptr, mouseSetKey, 1, 1, L"MSSBNM"},
        {L"MWS", keyboardSetKey, 0, 1, L"MWSBAM"},
        {L"MWSBNMxyz012345", mouseSetKey, 2, 1, L"MPSBNMxyz012345"},
        {L"MWSBNM0123456789", mouseSetKey, 2, 2, L"MWPBNM"},  // unreadable: replaced
        {L"MWS", mouseSetKey, 3, 1, L"MWS"},
        {L"MWS", keyboardSetKey, -1, 1, L"MWS"},
        {nullptr, keyboardSetKey, 15, 2, nullptr},
        {L"MWSB", choose, 13, int(Hotkey::KeyboardInput), L"MWSB"},  // home, the search key once completed
        {L"M", choose, 1, int(Hotkey::MouseInput), L"M"},            // Forward, the same
        {nullptr, choose, 1, int(Hotkey::MouseInput), nullptr},
        {L"MWSB", choose, 0, int(Hotkey::KeyboardInput), L"MWSBAM"},
        {L"MWSBM", choose, 2, int(Hotkey::MouseSearch),
         L"MWPBMN"},  // the keyboard search key's default is taken
        {L"MS", choose, 3, int(Hotkey::KeyboardInput), L"MSWBDM"}};  // so is the mouse search key's
    for (const auto& [before, patch, row, which, after] : cases) {
        store(L"keySet", before);
        EXPECT_EQ(patch(row, which), after && (!before || after != std::wstring(before)));
        EXPECT_EQ(stored(L"keySet"), after ? Stored(text(after)) : std::nullopt)
            << (before ? before : L"missing") << ", row " << row;
    }
}

// As when a guard keeps the program from its key: nothing is loaded, nothing stored, and each store says so.
TEST(Store, WithoutTheSettingsKeyNothingIsLoadedOrStored) {
    ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, kRunKey), ERROR_SUCCESS);
    destflag = sourceflag = voiceLanguage = mouseFlagVoice = keyboardVoiceKey = kUntouched;
    updateTranslateData();
    EXPECT_EQ(onoffState, 0) << "cleared before loading";
    EXPECT_EQ(std::vector<int>({destflag, sourceflag, voiceLanguage, mouseFlagVoice, keyboardVoiceKey}),
              std::vector<int>(5, kUntouched));
    onoffState = 1;
    readSettings();
    EXPECT_EQ(onoffState, 1) << "a second read keeps the mode";
    destflag = sourceflag = voiceLanguage = 1;
    EXPECT_FALSE(writeOnOff() || writeSource() || writeDest() || writeVoiceText() || writeDefaultSet() ||
                 mouseSetKey(1, 1) || keyboardSetKey(1, 1));
    EXPECT_FALSE(openKey(kRunKey, kReadAccess)) << "no store creates the key";
    HKEY run = nullptr;  // back, volatile as the scratch key holds it
    RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                    &run, nullptr);
    RegCloseKey(run);
}

}  // namespace
