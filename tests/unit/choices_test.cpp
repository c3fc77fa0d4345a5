// What the dialog's choices store and decide, and the order of an upgrade's steps.
#include <gtest/gtest.h>

#include <tuple>
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
        EXPECT_TRUE(workMode == mode && onoffState == mode && lists.voiceLanguage == (mode == 0) &&
                    lists.source == (mode == 1) && lists.target == (mode == 1));
    }
}

TEST(Choices, AHotkeyMayNotTakeTheOtherKeyOfItsDevice) {
    using H = Hotkey;
    // From "MWSBNM" (Wheel, Forward, end, home): the hotkey and row chosen, the text stored afterwards
    // (nullptr: refused, nothing changes) and the hotkey's row then.
    const std::tuple<Hotkey, int, const wchar_t*, int> cases[] = {
        {H::MouseInput, 1, nullptr, 0},         {H::MouseSearch, 0, nullptr, 1},
        {H::KeyboardInput, 13, nullptr, 14},    {H::KeyboardSearch, 14, nullptr, 13},
        {H::MouseInput, 2, L"MPSBNM", 2},       {H::MouseSearch, 2, L"MWPBNM", 2},
        {H::KeyboardInput, 1, L"MWSBBM", 1},  // the mouse search key's row: another device
        {H::KeyboardSearch, 12, L"MWSBNT", 12}, {H::MouseInput, 0, L"MWSBNM", 0}};  // its own row again
    for (const auto& [key, row, keySet, rowAfter] : cases) {
        SCOPED_TRACE(testing::Message() << "hotkey " << static_cast<int>(key) << " row " << row);
        store(L"keySet", L"MWSBNM");
        readKeySet();
        EXPECT_EQ(chooseHotkey(key, row), keySet != nullptr);
        EXPECT_EQ(stored(L"keySet"), text(keySet ? keySet : L"MWSBNM"));
        EXPECT_EQ(hotkeyRow(key), rowAfter);
    }
}

// What the dialog cannot show: the Chinese flow warns before it starts the installer, the English one after.
TEST(Upgrade, WarnsBeforeTheInstallerStartsOnlyInTheChineseFlow) {
    using S = UpgradeStep;
    EXPECT_EQ(upgradeSteps(true, true, true, true),
              (std::vector<S>{S::ShowVersions, S::Confirm, S::Warn, S::PostUpdate, S::StartInstaller,
                              S::CloseDialog}));
    EXPECT_EQ(upgradeSteps(false, true, true, true),
              (std::vector<S>{S::ShowVersions, S::Confirm, S::PostUpdate, S::StartInstaller, S::Warn}));
}

}  // namespace
