// The registry store against the real registry, in this process's scratch HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "settings/fileos.h"
#include "settings/state.h"
#include "tests/common/registry.h"

namespace {

constexpr int kUntouched = static_cast<int>(0xDEADBEEF);
int* const kState[] = {&uiLanguageFlag,   &workMode,          &onoffState,         &sourceflag,
                       &destflag,         &voiceLanguage,     &mouseVoiceKey,      &mouseSearchKey,
                       &keyboardVoiceKey, &keyboardSearchKey, &keyboardFlagSearch, &mouseFlagVoice,
                       &mouseFlagSearch,  &keyboardFlagVoice};

class Store : public testing::Test {
protected:
    void SetUp() override {
        for (int* variable : kState) *variable = kUntouched;
    }
};

TEST_F(Store, EveryLanguageRowIsStoredAndReadBack) {
    for (const wchar_t* name : {L"dest", L"source", L"voiceText"}) store(name, nullptr);
    for (int row = -1; row <= 28; ++row) {
        destflag = sourceflag = voiceLanguage = row;
        writeDest();
        writeSource();
        writeVoiceText();
        updateTranslateData();
        // A row outside a list stores nothing: the value keeps the last row's name, or stays missing.
        EXPECT_EQ(destflag, row < 0 ? 1 : std::min(row, 27)) << "row " << row;
        EXPECT_EQ(sourceflag, std::clamp(row, 0, 2)) << "row " << row;
        EXPECT_EQ(voiceLanguage, sourceflag);
    }
}

TEST_F(Store, LoadersMatchPrefixesCaseSensitivelyAndReadAnythingElseAsTheirDefault) {
    // What the row tries, the value and its data, the variable it is loaded into and what that holds then.
    const std::tuple<const char*, const wchar_t*, Stored, int*, int> rows[] = {
        {"source prefix", L"source", text(L"Englishxyz"), &sourceflag, 1},
        {"source lower case", L"source", text(L"english"), &sourceflag, 0},
        {"voiceText prefix", L"voiceText", text(L"Cantonese!"), &voiceLanguage, 2},
        {"dest missing", L"dest", std::nullopt, &destflag, 1},
        {"dest unknown", L"dest", text(L"Klingon"), &destflag, 1},
        {"dest 15 characters", L"dest", text(L"Vietnamese12345"), &destflag, 27},
        {"dest 16 characters", L"dest", text(L"Vietnamese123456"), &destflag, 1},
        {"dest expand string", L"dest", text(L"German", REG_EXPAND_SZ), &destflag, 12},
        {"dest multi string", L"dest", text(std::wstring(L"Greek\0", 6), REG_MULTI_SZ), &destflag, 14},
        {"dest binary", L"dest", text(L"German", REG_BINARY), &destflag, 1},
        {"dest unterminated", L"dest", units(L"German"), &destflag, 1},
        {"dest embedded NUL", L"dest", text(std::wstring(L"x\0German", 8)), &destflag, 1},
        {"onoff on", L"onoff", text(L"on"), &onoffState, 1},
        {"onoff prefix", L"onoff", text(L"onward"), &onoffState, 1},
        {"onoff no data", L"onoff", RawValue{REG_SZ, {}}, &onoffState, 0},
        {"onoff odd byte count", L"onoff", RawValue{REG_SZ, {'o', 0, 'n', 0, 0}}, &onoffState, 0},
        {"keySet ctrl", L"keySet", text(L"MWSBNT"), &keyboardFlagSearch, 12},
        {"keySet letter of no key", L"keySet", text(L"MXSBNM"), &mouseFlagVoice, -1},
        {"keySet short", L"keySet", text(L"MPW"), &keyboardFlagVoice, -1},
        {"keySet ends at its NUL", L"keySet", text(std::wstring(L"MW\0BNM", 6)), &keyboardFlagVoice, -1},
        {"keySet missing", L"keySet", std::nullopt, &mouseFlagSearch, -1},
        {"keySet 15 characters", L"keySet", text(L"MPWBAB123456789"), &mouseFlagVoice, 2},
    };
    for (const auto& [what, name, data, variable, expected] : rows) {
        store(name, data);
        *variable = kUntouched;
        updateTranslateData();
        EXPECT_EQ(*variable, expected) << what;
        store(name, nullptr);
    }
}

TEST_F(Store, HotkeyPatchesPutTheRowsLetterInItsPlace) {
    // "keySet" before (nullptr: missing), the patch, its row and which, and "keySet" after.
    const std::tuple<const wchar_t*, void (*)(int, int), int, int, const wchar_t*> cases[] = {
        {L"MWSBNM", mouseSetKey, 2, 2, L"MWPBNM"},
        {L"MWSBNM", keyboardSetKey, 12, 1, L"MWSBTM"},
        {L"MWSBNM", mouseSetKey, 0, 7, L"MWWBNM"},  // any which but 1 is the search key
        {L"MWSBNM", keyboardSetKey, 11, 0, L"MWSBNL"},
        {nullptr, mouseSetKey, 1, 1, L"MSSBNM"},  // completed from the default
        {L"MWS", keyboardSetKey, 0, 1, L"MWSBAM"},
        {L"MWSBNMxyz012345", mouseSetKey, 2, 1, L"MPSBNMxyz012345"},
        {L"MWSBNM0123456789", mouseSetKey, 2, 2, L"MWPBNM"},  // unreadable: replaced
        {L"MWS", mouseSetKey, 3, 1, L"MWS"},
        {L"MWS", keyboardSetKey, -1, 1, L"MWS"},
        {nullptr, keyboardSetKey, 15, 2, nullptr}};
    for (const auto& [before, patch, row, which, after] : cases) {
        store(L"keySet", before);
        patch(row, which);
        EXPECT_EQ(stored(L"keySet"), after ? Stored(text(after)) : std::nullopt)
            << (before ? before : L"missing") << ", row " << row;
    }
}

TEST_F(Store, WithoutTheSettingsKeyNothingIsLoaded) {
    HKEY run = nullptr;
    ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, kRunKey), ERROR_SUCCESS);
    updateTranslateData();
    EXPECT_EQ(onoffState, 0) << "cleared before loading";
    EXPECT_TRUE(uiLanguageFlag == 1 || uiLanguageFlag == 2) << "the language is detected all the same";
    for (int* variable : kState)
        EXPECT_TRUE(*variable == kUntouched || variable == &onoffState || variable == &uiLanguageFlag);
    RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                    &run, nullptr);
    RegCloseKey(run);  // as the other tests expect it
}

}  // namespace
