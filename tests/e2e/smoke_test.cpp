// The real program, driven as a person would, in the system language this process runs in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "tests/common/section.h"
#include "tests/e2e/driver.h"

namespace {

using Lines = std::vector<std::wstring>;

// What Program::answer reports for an information box, and for the confirmation.
std::wstring box(const std::wstring& text, const std::wstring& caption = L"Sonvaro") {
    return caption + L"|" + text + L"|icon";
}
std::wstring question(const std::wstring& text) { return L"Sonvaro|" + text + L"|OK Cancel"; }

// The first `count` "arguments<TAB>show state" lines that recorders log to `path`, sorted: they are
// processes of their own and may finish in any order.
Lines recorded(const std::wstring& path, size_t count) {
    Lines lines;
    for (int wait = 0; wait < 100 && lines.size() < count; ++wait) {
        Sleep(100);
        std::wstring all(1 << 15, L'\0');
        std::FILE* file = _wfopen(path.c_str(), L"rb");
        if (!file) continue;
        all.resize(std::fread(all.data(), sizeof(wchar_t), all.size(), file));
        std::fclose(file);
        lines.clear();
        for (size_t start = 0, end; (end = all.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
            lines.push_back(all.substr(start, end - start));
        }
    }
    DeleteFileW(path.c_str());
    std::sort(lines.begin(), lines.end());
    return lines;
}

// While it lives, the recorder stands in for the browser.
class Browser {
public:
    Browser() {
        for (int i : {0, 1}) {
            saved_[i] = getRaw(HKEY_LOCAL_MACHINE, kHandlers[i], L"");
            putRaw(HKEY_LOCAL_MACHINE, kHandlers[i], L"",
                   text(L"\"" + testBinDir() + L"recorder.exe\" \"%1\""));
        }
    }
    ~Browser() {
        for (int i : {0, 1}) putRaw(HKEY_LOCAL_MACHINE, kHandlers[i], L"", saved_[i]);
    }
    Lines pages(size_t count) { return recorded(testBinDir() + L"recorder.exe.log", count); }

private:
    static constexpr const wchar_t* kHandlers[2] = {L"Software\\Classes\\https\\shell\\open\\command",
                                                    L"Software\\Classes\\http\\shell\\open\\command"};
    Stored saved_[2];
};

class Smoke : public testing::Test {
protected:
    const std::wstring stored_ = box(expected(L"修改成功", L"Setting completed"));
    const std::wstring conflict_ = box(expected(L"按键冲突，无法生效", L"Hotkey conflict"));
    const std::wstring reset_ = box(expected(L"恢复默认设置", L" Reset default"));
    SavedSettings saved_;
    SharedSection section_;
};

TEST_F(Smoke, ShowsTheStoredSettingsInTheSystemLanguage) {
    for (auto [name, value] : {std::pair{L"source", L"Cantonese"},
                               {L"dest", L"Classical"},
                               {L"voiceText", L"English"},
                               {L"onoff", L"on"},
                               {L"keySet", L"MPWBCn"}}) {
        store(name, value);
    }
    Program program;
    ASSERT_TRUE(program.dialog());
    // Every text the dialog sets, with the size in pixels of the labels it sizes.
    std::wstring shown;
    for (int id : {1023, 1020, 1021, 1022, 1024, 1025, 1031, 1026, 1027, 1028, 1029, 1030, 1018, 1019, 1009,
                   1006, 1000, 1008}) {
        RECT rect{};
        GetWindowRect(program.control(id), &rect);
        shown += (shown.empty() ? L"" : L"|") + program.text(id);
        if ((id >= 1020 && id <= 1025) || id == 1027 || id == 1030) {
            shown += L" " + std::to_wstring(rect.right - rect.left) + L"x" +
                     std::to_wstring(rect.bottom - rect.top);
        }
    }
    EXPECT_EQ(
        shown,
        expected(L"工作模式 50x20|语言 50x20|源语言 50x20|目标语言 50x20|热键设置 50x20|键盘热键 50x20|"
                 L"搜索键|输入键|鼠标热键 50x20|搜索键|输入键|使用帮助 50x20|语音录入|语音翻译|升级|说明书|"
                 L"恢复默认|了解更多",
                 L"Working Mode 80x60|Language 55x20|Source 50x20|Target 50x20|Hot Key 50x20|Keyboard "
                 L"60x20|Search|Input|Mouse 40x20|Search|Input|Help 30x20|Voice to text|Voice translate "
                 L"to text|Update|Help|Reset|More"));
    const Lines languages =
        chineseSystem() ? Lines{L"中文", L"英文", L"粤语"} : Lines{L"Chinese", L"English", L"Cantonese"};
    const Lines mouse =
        chineseSystem() ? Lines{L"滚轮键", L"前进键", L"后退键"} : Lines{L"Wheel", L"Forward", L"Back"};
    const Lines keys = {L"F1", L"F2",  L"F3",  L"F4",  L"F5",   L"F6",   L"F7", L"F8",
                        L"F9", L"F10", L"F11", L"F12", L"ctrl", L"home", L"end"};
    // Each list's rows and selected row.
    const std::tuple<int, Lines, int> lists[] = {{1001, languages, 2}, {1011, languages, 1}, {1014, mouse, 2},
                                                 {1012, mouse, 0},     {1017, keys, 2},      {1015, keys, -1},
                                                 {1013, {}, -1},       {1016, {}, -1}};
    for (const auto& [id, rows, selected] : lists) {
        EXPECT_EQ(program.rows(id), rows) << "list " << id;
        EXPECT_EQ(program.selection(id), selected) << "list " << id;
    }
    const Lines targets = program.rows(1002);
    ASSERT_EQ(targets.size(), 28u);
    EXPECT_EQ(program.selection(1002), 26);
    EXPECT_EQ(Lines({targets[2], targets[3], targets[17], targets[26], targets[27]}),
              (chineseSystem()
                   ? Lines{L"粵語", L"繁体中文", L"保加利亞语", L"文言文", L"越南語"}
                   : Lines{L"Cantonese", L"traditional Chinese", L"Bulgarian", L"Classical", L"Vietnamese"}));
    // The stored mode, whose lists act at once; the hidden controls; a fixed frame with a minimise box.
    EXPECT_TRUE(program.checked(1019) && !program.checked(1018));
    EXPECT_TRUE(program.enabled(1001) && program.enabled(1002) && !program.enabled(1011));
    for (int id : {1, 2, 1007, 1010, 1013, 1016}) EXPECT_FALSE(IsWindowVisible(program.control(id))) << id;
    EXPECT_EQ(
        GetWindowLongPtrW(program.dialog(), GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
        WS_MINIMIZEBOX);
    EXPECT_TRUE(GetWindowLongPtrW(program.dialog(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    program.post(WM_SYSCOMMAND, 0x0013);  // the about entry, whose low four bits do not count
    EXPECT_EQ(program.answer().substr(0, 12), L"关于 kestrune|") << "the about box";
}

// 400 x 570 pixels of a bitmap, top row first, copied from `screen` at `origin` first unless null.
std::vector<DWORD> pixels(HBITMAP bitmap, HDC screen = nullptr, POINT origin = {}) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (screen) BitBlt(memory, 0, 0, 400, 570, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, previous);
    std::vector<DWORD> bits(400 * 570);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 400, -570, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    GetDIBits(memory, bitmap, 0, 570, bits.data(), &info, DIB_RGB_COLORS);
    DeleteDC(memory);
    DeleteObject(bitmap);
    for (DWORD& pixel : bits) pixel &= 0xFFFFFF;
    return bits;
}

// A black frame one pixel wide, and inside it the picture of the language wherever the two pictures
// differ: the maker's line at the top, where no control covers it.
TEST_F(Smoke, PaintsThePictureOfItsLanguageInsideABlackFrame) {
    Program program;
    ASSERT_TRUE(program.dialog());
    POINT origin = {0, 0};
    ClientToScreen(program.dialog(), &origin);
    HDC screen = GetDC(nullptr);
    std::vector<DWORD> shown(1, 1);
    for (int wait = 0; wait < 100 && (shown[0] || shown[569 * 400 + 394]); ++wait, Sleep(50)) {
        program.sync();  // until the first paint has reached the screen
        shown = pixels(CreateCompatibleBitmap(screen, 400, 570), screen, origin);
    }
    ReleaseDC(nullptr, screen);
    HMODULE exe =
        LoadLibraryExW((testBinDir() + L"SonvaroSet.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto picture = [exe](int id) {
        return pixels(static_cast<HBITMAP>(LoadImageW(exe, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
    };
    const std::vector<DWORD> own = picture(chineseSystem() ? 132 : 134),
                             other = picture(chineseSystem() ? 134 : 132);
    FreeLibrary(exe);
    int frame = 0, distinct = 0, matches = 0;
    for (int y = 0; y < 570; ++y) {
        for (int x = 0, i = y * 400; x < 395; ++x, ++i) {
            const bool edge = x == 0 || y == 0 || x == 394 || y == 569;
            frame += edge && shown[i] == 0;
            distinct += !edge && own[i] != other[i];
            matches += !edge && own[i] != other[i] && shown[i] == own[i];
        }
    }
    EXPECT_EQ(frame, 2 * 395 + 2 * 568);
    ASSERT_GT(distinct, 100) << "the two pictures must tell the languages apart";
    EXPECT_GT(matches, distinct * 99 / 100) << "of " << distinct << " pixels";
}

TEST_F(Smoke, ChoicesAreStoredAtOnceHotkeysAnnouncedConflictsRefusedAndResetRestoresTheDefaults) {
    for (auto [name, value] : {std::pair{L"onoff", L"off"},
                               {L"source", L"English"},
                               {L"dest", L"German"},
                               {L"voiceText", L"Chinese"},
                               {L"keySet", L"MWSBNM"}}) {
        store(name, value);
    }
    Program program;
    // A mode button clicked first (or 0), the list and row chosen, the value and what it holds then.
    const std::tuple<int, int, int, const wchar_t*, const wchar_t*> languages[] = {
        {0, 1011, 2, L"voiceText", L"Cantonese"},
        {0, 1002, 3, L"dest", L"German"},  // not in voice input
        {1019, 1002, 3, L"dest", L"traditional"},
        {0, 1001, 2, L"source", L"Cantonese"},
        {1018, 1011, 1, L"voiceText", L"English"}};
    for (const auto& [modeButton, list, row, name, value] : languages) {
        const bool translating = modeButton == 1019;
        if (modeButton) program.click(modeButton);
        program.sync();
        EXPECT_TRUE(!modeButton || stored(L"onoff") == text(translating ? L"on" : L"off"));
        EXPECT_TRUE(!modeButton ||
                    (program.checked(1019) == translating && program.checked(1018) != translating &&
                     program.enabled(1001) == translating && program.enabled(1002) == translating &&
                     program.enabled(1011) != translating));
        program.select(list, row);
        program.sync();
        EXPECT_EQ(stored(name), text(value)) << "list " << list << " row " << row;
    }
    EXPECT_EQ(section_.bytes(), SharedSection::kUntouched) << "modes and languages announce nothing";

    // The list and row chosen, the stored text then (nullptr: refused) and the row the list shows.
    const std::tuple<int, int, const wchar_t*, int> hotkeys[] = {{1014, 2, L"MPSBNM", 2},
                                                                 {1012, 0, L"MPWBNM", 0},
                                                                 {1017, 0, L"MPWBAM", 0},
                                                                 {1015, 1, L"MPWBAB", 1},
                                                                 {1012, 2, nullptr, 0}};
    for (const auto& [list, row, keySet, shownRow] : hotkeys) {
        section_.clear();
        program.select(list, row);
        EXPECT_EQ(program.answer(), keySet ? stored_ : conflict_);
        EXPECT_EQ(stored(L"keySet"), text(keySet ? keySet : L"MPWBAB")) << "list " << list;
        EXPECT_EQ(program.selection(list), shownRow) << "list " << list;
        EXPECT_EQ(section_.record(), recordOf("HELLOO")) << "a refused choice is announced too";
    }
    section_.clear();
    program.click(1000);
    program.sync();
    EXPECT_EQ(stored(L"keySet"), text(L"MPWBAB")) << "the box comes first";
    EXPECT_EQ(program.answer(), reset_);
    program.sync();
    EXPECT_EQ(stored(L"keySet"), text(L"MWSBNM"));
    EXPECT_EQ(std::vector<int>({program.selection(1014), program.selection(1012), program.selection(1017),
                                program.selection(1015)}),
              std::vector<int>({0, 1, 14, 13}));
    EXPECT_EQ(section_.record(), recordOf("HELLOO"));
    program.select(1012, 0);  // the rule works on the restored keys
    EXPECT_EQ(program.answer(), conflict_);
}

TEST_F(Smoke, HelpAndUpgradeOpenThePagesAndStartTheInstallerOfTheLanguage) {
    const std::wstring folder = testBinDir() + L"upgrade-folder";  // where the English flow looks
    const std::wstring installer =
        expected(L"C:\\Ulmar\\SonvaroSetup.exe", (folder + L"\\SonvaroSetup.exe").c_str());
    const std::wstring instructions =
        expected(L"\"https://cn.ulmar.example/pallix-q7-voice-assistant-instructions-cn-v2.html\"\t1",
                 L"\"https://www.ulmar.example/pallix-q7-voice-assistant-instructions-en-v2.html\"\t1");
    const std::wstring warning =
        box(expected(L"!!! 注意!!! 升级期间软件可能无法正常使用,\n稍后安装成功可以使用",
                     L"!!! Warning !!! This software does not work properly during the "
                     L"upgrade, \nand it will work normally after the installation is "
                     L"successful."));
    const std::wstring failed =
        box(expected(L"升级失败\n稍后重新测试，或者下载最新安装包",
                     L"Upgrade failed\nTry again later, or download the latest installer"));
    const std::wstring offer =
        box(L"version:1.0.6\nnew version:1.0.7", expected(L"版本显示", L"Version informations")) +
        question(expected(L"即将升级，是否升级？", L"Do you want to upgrade the software?"));
    // The newest version (the installed one is 1.0.6), whether the installer is there, and the boxes.
    const std::tuple<const wchar_t*, bool, std::wstring> cases[] = {
        {L"1.0.6", false, box(expected(L"已经是最新版本", L"Already the latest version"))},
        {L"1.0.7", true, offer + warning},
        {L"1.0.7", false, offer + (chineseSystem() ? warning : L"") + failed}};
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(L"C:\\Ulmar", nullptr);
    Browser browser;
    {
        Program program(folder);
        program.click(1006);
        program.click(1008);
        EXPECT_EQ(
            browser.pages(2),
            Lines(
                {instructions,
                 expected(
                     L"\"https://cn.ulmar.example/pallix-q7-voice-assistant-learn-more-cn-v2.html\"\t1",
                     L"\"https://www.ulmar.example/pallix-q7-voice-assistant-learn-more-en-v2.html\"\t1")}));
    }
    for (const auto& [newVersion, present, boxes] : cases) {
        SCOPED_TRACE(testing::Message() << newVersion << (present ? " with" : " without") << " installer");
        DeleteFileW((installer + L".log").c_str());
        ASSERT_TRUE(present ? CopyFileW((testBinDir() + L"recorder.exe").c_str(), installer.c_str(), TRUE)
                            : GetFileAttributesW(installer.c_str()) == INVALID_FILE_ATTRIBUTES)
            << "another program's installer is in the way";
        store(L"newVersion", newVersion);
        store(L"localVersion", L"1.0.6");
        section_.clear();
        Program program(folder);
        program.click(1009);
        std::wstring seen;
        for (std::wstring next = program.answer(); !next.empty(); next = program.answer(IDOK, 500))
            seen += next;
        EXPECT_EQ(seen, boxes);
        const bool differ = newVersion != std::wstring(L"1.0.6"), closes = present && chineseSystem();
        EXPECT_EQ(program.waitExit(closes ? kWaitMs : 0), closes);
        EXPECT_EQ(differ ? section_.record() : section_.bytes(),
                  differ ? recordOf("UPDATE") : SharedSection::kUntouched);
        EXPECT_EQ(present ? recorded(installer + L".log", 1) : Lines{}, present ? Lines{L"\t3"} : Lines{});
        EXPECT_EQ(differ && !present ? browser.pages(1) : Lines{},
                  differ && !present ? Lines{instructions} : Lines{});
        if (present) DeleteFileW(installer.c_str());
    }
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(L"C:\\Ulmar");  // only when this test made it
}

TEST_F(Smoke, EveryWayOutDeliversThePendingNotice) {
    // The control changed first (0: none, a hotkey list or the reset button) and the way out.
    const std::pair<int, void (*)(Program&)> cases[] = {
        {0, [](Program& p) { p.key(VK_ESCAPE); }},
        {1015, [](Program& p) { p.key(VK_RETURN); }},
        {1000, [](Program& p) { p.key(VK_ESCAPE); }},
        {1015, [](Program& p) { p.post(WM_SYSCOMMAND, SC_CLOSE); }},
        {1000, [](Program& p) { p.post(WM_CLOSE, 0); }}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& [change, close] = cases[i];
        SCOPED_TRACE(testing::Message() << "case " << i);
        store(L"keySet", L"MWSBNM");
        section_.clear();
        std::vector<Stored> before;
        for (const wchar_t* name : SavedSettings::kNames) before.push_back(stored(name));
        Program program;
        if (change == 1015) program.select(1015, 0);
        if (change == 1000) program.click(1000);
        EXPECT_EQ(program.answer(IDOK, change ? 3000 : 0), change == 1000 ? reset_ : change ? stored_ : L"");
        close(program);
        ASSERT_TRUE(program.waitExit());
        EXPECT_EQ(section_.bytes(), change ? recordOf("HELLOO") : SharedSection::kUntouched);
        for (size_t n = 0; n < before.size() && !change; ++n)
            EXPECT_EQ(stored(SavedSettings::kNames[n]), before[n]);
    }
}

}  // namespace
