// What the dialog's controls do: modes, language lists, hotkeys and reset, help pages, upgrade.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/e2e/fixtures.h"

namespace {

using ModeButtons = DialogTest;
using LanguageLists = DialogTest;
using HotkeyLists = DialogTest;
using HelpPages = DialogTest;
using UpgradeButton = DialogTest;

const std::vector<unsigned char> kHello = SharedSection::expectedRecord("HELLOO");
const std::vector<unsigned char> kUpdate = SharedSection::expectedRecord("UPDATE");

const std::wstring kChineseInstructions =
    L"https://cn.ulmar.example/pallix-q7-voice-assistant-instructions-cn-v2.html";
const std::wstring kEnglishInstructions =
    L"https://www.ulmar.example/pallix-q7-voice-assistant-instructions-en-v2.html";
const std::wstring kChineseLearnMore =
    L"https://cn.ulmar.example/pallix-q7-voice-assistant-learn-more-cn-v2.html";
const std::wstring kEnglishLearnMore =
    L"https://www.ulmar.example/pallix-q7-voice-assistant-learn-more-en-v2.html";

// The recorder logs "arguments<TAB>show state<TAB>folder"; the address arrives quoted.
std::wstring openedLine(const std::wstring& address, int show) {
    return L"\"" + address + L"\"\t" + std::to_wstring(show);
}
std::wstring withoutFolder(const std::wstring& line) { return line.substr(0, line.rfind(L'\t')); }

// ---- Working mode ----

TEST_F(ModeButtons, StoreTheModeTheyShowEvenWhenClickedAgain) {
    store(L"onoff", L"off");
    Program program;
    for (int button : {1019, 1019, 1018, 1018, 1019}) {
        SCOPED_TRACE(testing::Message() << "click on " << button);
        program.click(button);
        program.sync();
        const bool translating = button == 1019;
        EXPECT_EQ(stored(L"onoff"), translating ? L"on" : L"off");
        EXPECT_EQ(program.checked(1019), translating);
        EXPECT_EQ(program.checked(1018), !translating);
        EXPECT_EQ(program.enabled(1001), translating);
        EXPECT_EQ(program.enabled(1002), translating);
        EXPECT_EQ(program.enabled(1011), !translating);
    }
    EXPECT_TRUE(program.noMessageBox(200));
}

// ---- Language lists ----

TEST_F(LanguageLists, EachListActsOnlyInItsOwnMode) {
    store(L"onoff", L"off");
    store(L"source", L"English");
    store(L"dest", L"German");
    store(L"voiceText", L"Chinese");
    Program program;
    const struct {
        int click;  // 0: none
        int list;
        int row;
        const wchar_t* value;
        const wchar_t* stored;
    } steps[] = {
        {0, 1001, 2, L"source", L"English"},      {0, 1002, 3, L"dest", L"German"},
        {0, 1011, 2, L"voiceText", L"Cantonese"}, {1019, 1002, 3, L"dest", L"traditional"},
        {0, 1001, 2, L"source", L"Cantonese"},    {0, 1002, 26, L"dest", L"Classical"},
        {0, 1011, 1, L"voiceText", L"Cantonese"}, {1018, 1011, 1, L"voiceText", L"English"},
        {0, 1002, 27, L"dest", L"Classical"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "list " << step.list << " row " << step.row);
        if (step.click) program.click(step.click);
        program.select(step.list, step.row);
        program.sync();
        EXPECT_EQ(stored(step.value), step.stored);
    }
    EXPECT_TRUE(program.noMessageBox(200));
    Sleep(600);
    EXPECT_EQ(section_.record()[0], SharedSection::kSentinel) << "languages send no notice";
}

TEST_F(LanguageLists, StoredTranslationModeActsFromTheStart) {
    store(L"onoff", L"on");
    store(L"dest", L"German");
    Program program;
    program.select(1002, 26);
    program.select(1001, 1);
    program.sync();
    EXPECT_EQ(stored(L"dest"), L"Classical");
    EXPECT_EQ(stored(L"source"), L"English");
}

// ---- Hotkeys ----

TEST_F(HotkeyLists, EachListStoresItsLetterAtItsPositionAndNotifies) {
    store(L"keySet", L"MWSBNM");
    Program program;
    const struct {
        int list;
        int row;
        const wchar_t* keySet;
    } steps[] = {
        {1014, 2, L"MPSBNM"},  // mouse input: Back
        {1012, 0, L"MPWBNM"},  // mouse search: Wheel
        {1017, 0, L"MPWBAM"},  // keyboard input: F1, the row mouse search also has
        {1015, 1, L"MPWBAB"},  // keyboard search: F2
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "list " << step.list << " row " << step.row);
        section_.clear();
        program.select(step.list, step.row);
        expectBox(program, L"Sonvaro", expected(L"修改成功", L"Setting completed"));
        EXPECT_EQ(stored(L"keySet"), step.keySet);
        EXPECT_EQ(program.selection(step.list), step.row);
        section_.waitForRecord();
        EXPECT_EQ(section_.record(), kHello);
        EXPECT_TRUE(section_.untouchedAfterRecord());
    }
}

TEST_F(HotkeyLists, TheOtherKeyOfTheSameDeviceIsRefusedButStillNotifies) {
    store(L"keySet", L"MWSBNM");
    Program program;
    const struct {
        int list;
        int row;
        int previous;
    } cases[] = {{1012, 0, 1}, {1014, 1, 0}, {1017, 13, 14}, {1015, 14, 13}};
    for (const auto& row : cases) {
        SCOPED_TRACE(testing::Message() << "list " << row.list);
        section_.clear();
        program.select(row.list, row.row);
        expectBox(program, L"Sonvaro", expected(L"按键冲突，无法生效", L"Hotkey conflict"));
        EXPECT_EQ(program.selection(row.list), row.previous);
        EXPECT_EQ(stored(L"keySet"), L"MWSBNM");
        section_.waitForRecord();
        EXPECT_EQ(section_.record(), kHello);
    }
}

TEST_F(HotkeyLists, ResetAsksFirstThenRestoresTheDefaultsOnly) {
    store(L"keySet", L"MPWBAB");
    store(L"onoff", L"on");
    store(L"dest", L"Thai");
    Program program;
    program.click(1000);
    const auto box = program.waitMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"Sonvaro");
    EXPECT_EQ(box->text, expected(L"恢复默认设置", L" Reset default"));
    EXPECT_TRUE(box->ok && !box->cancel && box->icon);
    EXPECT_EQ(stored(L"keySet"), L"MPWBAB") << "nothing happens before the box is closed";
    program.answer(*box, IDOK);
    program.sync();
    EXPECT_EQ(stored(L"keySet"), L"MWSBNM");
    EXPECT_EQ(program.selection(1014), 0);
    EXPECT_EQ(program.selection(1012), 1);
    EXPECT_EQ(program.selection(1017), 14);
    EXPECT_EQ(program.selection(1015), 13);
    EXPECT_EQ(stored(L"onoff"), L"on");
    EXPECT_EQ(stored(L"dest"), L"Thai");
    EXPECT_TRUE(program.checked(1019));
    section_.waitForRecord();
    EXPECT_EQ(section_.record(), kHello);

    // The conflict rule works on the restored keys.
    program.select(1012, 0);
    expectBox(program, L"Sonvaro", expected(L"按键冲突，无法生效", L"Hotkey conflict"));
    EXPECT_EQ(program.selection(1012), 1);
}

TEST_F(HotkeyLists, WithoutAStoredKeySetTheFirstChoiceStoresAWholeText) {
    store(L"keySet", nullptr);
    Program program;
    program.select(1014, 0);
    expectBox(program, L"Sonvaro", expected(L"修改成功", L"Setting completed"));
    EXPECT_EQ(stored(L"keySet"), L"MWSBNM");
    program.select(1015, 3);
    expectBox(program, L"Sonvaro", expected(L"修改成功", L"Setting completed"));
    EXPECT_EQ(stored(L"keySet"), L"MWSBND");
    section_.waitForRecord();
    EXPECT_EQ(section_.record(), kHello);
}

// ---- Help pages ----

TEST_F(HelpPages, OpenTheInterfaceLanguagesPageOncePerPress) {
    Recorder recorder;
    Program program;
    program.click(1006);
    program.click(1008);
    program.click(1006);
    program.sync();
    auto lines = recorder.opened();
    for (int i = 0; i < 20 && lines.size() < 3; ++i) {
        Sleep(200);
        for (const auto& line : recorder.opened()) lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 3u);
    const std::wstring instructions = expected(kChineseInstructions.c_str(), kEnglishInstructions.c_str());
    const std::wstring learnMore = expected(kChineseLearnMore.c_str(), kEnglishLearnMore.c_str());
    // The browser stand-ins may finish in any order.
    std::sort(lines.begin(), lines.end());
    std::vector<std::wstring> expectedLines = {openedLine(instructions, SW_SHOWNORMAL),
                                               openedLine(instructions, SW_SHOWNORMAL),
                                               openedLine(learnMore, SW_SHOWNORMAL)};
    std::sort(expectedLines.begin(), expectedLines.end());
    for (auto& line : lines) line = withoutFolder(line);
    EXPECT_EQ(lines, expectedLines);
    EXPECT_TRUE(program.noMessageBox(200));
}

// ---- Upgrade ----

TEST_F(UpgradeButton, EqualVersionsOnlySaySo) {
    store(L"newVersion", L"1.0.6");
    store(L"localVersion", L"1.0.6");
    Program program;
    program.click(1009);
    expectBox(program, L"Sonvaro", expected(L"已经是最新版本", L"Already the latest version"));
    EXPECT_TRUE(program.noMessageBox(500));
    EXPECT_EQ(section_.record()[0], SharedSection::kSentinel);

    store(L"newVersion", nullptr);
    store(L"localVersion", nullptr);
    program.click(1009);
    expectBox(program, L"Sonvaro", expected(L"已经是最新版本", L"Already the latest version"));
}

TEST_F(UpgradeButton, AnyDifferenceIsOfferedAndCancelStopsThere) {
    const struct {
        const wchar_t* newVersion;
        const wchar_t* localVersion;
    } cases[] = {{L"1.0.7", L"1.0.6"}, {L"1.0.5", L"1.0.6"}, {L"1.0.6", L"1.0.6 "}};
    Program program;
    for (const auto& row : cases) {
        SCOPED_TRACE(testing::Message() << "new " << row.newVersion);
        store(L"newVersion", row.newVersion);
        store(L"localVersion", row.localVersion);
        program.click(1009);
        expectBox(program, expected(L"版本显示", L"Version informations"),
                  std::wstring(L"version:") + row.localVersion + L"\nnew version:" + row.newVersion);
        expectBox(program, L"Sonvaro",
                  expected(L"即将升级，是否升级？", L"Do you want to upgrade the software?"), true, IDCANCEL);
        EXPECT_TRUE(program.noMessageBox(300));
    }
    Sleep(600);
    EXPECT_EQ(section_.record()[0], SharedSection::kSentinel) << "no notice after Cancel";
    EXPECT_FALSE(program.waitExit(0));
}

class UpgradeFlow : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        store(L"newVersion", L"1.0.7");
        store(L"localVersion", L"1.0.6");
    }
    // Presses upgrade and agrees.
    void agree(Program& program) {
        program.click(1009);
        expectBox(program, expected(L"版本显示", L"Version informations"),
                  L"version:1.0.6\nnew version:1.0.7");
        expectBox(program, L"Sonvaro",
                  expected(L"即将升级，是否升级？", L"Do you want to upgrade the software?"), true);
    }
    Recorder recorder_;
};

const wchar_t* const kChineseWarning = L"!!! 注意!!! 升级期间软件可能无法正常使用,\n稍后安装成功可以使用";
const wchar_t* const kEnglishWarning =
    L"!!! Warning !!! This software does not work properly during the upgrade, \nand it will work normally "
    L"after the "
    L"installation is successful.";
const std::wstring kChineseInstaller = L"C:\\Ulmar\\SonvaroSetup.exe";

TEST_F(UpgradeFlow, ChineseWarnsStartsTheInstallerNotifiesAndCloses) {
    if (!chineseSystem()) GTEST_SKIP() << "the Chinese flow";
    if (!recorder_.placeInstaller(kChineseInstaller)) GTEST_SKIP() << "a real installer is in the way";
    Program program;
    agree(program);
    const auto warning = program.waitMessageBox();
    ASSERT_TRUE(warning);
    EXPECT_EQ(warning->text, kChineseWarning);
    Sleep(300);
    EXPECT_EQ(GetFileAttributesW((kChineseInstaller + L".log").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the warning comes before the installer";
    program.answer(*warning, IDOK);
    EXPECT_TRUE(program.waitExit()) << "the dialog closes after the installer starts";
    EXPECT_EQ(section_.record(), kUpdate) << "the notice is written before the program ends";
    const auto starts = recorder_.installerStarts(kChineseInstaller);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(withoutFolder(starts[0]), L"\t3") << "no arguments, shown maximised";
}

TEST_F(UpgradeFlow, ChineseWithoutInstallerReportsAndOpensTheInstructions) {
    if (!chineseSystem()) GTEST_SKIP() << "the Chinese flow";
    if (GetFileAttributesW(kChineseInstaller.c_str()) != INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "installer present";
    }
    Program program;
    agree(program);
    expectBox(program, L"Sonvaro", kChineseWarning);
    expectBox(program, L"Sonvaro", L"升级失败\n稍后重新测试，或者下载最新安装包");
    const auto opened = recorder_.opened();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(withoutFolder(opened[0]), openedLine(kChineseInstructions, SW_SHOWNORMAL));
    section_.waitForRecord();
    EXPECT_EQ(section_.record(), kUpdate);
    EXPECT_FALSE(program.waitExit(300)) << "the dialog stays open";
}

TEST_F(UpgradeFlow, EnglishStartsTheInstallerFromTheWorkingFolderThenWarns) {
    if (chineseSystem()) GTEST_SKIP() << "the English flow";
    const std::wstring folder = testBinDir() + L"upgrade-folder";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(recorder_.placeInstaller(folder + L"\\SonvaroSetup.exe"));
    {
        Program program(folder);
        agree(program);
        expectBox(program, L"Sonvaro", kEnglishWarning);
        const auto starts = recorder_.installerStarts(folder + L"\\SonvaroSetup.exe");
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(withoutFolder(starts[0]), L"\t3");
        section_.waitForRecord();
        EXPECT_EQ(section_.record(), kUpdate);
        EXPECT_FALSE(program.waitExit(300)) << "the dialog stays open";
    }
    RemoveDirectoryW(folder.c_str());
}

TEST_F(UpgradeFlow, EnglishWithoutInstallerReportsAndOpensTheInstructions) {
    if (chineseSystem()) GTEST_SKIP() << "the English flow";
    Program program;
    agree(program);
    expectBox(program, L"Sonvaro", L"Upgrade failed\nTry again later, or download the latest installer");
    const auto opened = recorder_.opened();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(withoutFolder(opened[0]), openedLine(kEnglishInstructions, SW_SHOWNORMAL));
    EXPECT_TRUE(program.noMessageBox(300)) << "no warning after a failed start";
    section_.waitForRecord();
    EXPECT_EQ(section_.record(), kUpdate);
}

}  // namespace
