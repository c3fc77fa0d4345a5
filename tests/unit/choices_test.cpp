// What the dialog's choices store and decide, and which steps an upgrade press takes.
#include <gtest/gtest.h>

#include <vector>

#include "settings/choices.h"
#include "settings/fileos.h"
#include "settings/state.h"
#include "tests/common/registry.h"
#include "update/upgrade.h"

namespace {

TEST(Choices, EachModeStoresItselfAndEnablesItsOwnLists) {
    store(L"onoff", L"on");
    for (int mode : {1, 1, 0, 0, 1}) {
        const ModeLists lists = chooseMode(mode);
        EXPECT_EQ(stored(L"onoff"), text(mode == 1 ? L"on" : L"off")) << "stored even when repeated";
        EXPECT_TRUE(workMode == mode && onoffState == mode);
        EXPECT_TRUE(lists.voiceLanguage == (mode == 0) && lists.source == (mode == 1) &&
                    lists.target == (mode == 1));
    }
}

TEST(Choices, LanguageListsActOnlyInTheirOwnMode) {
    const struct {
        int mode;
        LanguageList list;
        int row;
        const wchar_t* name;
        const wchar_t* stored;  // afterwards
    } cases[] = {
        {0, LanguageList::Source, 2, L"source", L"English"},
        {0, LanguageList::Target, 3, L"dest", L"German"},
        {0, LanguageList::VoiceLanguage, 2, L"voiceText", L"Cantonese"},
        {1, LanguageList::VoiceLanguage, 1, L"voiceText", L"Cantonese"},
        {1, LanguageList::Source, 2, L"source", L"Cantonese"},
        {1, LanguageList::Target, 26, L"dest", L"Classical"},
    };
    store(L"source", L"English");
    store(L"dest", L"German");
    store(L"voiceText", L"Chinese");
    for (const auto& row : cases) {
        workMode = row.mode;
        const bool acts = (row.list == LanguageList::VoiceLanguage) == (row.mode == 0);
        EXPECT_EQ(chooseLanguage(row.list, row.row), acts) << "mode " << row.mode << ", " << row.name;
        EXPECT_EQ(stored(row.name), text(row.stored)) << "mode " << row.mode << ", " << row.name;
    }
    EXPECT_TRUE(destflag == 26 && sourceflag == 2 && voiceLanguage == 2);
}

TEST(Choices, AHotkeyMayNotTakeTheOtherKeyOfItsDevice) {
    const struct {
        Hotkey key;
        int row;
        const wchar_t* keySet;  // afterwards, from "MWSBNM" (Wheel, Forward, end, home); nullptr: refused
        int rowAfter;
    } cases[] = {
        {Hotkey::MouseInput, 1, nullptr, 0},         {Hotkey::MouseSearch, 0, nullptr, 1},
        {Hotkey::KeyboardInput, 13, nullptr, 14},    {Hotkey::KeyboardSearch, 14, nullptr, 13},
        {Hotkey::MouseInput, 2, L"MPSBNM", 2},       {Hotkey::MouseSearch, 2, L"MWPBNM", 2},
        {Hotkey::KeyboardInput, 1, L"MWSBBM", 1},  // the mouse search key's row: another device
        {Hotkey::KeyboardSearch, 12, L"MWSBNT", 12}, {Hotkey::MouseInput, 0, L"MWSBNM", 0},  // its own row
    };
    for (const auto& row : cases) {
        store(L"keySet", L"MWSBNM");
        readKeySet();
        const int key = static_cast<int>(row.key);
        EXPECT_EQ(chooseHotkey(row.key, row.row), row.keySet != nullptr)
            << "hotkey " << key << " row " << row.row;
        EXPECT_EQ(stored(L"keySet"), text(row.keySet ? row.keySet : L"MWSBNM")) << "hotkey " << key;
        EXPECT_EQ(hotkeyRow(row.key), row.rowAfter) << "hotkey " << key;
    }
}

TEST(Choices, TextsAreChineseOnlyForTheChineseInterface) {
    for (const auto& [flag, text] : {std::pair{0, L"en"}, {1, L"zh"}, {2, L"en"}, {4, L"en"}}) {
        uiLanguageFlag = flag;
        EXPECT_STREQ(uiText(L"zh", L"en"), text) << "flag " << flag;
    }
}

TEST(Upgrade, StepsFollowLanguageVersionsAnswerAndInstaller) {
    using S = UpgradeStep;
    const std::vector<S> chineseStart = {S::ShowVersions, S::Confirm, S::Warn, S::PostUpdate,
                                         S::StartInstaller};
    const std::vector<S> englishStart = {S::ShowVersions, S::Confirm, S::PostUpdate, S::StartInstaller};
    const auto plus = [](std::vector<S> steps, std::vector<S> more) {
        steps.insert(steps.end(), more.begin(), more.end());
        return steps;
    };
    const struct {
        bool chinese, differ, confirmed, started;
        std::vector<UpgradeStep> steps;
    } cases[] = {
        {true, false, true, true, {S::SayUpToDate}},
        {false, false, true, true, {S::SayUpToDate}},
        {true, true, false, true, {S::ShowVersions, S::Confirm}},
        {false, true, false, true, {S::ShowVersions, S::Confirm}},
        {true, true, true, true, plus(chineseStart, {S::CloseDialog})},
        {true, true, true, false, plus(chineseStart, {S::ReportFailure, S::OpenInstructions})},
        {false, true, true, true, plus(englishStart, {S::Warn})},
        {false, true, true, false, plus(englishStart, {S::ReportFailure, S::OpenInstructions})},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(upgradeSteps(row.chinese, row.differ, row.confirmed, row.started), row.steps)
            << "chinese " << row.chinese << ", differ " << row.differ << ", confirmed " << row.confirmed
            << ", started " << row.started;
    }
}

}  // namespace
