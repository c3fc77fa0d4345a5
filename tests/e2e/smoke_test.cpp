// The real program, driven as a person would, in the system language this process runs in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "tests/common/section.h"
#include "tests/e2e/driver.h"

namespace {

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

// While it lives, the recorder stands in for the browser of https addresses.
struct Browser {
    const wchar_t* key = L"Software\\Classes\\https\\shell\\open\\command";
    const Stored saved = getRaw(HKEY_LOCAL_MACHINE, key, L"");
    Browser() { putRaw(HKEY_LOCAL_MACHINE, key, L"", text(L"\"" + testBinDir() + L"recorder.exe\" \"%1\"")); }
    ~Browser() { putRaw(HKEY_LOCAL_MACHINE, key, L"", saved); }
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

// The stored settings, in the texts of the system language, and what a person sees at the display scale of
// this run: the picture fills the client area as at 100 %, each panel's marker beside its heading, every
// text whole. At 100 %: the picture of the language, with no box behind a label or mode button. An opened
// list draws its rows, the chosen one marked.
TEST_F(Smoke, ShowsTheStoredSettingsWholeInTheSystemLanguageAndScale) {
    store(L"source", L"Cantonese");
    store(L"dest", L"Classical");
    store(L"voiceText", L"English");
    store(L"onoff", L"on");
    store(L"keySet", L"MPWBCn");
    Program program;
    // Texts of the system language, the lists' rows.
    EXPECT_EQ(program.text(1023) + L"|" + program.text(1019) + L"|" + program.text(1008),
              expected(L"工作模式|语音翻译|了解更多", L"Working Mode|Voice translate to text|More"));
    EXPECT_EQ(
        std::vector<int>({program.rows(1002), program.rows(1015), program.rows(1001), program.rows(1013)}),
        std::vector<int>({28, 15, 3, 0}));
    EXPECT_EQ(
        program.row(1001, 2) + L"|" + program.row(1002, 2) + L"|" + program.row(1002, 3) + L"|" +
            program.row(1014, 2) + L"|" + program.row(1015, 12),
        expected(L"粤语|粵語|繁体中文|后退键|ctrl", L"Cantonese|Cantonese|traditional Chinese|Back|ctrl"));
    // The stored rows; keyboard search "n" has none.
    EXPECT_EQ(std::vector<int>({program.selection(1001), program.selection(1011), program.selection(1002),
                                program.selection(1014), program.selection(1012), program.selection(1017),
                                program.selection(1015)}),
              std::vector<int>({2, 1, 26, 2, 0, 2, -1}));
    HDC screen = GetDC(nullptr), shot = CreateCompatibleDC(screen);
    RECT client{};
    GetClientRect(program.dialog(), &client);
    POINT origin = {0, 0};
    ClientToScreen(program.dialog(), &origin);
    SelectObject(shot, CreateCompatibleBitmap(screen, client.right, client.bottom));
    // Once the frame's corner is there.
    for (int wait = 0; wait < 100 && (!wait || GetPixel(shot, 0, 0)); ++wait, Sleep(50)) {
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
    // The dialog's font, "MS Shell Dlg" 9 points, gives the line of a heading, and the room a text needs.
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    SelectObject(shot, CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                   L"MS Shell Dlg"));
    TEXTMETRICW line{};
    GetTextMetricsW(shot, &line);
    const auto marker = [](COLORREF c, int, int) { return GetBValue(c) > 150 && GetRValue(c) < 100; };
    for (int id : {1023, 1024, 1030}) {  // a panel's marker beside the middle of its heading's first line
        const RECT label = place(id);
        const int middle = label.top + line.tmHeight / 2;
        EXPECT_GT(pixels({0, middle, label.left, middle + 1}, marker), 0) << "heading " << id;
    }
    // A mode button's text follows its box, a line high.
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
        // Over the maker's line, where the pictures of the two languages differ, and where the labels and
        // mode buttons stand, no pixel is lighter than the picture of the language: text is darker, a box is
        // not.
        HMODULE exe =
            LoadLibraryExW((testBinDir() + L"SonvaroSet.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HDC picture = CreateCompatibleDC(screen);
        SelectObject(picture,
                     LoadImageW(exe, MAKEINTRESOURCEW(chineseSystem() ? 132 : 134), IMAGE_BITMAP, 0, 0, 0));
        const auto lighter = [&](COLORREF c, int x, int y) {
            const COLORREF under = GetPixel(picture, x, y);
            return GetRValue(c) > GetRValue(under) + 24 || GetGValue(c) > GetGValue(under) + 24 ||
                   GetBValue(c) > GetBValue(under) + 24;
        };
        EXPECT_EQ(pixels({200, 1, 394, 30}, lighter), 0) << "the maker's line";
        for (int id = 1018; id <= 1031; ++id) {
            RECT box = place(id);
            if (id <= 1019) box.left += 2 * (box.bottom - box.top);  // past the mode button's own white box
            EXPECT_EQ(pixels(box, lighter), 0) << "control " << id;
        }
    }

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
    SendNotifyMessageW(program.control(1017), CB_SHOWDROPDOWN, TRUE, 0);
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
    // A page as the browser gets it: the address on the maker's site of the language, the normal show state.
    const auto page = [](const wchar_t* name) {
        return expected(L"\"https://cn.ulmar.example", L"\"https://www.ulmar.example") +
               (L"/pallix-q7-voice-assistant-" + std::wstring(name)) +
               expected(L"-cn-v2.html\"\t1\n", L"-en-v2.html\"\t1\n");
    };
    const std::wstring instructions = page(L"instructions");
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
    // The newest version (the installed one is 1.0.6), whether the installer is there, the answer to every
    // box, and the boxes.
    const std::tuple<const wchar_t*, bool, int, std::wstring> cases[] = {
        {L"1.0.6", false, IDOK, box(expected(L"已经是最新版本", L"Already the latest version"))},
        {L"1.0.7", true, IDCANCEL, offer},
        {L"1.0.7", true, IDOK, offer + warning},
        {L"1.0.7", false, IDOK, offer + (chineseSystem() ? warning : L"") + failed}};
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(L"C:\\Ulmar", nullptr);
    Browser browser;
    {
        Program program(folder);
        program.click(1006);
        EXPECT_EQ(browser.pages(1), instructions);
        program.click(1008);
        EXPECT_EQ(browser.pages(1), page(L"learn-more"));
    }
    for (const auto& [newVersion, present, button, boxes] : cases) {
        SCOPED_TRACE(testing::Message() << newVersion << (present ? " with" : " without") << " installer, "
                                        << (button == IDOK ? "OK" : "Cancel"));
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
        for (std::wstring next = program.answer(button); !next.empty(); next = program.answer(button, 500))
            seen += next;
        EXPECT_EQ(seen, boxes);
        const bool upgrading = newVersion != std::wstring(L"1.0.6") && button == IDOK,
                   started = upgrading && present, closes = started && chineseSystem();
        EXPECT_EQ(program.waitExit(closes ? kWaitMs : 0), closes);
        EXPECT_EQ(upgrading ? section_.record() : section_.bytes(),
                  upgrading ? recordOf("UPDATE") : SharedSection::kUntouched);
        EXPECT_EQ(started ? recorded(installer + L".log", 1) : L"", started ? L"\t3\n" : L"");
        EXPECT_EQ(upgrading && !present ? browser.pages(1) : L"", upgrading && !present ? instructions : L"");
        if (present) DeleteFileW(installer.c_str());
    }
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(L"C:\\Ulmar");  // only when this test made it
}

TEST_F(Smoke, EveryWayOutDeliversThePendingNotice) {
    // A hotkey changed, then at once the way out.
    void (*const ways[])(Program&) = {
        [](Program& p) { p.key(VK_RETURN); }, [](Program& p) { p.key(VK_ESCAPE); },
        [](Program& p) { p.post(WM_SYSCOMMAND, SC_CLOSE); }, [](Program& p) { p.post(WM_CLOSE, 0); }};
    for (const auto close : ways) {
        store(L"keySet", L"MWSBNM");
        section_.clear();
        Program program;
        program.select(1015, 0);
        EXPECT_EQ(program.answer(), stored_);
        close(program);
        ASSERT_TRUE(program.waitExit());
        EXPECT_EQ(section_.bytes(), recordOf("HELLOO"));
        EXPECT_EQ(stored(L"keySet"), text(L"MWSBNA")) << "closing stores nothing";
    }
}

}  // namespace
