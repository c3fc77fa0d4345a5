// The version texts, from the files beside the program and the registry, compared; an upgrade's steps.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "tests/common/registry.h"
#include "update/upgrade.h"
#include "update/version.h"

namespace {

// Beside the program, whatever it is called (this test program is not SonvaroSet.exe), a version file
// gives up to 32 bytes, line ends kept.
TEST(VersionFiles, GiveUpToThirtyTwoBytesFromBesideTheProgram) {
    initVersionPaths();
    const std::wstring path = versionFilePath;
    EXPECT_EQ(path + L"|" + localVersionFilePath,
              testBinDir() + L"version|" + testBinDir() + L"LocalVersion");
    // What the file holds, the bytes read and the text then.
    const std::tuple<std::string, int, const wchar_t*> cases[] = {
        {"1.0.6\r\n", 7, L"1.0.6\r\n"},
        {"0123456789abcdefghijklmnopqrstuvwxyzABCD", 32, L"0123456789abcdefghijklmnopqrstuv"},
        {std::string("1.2\0garbage", 11), 11, L"1.2"},
        {std::string(1, '\0') + "1.2", 4, L""},
        {"", 0, L"old"}};  // an empty file keeps the old text
    for (const auto& [bytes, count, text] : cases) {
        std::FILE* file = _wfopen(path.c_str(), L"wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        wcscpy(versionText, L"old");
        EXPECT_EQ(readFileTest(versionFilePath, versionText), count) << bytes.substr(0, 40);
        EXPECT_STREQ(versionText, text);
    }
    DeleteFileW(versionFilePath);
}

TEST(VersionValues, AreComparedAsExactTexts) {
    // "newVersion" and "localVersion" (nullptr: missing), and whether they differ.
    const std::tuple<const wchar_t*, const wchar_t*, int> cases[] = {
        {L"1.0.6", L"1.0.6", 0},          {L"1.0.5", L"1.0.6", 1}, {L"1.0.6", L"1.0.6 ", 1},
        {L"1.0.6a", L"1.0.6A", 1},        {nullptr, nullptr, 0},   {L"1.0.6", nullptr, 1},
        {L"1.0.6-0123456789", nullptr, 0}};  // 16 characters read as empty
    for (const auto& [newVersion, localVersion, different] : cases) {
        store(L"newVersion", newVersion);
        store(L"localVersion", localVersion);
        wcscpy(versionText, L"from file");
        wcscpy(localVersionText, L"from file");
        readLocalVersion();
        readNewVersion();
        const std::wstring read = newVersion && wcslen(newVersion) <= 15 ? newVersion : L"";
        EXPECT_EQ(versionText + (L"|" + std::wstring(localVersionText)),
                  read + L"|" + (localVersion ? localVersion : L""));
        EXPECT_EQ(isVersionDifferent(), different) << testing::PrintToString(read);
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
