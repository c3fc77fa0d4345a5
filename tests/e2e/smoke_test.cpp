// The real program, driven as a person would, in the system language this process runs in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "tests/common/section.h"
#include "tests/e2e/driver.h"

namespace {

using Lines = std::vector<std::wstring>;

// What Program::answer reports for an information box.
std::wstring box(const std::wstring& text, const std::wstring& caption = L"Sonvaro") {
    return caption + L"|" + text + L"|icon";
}

// What recorders have logged to `path` once it holds `count` lines, "arguments<TAB>show state" each.
std::wstring recorded(const std::wstring& path, long count) {
    std::wstring all;
    for (int wait = 0; wait < 100 && std::count(all.begin(), all.end(), L'\n') < count; ++wait, Sleep(100)) {
        all.assign(1 << 15, L'\0');
        std::FILE* file = _wfopen(path.c_str(), L"rb");
        all.resize(file ? std::fread(all.data(), sizeof(wchar_t), all.size(), file) : 0);
        if (file) std::fclose(file);
    }
    DeleteFileW(path.c_str());
    return all;
}

// While it lives, the recorder stands in for the browser.
struct Browser {
    const wchar_t* keys[2] = {L"Software\\Classes\\https\\shell\\open\\command",
                              L"Software\\Classes\\http\\shell\\open\\command"};
    Stored saved[2] = {getRaw(HKEY_LOCAL_MACHINE, keys[0], L""), getRaw(HKEY_LOCAL_MACHINE, keys[1], L"")};
    Browser() {
        for (auto key : keys)
            putRaw(HKEY_LOCAL_MACHINE, key, L"", text(L"\"" + testBinDir() + L"recorder.exe\" \"%1\""));
    }
    ~Browser() {
        for (int i : {0, 1}) putRaw(HKEY_LOCAL_MACHINE, keys[i], L"", saved[i]);
    }
    std::wstring pages(long count) const { return recorded(testBinDir() + L"recorder.exe.log", count); }
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
    store(L"source", L"Cantonese");
    store(L"dest", L"Classical");
    store(L"voiceText", L"English");
    store(L"onoff", L"on");
    store(L"keySet", L"MPWBCn");
    Program program;
    // Texts of the system language, the lists' rows.
    EXPECT_EQ(program.text(1023) + L"|" + program.text(1019) + L"|" + program.text(1008),
              expected(L"工作模式|语音翻译|了解更多", L"Working Mode|Voice translate to text|More"));
    const Lines targets = program.rows(1002), keys = program.rows(1015), languages = program.rows(1001);
    ASSERT_TRUE(targets.size() == 28 && keys.size() == 15 && languages.size() == 3 &&
                program.rows(1013).empty());
    EXPECT_EQ(
        languages[2] + L"|" + targets[2] + L"|" + targets[3] + L"|" + program.rows(1014)[2] + L"|" + keys[12],
        expected(L"粤语|粵語|繁体中文|后退键|ctrl", L"Cantonese|Cantonese|traditional Chinese|Back|ctrl"));
    // The stored rows; keyboard search "n" has none.
    EXPECT_EQ(std::vector<int>({program.selection(1001), program.selection(1011), program.selection(1002),
                                program.selection(1014), program.selection(1012), program.selection(1017),
                                program.selection(1015)}),
              std::vector<int>({2, 1, 26, 2, 0, 2, -1}));
    // The stored mode, whose lists act at once; the hidden controls; a fixed frame with a minimise box.
    EXPECT_TRUE(program.checked(1019) && !program.checked(1018) && program.enabled(1001) &&
                program.enabled(1002) && !program.enabled(1011));
    program.select(1002, 4);
    program.sync();
    EXPECT_EQ(stored(L"dest"), text(L"Japan"));
    for (int id : {1, 2, 1007, 1010, 1013, 1016}) EXPECT_FALSE(IsWindowVisible(program.control(id))) << id;
    EXPECT_EQ(GetWindowLongPtrW(program.dialog(), GWL_STYLE), 0x14CA0000)
        << "fixed, visible, with a minimise box";
    program.post(WM_SYSCOMMAND, 0x0013);  // the about entry, whose low four bits do not count
    EXPECT_EQ(program.answer().substr(0, 12), L"关于 kestrune|") << "the about box";
}

// What a person sees at the display scale of this run: the picture fills the client area as at 100 %, each
// panel's marker beside its heading, and every text is whole. At 100 %: the maker's line of the picture of
// the language, and no box behind a label or mode button. An opened list draws its rows, the chosen marked.
TEST_F(Smoke, PaintsItsPictureAndWholeTextsAtTheScaleOfTheSystem) {
    store(L"keySet", L"MWSBNM");
    Program program;
    HDC screen = GetDC(nullptr), shot = CreateCompatibleDC(screen);
    RECT client{};
    GetClientRect(program.dialog(), &client);
    POINT origin = {0, 0};
    ClientToScreen(program.dialog(), &origin);
    SelectObject(shot, CreateCompatibleBitmap(screen, client.right, client.bottom));
    for (int wait = 0; wait < 100 && (!wait || GetPixel(shot, 0, 0));
         ++wait, Sleep(50)) {  // the frame's corner
        program.sync();
        BitBlt(shot, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    }
    const auto place = [&](int id) {
        RECT box{};
        GetWindowRect(program.control(id), &box);
        MapWindowPoints(nullptr, program.dialog(), reinterpret_cast<POINT*>(&box), 2);
        return box;
    };
    const auto pixels = [&](RECT area, auto is) {  // how many pixels of the area are as `is` says
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += is(GetPixel(shot, x, y), x, y);
        return count;
    };
    int right = client.right - 1, bottom = client.bottom - 1;  // the frame, from the middle of each edge
    while (right > 0 && GetPixel(shot, right, client.bottom / 2)) --right;
    while (bottom > 0 && GetPixel(shot, client.right / 2, bottom)) --bottom;
    EXPECT_TRUE(right * 100 >= client.right * 97 && bottom * 100 >= client.bottom * 97)
        << right << "x" << bottom << " in " << client.right << "x" << client.bottom;
    const auto ink = [](COLORREF c, int, int) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 300; };
    const auto marker = [](COLORREF c, int, int) { return GetBValue(c) > 150 && GetRValue(c) < 100; };
    for (int id : {1023, 1024, 1030}) {  // beside the middle row of the heading's first line
        const RECT label = place(id);
        int first = label.top, last = label.top;
        while (first < label.bottom && !pixels({label.left, first, label.right, first + 1}, ink))
            last = ++first;
        while (last + 1 < label.bottom && pixels({label.left, last + 1, label.right, last + 2}, ink)) ++last;
        EXPECT_GT(pixels({0, (first + last) / 2, label.left, (first + last) / 2 + 1}, marker), 0)
            << "heading " << id << " on rows " << first << " to " << last;
    }
    // In the dialog's font, "MS Shell Dlg" 9 points; a mode button's text follows its box, a line high.
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    SelectObject(shot, CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                   L"MS Shell Dlg"));
    TEXTMETRICW line{};
    GetTextMetricsW(shot, &line);
    for (int id : {1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1000,
                   1006, 1008, 1009}) {
        const std::wstring text = program.text(id);
        SIZE needed{};
        GetTextExtentPoint32W(shot, text.c_str(), static_cast<int>(text.size()), &needed);
        if (id <= 1019) needed.cx += line.tmHeight + line.tmAveCharWidth / 2;
        const RECT box = place(id);
        EXPECT_TRUE(needed.cx <= box.right - box.left && needed.cy <= box.bottom - box.top)
            << testing::PrintToString(text) << " needs " << needed.cx << "x" << needed.cy;
    }

    if (dpi == 96) {
        HMODULE exe =
            LoadLibraryExW((testBinDir() + L"SonvaroSet.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HDC pictures[2] = {CreateCompatibleDC(screen), CreateCompatibleDC(screen)};  // English, Chinese
        for (int i : {0, 1})
            SelectObject(pictures[i],
                         LoadImageW(exe, MAKEINTRESOURCEW(i ? 132 : 134), IMAGE_BITMAP, 0, 0, 0));
        const auto only = [&](int i) {  // the pixel is picture i's, where the two differ
            return [&, i](COLORREF c, int x, int y) {
                return c == GetPixel(pictures[i], x, y) && c != GetPixel(pictures[1 - i], x, y);
            };
        };
        const RECT makersLine = {200, 1, 394, 30};
        EXPECT_GT(pixels(makersLine, only(chineseSystem())), 100);
        EXPECT_EQ(pixels(makersLine, only(!chineseSystem())), 0);
        const auto lighter = [&](COLORREF c, int x, int y) {  // than the picture: no text, but a box's
            const COLORREF under = GetPixel(pictures[chineseSystem()], x, y);
            return GetRValue(c) > GetRValue(under) + 24 || GetGValue(c) > GetGValue(under) + 24 ||
                   GetBValue(c) > GetBValue(under) + 24;
        };
        for (int id = 1018; id <= 1031; ++id) {
            RECT box = place(id);
            if (id <= 1019) box.left += 2 * (box.bottom - box.top);  // past the mode button's own white box
            EXPECT_EQ(pixels(box, lighter), 0) << "control " << id;
        }
    }

    SendNotifyMessageW(program.control(1015), CB_SHOWDROPDOWN, TRUE, 0);
    int marked = 0;  // pixels down the middle of the opened list in the colour of the chosen row
    for (int wait = 0; wait < 100 && marked < 8; ++wait, Sleep(20)) {
        program.sync();
        HWND list = FindWindowExW(nullptr, nullptr, L"ComboLBox", nullptr);
        while (list && !IsWindowVisible(list)) list = FindWindowExW(nullptr, list, L"ComboLBox", nullptr);
        RECT box{};
        GetWindowRect(list, &box);
        marked = 0;
        for (int y = box.top; list && y < box.bottom; ++y)
            marked += GetPixel(screen, (box.left + box.right) / 2, y) == GetSysColor(COLOR_HIGHLIGHT);
    }
    EXPECT_GE(marked, 8);
}

TEST_F(Smoke, ChoicesAreStoredAtOnceHotkeysAnnouncedConflictsRefusedAndResetRestoresTheDefaults) {
    store(L"onoff", L"off");
    store(L"source", L"English");
    store(L"dest", L"German");
    store(L"voiceText", L"Chinese");
    store(L"keySet", L"MWSBNM");
    Program program;
    // A mode button chosen first (or 0), the list and row chosen, the value and what it holds then. The
    // arrow keys choose a mode, as they do only with auto radio buttons.
    const std::tuple<int, int, int, const wchar_t*, const wchar_t*> languages[] = {
        {0, 1011, 2, L"voiceText", L"Cantonese"},
        {0, 1002, 3, L"dest", L"German"},  // not in voice input
        {1019, 1002, 3, L"dest", L"traditional"},
        {0, 1001, 2, L"source", L"Cantonese"},
        {1018, 1011, 1, L"voiceText", L"English"}};
    for (const auto& [modeButton, list, row, name, value] : languages) {
        const bool translating = modeButton == 1019;
        if (modeButton) program.key(translating ? VK_DOWN : VK_UP);
        for (int wait = 0; wait < 100 && modeButton && !program.checked(modeButton); ++wait) Sleep(20);
        program.sync();
        EXPECT_TRUE(!modeButton ||
                    (program.checked(1019) == translating && program.enabled(1002) == translating &&
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
        expected(L"\"https://cn.ulmar.example/pallix-q7-voice-assistant-instructions-cn-v2.html\"\t1\n",
                 L"\"https://www.ulmar.example/pallix-q7-voice-assistant-instructions-en-v2.html\"\t1\n");
    const std::wstring learnMore =
        expected(L"\"https://cn.ulmar.example/pallix-q7-voice-assistant-learn-more-cn-v2.html\"\t1\n",
                 L"\"https://www.ulmar.example/pallix-q7-voice-assistant-learn-more-en-v2.html\"\t1\n");
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
        L"Sonvaro|" + expected(L"即将升级，是否升级？", L"Do you want to upgrade the software?") +
        L"|OK Cancel";
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
        EXPECT_EQ(browser.pages(1), instructions);
        program.click(1008);
        EXPECT_EQ(browser.pages(1), learnMore);
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
        EXPECT_EQ(present ? recorded(installer + L".log", 1) : L"", present ? L"\t3\n" : L"");
        EXPECT_EQ(differ && !present ? browser.pages(1) : L"", differ && !present ? instructions : L"");
        if (present) DeleteFileW(installer.c_str());
    }
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(L"C:\\Ulmar");  // only when this test made it
}

TEST_F(Smoke, EveryWayOutDeliversThePendingNotice) {
    // The control changed (a hotkey list or the reset button), then at once the way out.
    const std::pair<int, void (*)(Program&)> cases[] = {
        {1015, [](Program& p) { p.key(VK_RETURN); }},
        {1000, [](Program& p) { p.key(VK_ESCAPE); }},
        {1015, [](Program& p) { p.post(WM_SYSCOMMAND, SC_CLOSE); }},
        {1000, [](Program& p) { p.post(WM_CLOSE, 0); }}};
    for (const auto& [change, close] : cases) {
        store(L"keySet", L"MWSBNM");
        section_.clear();
        Program program;
        if (change == 1015) program.select(1015, 0);
        if (change == 1000) program.click(1000);
        EXPECT_EQ(program.answer(), change == 1000 ? reset_ : stored_);
        close(program);
        ASSERT_TRUE(program.waitExit());
        EXPECT_EQ(section_.bytes(), recordOf("HELLOO")) << "change " << change;
        EXPECT_EQ(stored(L"keySet"), text(change == 1000 ? L"MWSBNM" : L"MWSBNA"))
            << "closing stores nothing";
    }
}

}  // namespace
