// Seeded random registry data for every value the store reads, many rounds over: the loaders never
// crash, never read past their buffer and never produce an index outside its table.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <vector>

#include "settings/fileos.h"
#include "settings/state.h"
#include "settings/tables.h"
#include "tests/common/registry.h"
#include "tests/unit/state_reset.h"
#include "update/version.h"

namespace {

std::vector<wchar_t> randomText(std::mt19937& random) {
    static const wchar_t* const pieces[] = {L"Chinese",   L"English", L"Cantonese", L"traditional",
                                            L"Classical", L"on",      L"off",       L"MWSBNM",
                                            L"MPWBAB",    L"1.0.6"};
    static const wchar_t units[] = {0,    0,    L'M',   L'W',   L'S',   L'P', L'N',
                                    L'T', L'x', 0xD800, 0xDFFF, 0xFFFF, 0x7F};
    std::vector<wchar_t> text;
    const int parts = std::uniform_int_distribution<>(0, 6)(random);
    for (int i = 0; i < parts; ++i) {
        if (random() % 2) {
            for (const wchar_t* c = pieces[random() % std::size(pieces)]; *c; ++c) text.push_back(*c);
        } else {
            text.push_back(units[random() % std::size(units)]);
        }
    }
    if (random() % 3) text.push_back(0);  // most values are terminated
    return text;
}

void storeRandom(std::mt19937& random, const wchar_t* key, const wchar_t* name) {
    static const DWORD types[] = {REG_SZ,     REG_SZ,    REG_SZ,    REG_EXPAND_SZ, REG_MULTI_SZ,
                                  REG_BINARY, REG_DWORD, REG_QWORD, REG_NONE,      0x1234};
    if (random() % 8 == 0) {
        deleteValue(HKEY_CURRENT_USER, key, name);
        return;
    }
    const std::vector<wchar_t> text = randomText(random);
    DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (bytes > 0 && random() % 5 == 0) --bytes;  // an odd byte count
    setRaw(HKEY_CURRENT_USER, key, name, types[random() % std::size(types)], text.data(), bytes);
}

bool terminatedWithin(const wchar_t* text, size_t chars) { return wcsnlen(text, chars) < chars; }

TEST(HostileValues, LoadersKeepEveryIndexInRange) {
    SavedSettings saved;
    std::mt19937 random(20261206);
    const int rounds = 1500;
    const DWORD start = GetTickCount();
    for (int round = 0; round < rounds; ++round) {
        for (const wchar_t* name : kSettingNames) {
            storeRandom(random, kRunKey, name);
        }
        for (const wchar_t* name : kVersionNames) {
            storeRandom(random, kCurrentVersionKey, name);
        }

        presetSettingsState(kUntouched);
        updateTranslateData();
        SCOPED_TRACE(testing::Message() << "round " << round);
        ASSERT_TRUE(sourceflag >= 0 && sourceflag < kShortLanguageCount) << sourceflag;
        ASSERT_TRUE(voiceLanguage >= 0 && voiceLanguage < kShortLanguageCount) << voiceLanguage;
        ASSERT_TRUE(destflag >= 0 && destflag < kLanguageCount) << destflag;
        ASSERT_TRUE(onoffState == 0 || onoffState == 1);
        for (int row : {mouseFlagVoice, mouseFlagSearch}) {
            ASSERT_TRUE(row >= -1 && row < kMouseKeyCount) << row;
        }
        for (int row : {keyboardFlagVoice, keyboardFlagSearch}) {
            ASSERT_TRUE(row >= -1 && row < kKeyboardKeyCount) << row;
        }

        readNewVersion();
        readLocalVersion();
        ASSERT_TRUE(terminatedWithin(versionText, 16));
        ASSERT_TRUE(terminatedWithin(localVersionText, 16));

        // A patch with a valid row always lands where it belongs.
        const int row = static_cast<int>(random() % kKeyboardKeyCount);
        keyboardSetKey(row, 1);
        readKeySet();
        ASSERT_EQ(keyboardFlagVoice, row);
    }
    const DWORD elapsed = GetTickCount() - start;
    std::printf("%d rounds of hostile values in %lu ms\n", rounds, elapsed);
    RecordProperty("rounds_per_second", static_cast<int>(rounds * 1000.0 / (elapsed ? elapsed : 1)));
}

}  // namespace
