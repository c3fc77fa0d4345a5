#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "settings/fileos.h"
#include "settings/state.h"
#include "settings/tables.h"
#include "tests/common/registry.h"
#include "tests/unit/state_reset.h"

namespace {

class SettingsStore : public testing::Test {
protected:
    void SetUp() override { presetSettingsState(kUntouched); }

    static void store(const wchar_t* name, const std::wstring& text) { setText(kRunKey, name, text); }
    static std::optional<std::wstring> stored(const wchar_t* name) { return getText(kRunKey, name); }

    SavedSettings saved_;
};

// ---- The tables through the store ----

TEST_F(SettingsStore, EveryLanguageRowRoundTripsThroughDest) {
    for (int row = 0; row < kLanguageCount; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row);
        destflag = row;
        writeDest();
        EXPECT_EQ(stored(L"dest"), std::wstring(kLanguages[row].stored));
        destflag = kUntouched;
        readDest();
        EXPECT_EQ(destflag, row);
    }
}

TEST_F(SettingsStore, ShownAndStoredNamesDifferOnlyForTraditionalChinese) {
    destflag = 3;
    writeDest();
    EXPECT_EQ(stored(L"dest"), L"traditional");
    EXPECT_STREQ(kLanguages[3].english, L"traditional Chinese");
    destflag = 26;
    writeDest();
    EXPECT_EQ(stored(L"dest"), L"Classical");
    for (int row = 0; row < kLanguageCount; ++row) {
        if (row != 3) {
            EXPECT_STREQ(kLanguages[row].english, kLanguages[row].stored) << "row " << row;
        }
    }
    EXPECT_STREQ(kShortLanguages[2].chinese, L"粤语");
    EXPECT_STREQ(kLanguages[2].chinese, L"粵語");
}

TEST_F(SettingsStore, ShortLanguageRowsRoundTripThroughSourceAndVoiceText) {
    for (int row = 0; row < kShortLanguageCount; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row);
        sourceflag = row;
        voiceLanguage = row;
        writeSource();
        writeVoiceText();
        EXPECT_EQ(stored(L"source"), std::wstring(kLanguages[row].stored));
        EXPECT_EQ(stored(L"voiceText"), std::wstring(kLanguages[row].stored));
        sourceflag = voiceLanguage = kUntouched;
        readSource();
        readVoiceText();
        EXPECT_EQ(sourceflag, row);
        EXPECT_EQ(voiceLanguage, row);
    }
}

TEST_F(SettingsStore, KeyLettersMapToRowsBothWays) {
    for (int row = 0; row < kMouseKeyCount; ++row) {
        EXPECT_EQ(keyLetterToIndex(kMouseKeys[row].letter, 0), row) << "mouse row " << row;
    }
    for (int row = 0; row < kKeyboardKeyCount; ++row) {
        EXPECT_EQ(keyLetterToIndex(kKeyboardKeys[row].letter, 1), row) << "keyboard row " << row;
        EXPECT_EQ(keyLetterToIndex(kKeyboardKeys[row].letter, 7), row)
            << "any non-zero table is the keyboard";
    }
    EXPECT_EQ(keyLetterToIndex(L'M', 1), 13);  // home
    EXPECT_EQ(keyLetterToIndex(L'T', 1), 12);  // ctrl
    for (int row = 0; row < kMouseKeyCount; ++row) {
        store(L"keySet", kDefaultKeySet);
        mouseSetKey(row, 1);
        readKeySet();
        EXPECT_EQ(mouseFlagVoice, row);
        EXPECT_EQ(mouseVoiceKey, kMouseKeys[row].letter);
    }
    for (int row = 0; row < kKeyboardKeyCount; ++row) {
        store(L"keySet", kDefaultKeySet);
        keyboardSetKey(row, 2);
        readKeySet();
        EXPECT_EQ(keyboardFlagSearch, row);
        EXPECT_EQ(keyboardSearchKey, kKeyboardKeys[row].letter);
    }
}

// ---- Loaders ----

struct StoredData {
    DWORD type;
    std::vector<BYTE> bytes;  // empty with type REG_NONE: the value is missing
};

StoredData text(const std::wstring& value, DWORD type = REG_SZ) {
    const auto* first = reinterpret_cast<const BYTE*>(value.c_str());
    return {type, std::vector<BYTE>(first, first + (value.size() + 1) * 2)};
}
StoredData missing() { return {REG_NONE, {}}; }

struct LoaderCase {
    const char* what;
    const wchar_t* value;
    StoredData data;
    void (*load)();
    int* variable;
    int expected;
};

void storeData(const wchar_t* name, const StoredData& data) {
    if (data.type == REG_NONE) {
        deleteValue(HKEY_CURRENT_USER, kRunKey, name);
    } else {
        setRaw(HKEY_CURRENT_USER, kRunKey, name, data.type, data.bytes.data(),
               static_cast<DWORD>(data.bytes.size()));
    }
}

TEST_F(SettingsStore, LoadersMatchPrefixesCaseSensitivelyAndFallBack) {
    const LoaderCase cases[] = {
        {"source missing", L"source", missing(), readSource, &sourceflag, 0},
        {"source English", L"source", text(L"English"), readSource, &sourceflag, 1},
        {"source prefix", L"source", text(L"Englishxyz"), readSource, &sourceflag, 1},
        {"source lower case", L"source", text(L"english"), readSource, &sourceflag, 0},
        {"source Cantonese", L"source", text(L"Cantonese"), readSource, &sourceflag, 2},
        {"source unknown", L"source", text(L"French"), readSource, &sourceflag, 0},
        {"voiceText missing", L"voiceText", missing(), readVoiceText, &voiceLanguage, 0},
        {"voiceText Cantonese", L"voiceText", text(L"Cantonese"), readVoiceText, &voiceLanguage, 2},
        {"voiceText English", L"voiceText", text(L"English"), readVoiceText, &voiceLanguage, 1},
        {"dest missing", L"dest", missing(), readDest, &destflag, 1},
        {"dest traditional", L"dest", text(L"traditional"), readDest, &destflag, 3},
        {"dest Classical", L"dest", text(L"Classical"), readDest, &destflag, 26},
        {"dest not a language", L"dest", text(L"Klingon"), readDest, &destflag, 1},
        {"dest Chinese", L"dest", text(L"Chinese"), readDest, &destflag, 0},
        {"dest 15 characters", L"dest", text(L"Vietnamese12345"), readDest, &destflag, 27},
        {"dest 16 characters", L"dest", text(L"Vietnamese123456"), readDest, &destflag, 1},
        {"dest expand string", L"dest", text(L"German", REG_EXPAND_SZ), readDest, &destflag, 12},
        {"dest multi string", L"dest", text(std::wstring(L"Greek") + L'\0', REG_MULTI_SZ), readDest,
         &destflag, 14},
        {"dest binary", L"dest", text(L"German", REG_BINARY), readDest, &destflag, 1},
        {"onoff on", L"onoff", text(L"on"), readOnOff, &onoffState, 1},
        {"onoff off", L"onoff", text(L"off"), readOnOff, &onoffState, 0},
        {"onoff prefix", L"onoff", text(L"onward"), readOnOff, &onoffState, 1},
        {"onoff capital", L"onoff", text(L"On"), readOnOff, &onoffState, 0},
        {"onoff missing", L"onoff", missing(), readOnOff, &onoffState, 0},
        {"onoff dword", L"onoff", {REG_DWORD, {'o', 0, 'n', 0}}, readOnOff, &onoffState, 0},
        {"onoff empty data", L"onoff", {REG_SZ, {}}, readOnOff, &onoffState, 0},
        {"onoff odd byte count", L"onoff", {REG_SZ, {'o', 0, 'n', 0, 0}}, readOnOff, &onoffState, 0},
        {"onoff embedded NUL", L"onoff", text(std::wstring(L"x\0on", 4)), readOnOff, &onoffState, 0},
    };
    for (const LoaderCase& row : cases) {
        SCOPED_TRACE(row.what);
        storeData(row.value, row.data);
        *row.variable = kUntouched;
        row.load();
        EXPECT_EQ(*row.variable, row.expected);
    }
}

TEST_F(SettingsStore, UnterminatedStringReadsAsEmpty) {
    // Written from a longer buffer whose next character is not NUL, so the registry keeps it unterminated.
    const wchar_t buffer[] = L"EnglishX";
    setRaw(HKEY_CURRENT_USER, kRunKey, L"source", REG_SZ, buffer, 7 * sizeof(wchar_t));
    sourceflag = kUntouched;
    readSource();
    EXPECT_EQ(sourceflag, 0);
    setRaw(HKEY_CURRENT_USER, kRunKey, L"dest", REG_SZ, buffer, 7 * sizeof(wchar_t));
    readDest();
    EXPECT_EQ(destflag, 1);
}

TEST_F(SettingsStore, ReadValueAcceptsFifteenCharactersAndLeavesTheRestOfTheBufferZero) {
    store(L"dest", L"abcdefghijklmno");
    UniqueKey key = openKey(kSettingsKeyPath);
    ASSERT_TRUE(key);
    ValueText szPath;
    std::fill(std::begin(szPath), std::end(szPath), static_cast<wchar_t>(0xBDBD));
    EXPECT_TRUE(readValue(key.get(), L"dest", szPath));
    EXPECT_EQ(std::wstring(szPath), L"abcdefghijklmno");
    for (int i = 15; i < kValueChars; ++i) EXPECT_EQ(szPath[i], 0) << "position " << i;

    store(L"dest", L"abcdefghijklmnop");
    std::fill(std::begin(szPath), std::end(szPath), static_cast<wchar_t>(0xBDBD));
    EXPECT_FALSE(readValue(key.get(), L"dest", szPath));
    for (int i = 0; i < kValueChars; ++i) EXPECT_EQ(szPath[i], 0) << "position " << i;
}

TEST_F(SettingsStore, KeySetLoadsLettersAndRows) {
    store(L"keySet", L"MWSBNM");
    readKeySet();
    EXPECT_EQ(mouseVoiceKey, L'W');
    EXPECT_EQ(mouseSearchKey, L'S');
    EXPECT_EQ(keyboardVoiceKey, L'N');
    EXPECT_EQ(keyboardSearchKey, L'M');
    EXPECT_EQ(mouseFlagVoice, 0);       // Wheel
    EXPECT_EQ(mouseFlagSearch, 1);      // Forward
    EXPECT_EQ(keyboardFlagVoice, 14);   // end
    EXPECT_EQ(keyboardFlagSearch, 13);  // home

    store(L"keySet", L"MXSBnM");
    readKeySet();
    EXPECT_EQ(mouseVoiceKey, L'X');
    EXPECT_EQ(mouseFlagVoice, -1);
    EXPECT_EQ(keyboardVoiceKey, L'n');
    EXPECT_EQ(keyboardFlagVoice, -1);
    EXPECT_EQ(keyboardFlagSearch, 13);
}

TEST_F(SettingsStore, MissingOrShortKeySetGivesNoRowsForMissingPositions) {
    deleteValue(HKEY_CURRENT_USER, kRunKey, L"keySet");
    readKeySet();
    for (int letter : {mouseVoiceKey, mouseSearchKey, keyboardVoiceKey, keyboardSearchKey}) {
        EXPECT_EQ(letter, 0);
    }
    for (int row : {mouseFlagVoice, mouseFlagSearch, keyboardFlagVoice, keyboardFlagSearch}) {
        EXPECT_EQ(row, -1);
    }

    store(L"keySet", L"MPW");
    readKeySet();
    EXPECT_EQ(mouseFlagVoice, 2);
    EXPECT_EQ(mouseFlagSearch, 0);
    EXPECT_EQ(keyboardFlagVoice, -1);
    EXPECT_EQ(keyboardFlagSearch, -1);
    EXPECT_EQ(keyLetterToIndex(0, 0), -1);
    EXPECT_EQ(keyLetterToIndex(L'X', 1), -1);
}

TEST_F(SettingsStore, UpdateTranslateDataLoadsEverythingAndDetectsTheLanguage) {
    store(L"onoff", L"on");
    store(L"source", L"Cantonese");
    store(L"dest", L"Japan");
    store(L"voiceText", L"English");
    store(L"keySet", L"MPWBAB");
    updateTranslateData();
    EXPECT_EQ(onoffState, 1);
    EXPECT_EQ(sourceflag, 2);
    EXPECT_EQ(destflag, 4);
    EXPECT_EQ(voiceLanguage, 1);
    EXPECT_EQ(mouseFlagVoice, 2);
    EXPECT_EQ(mouseFlagSearch, 0);
    EXPECT_EQ(keyboardFlagVoice, 0);
    EXPECT_EQ(keyboardFlagSearch, 1);
    EXPECT_EQ(workMode, kUntouched) << "the working mode is never loaded";
    EXPECT_TRUE(uiLanguageFlag == 1 || uiLanguageFlag == 2);
}

// ---- Writers ----

TEST_F(SettingsStore, WritersStoreExactTerminatedText) {
    struct {
        void (*write)();
        int* variable;
        int value;
        const wchar_t* name;
        const wchar_t* expected;
    } const cases[] = {
        {writeSource, &sourceflag, 2, L"source", L"Cantonese"},
        {writeVoiceText, &voiceLanguage, 1, L"voiceText", L"English"},
        {writeDest, &destflag, 27, L"dest", L"Vietnamese"},
        {writeOnOff, &onoffState, 1, L"onoff", L"on"},
        {writeOnOff, &onoffState, 0, L"onoff", L"off"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(testing::Message() << "value " << row.value);
        *row.variable = row.value;
        row.write();
        const auto raw = getRaw(HKEY_CURRENT_USER, kRunKey, row.name);
        ASSERT_TRUE(raw);
        EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
        const std::wstring expected = row.expected;
        ASSERT_EQ(raw->data.size(), (expected.size() + 1) * 2);
        EXPECT_EQ(std::memcmp(raw->data.data(), expected.c_str(), raw->data.size()), 0);
    }
}

TEST_F(SettingsStore, WritersStoreNothingForRowsOutsideTheirTables) {
    store(L"source", L"English");
    store(L"voiceText", L"English");
    store(L"dest", L"German");
    sourceflag = 3;
    voiceLanguage = -1;
    destflag = 28;
    writeSource();
    writeVoiceText();
    writeDest();
    EXPECT_EQ(stored(L"source"), L"English");
    EXPECT_EQ(stored(L"voiceText"), L"English");
    EXPECT_EQ(stored(L"dest"), L"German");
}

TEST_F(SettingsStore, WriteOnOffStoresTheModeItIsGivenEvenWhenRepeated) {
    deleteValue(HKEY_CURRENT_USER, kRunKey, L"onoff");
    for (int mode : {0, 0, 1, 1, 0}) {
        onoffState = mode;
        writeOnOff();
        EXPECT_EQ(stored(L"onoff"), mode == 1 ? L"on" : L"off");
    }
}

TEST_F(SettingsStore, HotkeyPatchesPutOneLetterInPlace) {
    struct {
        const char* what;
        std::optional<std::wstring> before;
        void (*patch)(int, int);
        int row;
        int which;
        std::wstring after;
    } const cases[] = {
        {"mouse search Back", L"MWSBNM", mouseSetKey, 2, 2, L"MWPBNM"},
        {"keyboard input ctrl", L"MWSBNM", keyboardSetKey, 12, 1, L"MWSBTM"},
        {"mouse input, any which but 1 is search", L"MWSBNM", mouseSetKey, 0, 7, L"MWWBNM"},
        {"keyboard search F12", L"MWSBNM", keyboardSetKey, 11, 0, L"MWSBNL"},
        {"missing keySet is completed", std::nullopt, mouseSetKey, 1, 1, L"MSSBNM"},
        {"short keySet is completed", L"MWS", keyboardSetKey, 0, 1, L"MWSBAM"},
        {"empty keySet is completed", L"", keyboardSetKey, 3, 2, L"MWSBND"},
        {"longer text keeps its tail", L"MWSBNMxyz", mouseSetKey, 2, 1, L"MPSBNMxyz"},
        {"unreadable keySet is replaced", L"MWSBNM0123456789", mouseSetKey, 2, 2, L"MWPBNM"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        if (row.before) {
            store(L"keySet", *row.before);
        } else {
            deleteValue(HKEY_CURRENT_USER, kRunKey, L"keySet");
        }
        row.patch(row.row, row.which);
        EXPECT_EQ(stored(L"keySet"), row.after);
    }
}

TEST_F(SettingsStore, HotkeyPatchesIgnoreRowsOutsideTheirTables) {
    store(L"keySet", L"MWS");
    mouseSetKey(3, 1);
    mouseSetKey(-1, 2);
    keyboardSetKey(15, 1);
    EXPECT_EQ(stored(L"keySet"), L"MWS");
    deleteValue(HKEY_CURRENT_USER, kRunKey, L"keySet");
    keyboardSetKey(99, 2);
    EXPECT_FALSE(getRaw(HKEY_CURRENT_USER, kRunKey, L"keySet"));
}

TEST_F(SettingsStore, WriteDefaultSetResetsOnlyTheHotkeys) {
    store(L"keySet", L"MPWBAB");
    store(L"source", L"English");
    store(L"dest", L"Thai");
    store(L"voiceText", L"Cantonese");
    store(L"onoff", L"on");
    writeDefaultSet();
    EXPECT_EQ(stored(L"keySet"), L"MWSBNM");
    EXPECT_EQ(stored(L"source"), L"English");
    EXPECT_EQ(stored(L"dest"), L"Thai");
    EXPECT_EQ(stored(L"voiceText"), L"Cantonese");
    EXPECT_EQ(stored(L"onoff"), L"on");
}

// ---- Without the settings key ----

// Points HKEY_CURRENT_USER of this process at an empty volatile key, so the settings key is missing
// without touching the real one.
class WithoutSettingsKey : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &scratch_, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratch_), ERROR_SUCCESS);
        presetSettingsState(kUntouched);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(scratch_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    }
    static constexpr const wchar_t* kScratch = L"Software\\SonvaroTests\\NoSettingsKey";
    HKEY scratch_ = nullptr;
};

TEST_F(WithoutSettingsKey, LoadersLeaveTheStateAndWritersCreateNothing) {
    updateTranslateData();
    EXPECT_EQ(onoffState, 0) << "cleared before loading";
    for (int variable :
         {sourceflag, destflag, voiceLanguage, mouseVoiceKey, mouseSearchKey, keyboardVoiceKey,
          keyboardSearchKey, mouseFlagVoice, mouseFlagSearch, keyboardFlagVoice, keyboardFlagSearch}) {
        EXPECT_EQ(variable, kUntouched);
    }
    EXPECT_NE(uiLanguageFlag, kUntouched) << "the language is detected all the same";

    sourceflag = voiceLanguage = 1;
    destflag = 5;
    writeSource();
    writeDest();
    writeVoiceText();
    writeOnOff();
    writeDefaultSet();
    mouseSetKey(1, 1);
    keyboardSetKey(1, 1);
    DWORD subkeys = 99;
    DWORD values = 99;
    ASSERT_EQ(RegQueryInfoKeyW(scratch_, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 0u);
    EXPECT_EQ(values, 0u);
}

}  // namespace
