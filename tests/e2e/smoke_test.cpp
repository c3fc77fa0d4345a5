// The real program, driven as a person would, in the system language this process runs in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <tuple>

#include "res/resource.h"
#include "tests/common/section.h"
#include "tests/e2e/driver.h"

namespace {

// What Program::answer reports for an information box.
std::wstring box(const std::wstring& text, const std::wstring& caption = L"Sonvaro") {
    return caption + L"|" + text + L"|icon";
}

// Every box the program shows from now on (up to 20), each answered with `button`, until none within quietMs.
std::wstring boxes(const Program& program, int button = IDOK, DWORD quietMs = 500) {
    std::wstring seen, next;
    for (int n = 0; n < 20 && !(next = program.answer(button, quietMs)).empty(); ++n) seen += next;
    return seen;
}

// What the dialog shows: whether voice translation is on, the language lists enabled, every list's row.
std::vector<int> shown(const Program& program) {
    std::vector<int> seen = {program.checked(IDC_MODE_VOICE_TRANSLATE), program.enabled(IDC_VOICE_LANGUAGE),
                             program.enabled(IDC_SOURCE_LANGUAGE), program.enabled(IDC_TARGET_LANGUAGE)};
    for (int id : {IDC_VOICE_LANGUAGE, IDC_SOURCE_LANGUAGE, IDC_TARGET_LANGUAGE, IDC_MOUSE_INPUT_KEY,
                   IDC_MOUSE_SEARCH_KEY, IDC_KEYBOARD_INPUT_KEY, IDC_KEYBOARD_SEARCH_KEY})
        seen.push_back(program.selection(id));
    return seen;
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
    const std::wstring failed_ = box(expected(L"修改失败", L"Setting failed"));
    SavedSettings saved_;
    SharedSection section_;
};

// The stored settings in the system language, and what a person sees at this scale and in this font: the
// picture filling the client area, as sharp as its art, every text whole. An opened list marks its row.
TEST_F(Smoke, ShowsTheStoredSettingsWholeInTheSystemLanguageAndScale) {
    store({{L"source", L"Cantonese"}, {L"dest", L"Classical"}, {L"voiceText", L"English"}});
    store({{L"onoff", L"on"}, {L"keySet", L"MPWBCn"}});
    Program program;
    EXPECT_EQ(program.text(IDC_LABEL_WORKING_MODE) + L"|" + program.text(IDC_MODE_VOICE_TRANSLATE) + L"|" +
                  program.text(IDC_LEARN_MORE),
              expected(L"工作模式|语音翻译|了解更多", L"Working Mode|Voice translate to text|More"));
    EXPECT_EQ(
        program.row(IDC_SOURCE_LANGUAGE, 2) + L"|" + program.row(IDC_TARGET_LANGUAGE, 2) + L"|" +
            program.row(IDC_TARGET_LANGUAGE, 3) + L"|" + program.row(IDC_MOUSE_INPUT_KEY, 2) + L"|" +
            program.row(IDC_KEYBOARD_SEARCH_KEY, 12),
        expected(L"粤语|粵語|繁体中文|后退键|ctrl", L"Cantonese|Cantonese|traditional Chinese|Back|ctrl"));
    // The stored mode and rows (keyboard search "n" has none); the focus on the mode that is on, which stays.
    EXPECT_EQ(shown(program), std::vector<int>({1, 0, 1, 1, 1, 2, 26, 2, 0, 2, -1}));
    EXPECT_EQ(program.threadInfo().hwndFocus, program.control(IDC_MODE_VOICE_TRANSLATE));
    EXPECT_EQ(stored(L"onoff"), text(L"on"));
    // A fixed frame with a minimise box; controls that are never shown.
    EXPECT_EQ(GetWindowLongPtrW(program.dialog(), GWL_STYLE),
              WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    for (int id : {IDOK, IDCANCEL, IDC_CONFIRM, IDC_HOTKEY_SET, IDC_UNUSED_LIST_1013, IDC_UNUSED_LIST_1016})
        EXPECT_FALSE(IsWindowVisible(program.control(id))) << id;
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
    const auto pixels = [](HDC dc, RECT area, auto is) {  // how many pixels of the area are as `is` says
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += is(GetPixel(dc, x, y), x, y);
        return count;
    };
    int right = client.right - 1, bottom = client.bottom - 1;  // the frame, from the middle of each edge
    while (right > 0 && GetPixel(shot, right, client.bottom / 2)) --right;
    while (bottom > 0 && GetPixel(shot, client.right / 2, bottom)) --bottom;
    EXPECT_TRUE(right * 100 >= client.right * 97 && bottom * 100 >= client.bottom * 97)
        << right << "x" << bottom << " in " << client.right << "x" << client.bottom;
    // The dialog's font, "MS Shell Dlg" 9 points, gives the room a text needs.
    SelectObject(shot, CreateFontW(-MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, 0, 0, 0, 0,
                                   DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Shell Dlg"));
    TEXTMETRICW line{};
    GetTextMetricsW(shot, &line);
    // The mode buttons, the labels and the push buttons; a mode button's text follows its box, a line high.
    std::vector<int> texts = {IDC_RESET, IDC_INSTRUCTIONS, IDC_LEARN_MORE, IDC_UPGRADE};
    for (int id = IDC_MODE_VOICE_INPUT; id <= IDC_LABEL_KEYBOARD_SEARCH; ++id) texts.push_back(id);
    for (int id : texts) {
        const std::wstring text = program.text(id);
        SIZE needed{};
        GetTextExtentPoint32W(shot, text.c_str(), static_cast<int>(text.size()), &needed);
        if (id <= IDC_MODE_VOICE_TRANSLATE) needed.cx += line.tmHeight + line.tmAveCharWidth / 2;
        const RECT box = place(id);
        EXPECT_TRUE(needed.cx <= box.right - box.left && needed.cy <= box.bottom - box.top)
            << testing::PrintToString(text) << " needs " << needed.cx << "x" << needed.cy;
    }

    // Each panel's marker, the picture's blue bar, beside its heading, through the middle of its first line.
    const auto blue = [](COLORREF c, int, int) { return GetBValue(c) > GetRValue(c) + 64; };
    for (int id : {IDC_LABEL_WORKING_MODE, IDC_LABEL_HOTKEYS, IDC_LABEL_HELP}) {
        const RECT at = place(id), beside = {at.left - 2 * line.tmHeight, at.top + line.tmHeight / 2, at.left,
                                             at.top + line.tmHeight / 2 + 1};
        EXPECT_GT(pixels(shot, beside, blue), 0) << "the marker of " << id;
    }

    // The art of the language as it is in the layout drawn, else the art at twice the size scaled smoothly.
    const bool large = right + 1 != 395 || bottom + 1 != 570;
    HMODULE exe =
        LoadLibraryExW((testBinDir() + L"SonvaroSet.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HDC art = CreateCompatibleDC(screen), picture = CreateCompatibleDC(screen);
    const int artId = chineseSystem() ? (large ? IDB_BACKGROUND_CHINESE_200 : IDB_BACKGROUND_CHINESE)
                                      : (large ? IDB_BACKGROUND_ENGLISH_200 : IDB_BACKGROUND_ENGLISH);
    SelectObject(art, LoadImageW(exe, MAKEINTRESOURCEW(artId), IMAGE_BITMAP, 0, 0, 0));
    SelectObject(picture, CreateCompatibleBitmap(screen, right + 1, bottom + 1));
    SetStretchBltMode(picture, HALFTONE);
    StretchBlt(picture, 0, 0, right + 1, bottom + 1, art, 0, 0, large ? 790 : 395, large ? 1140 : 570,
               SRCCOPY);
    const RECT makersLine = {(right + 1) * 200 / 395, 1, right, (bottom + 1) * 30 / 570};
    if (large) {
        // As sharp as the art: by the first heading's marker and over the maker's line, about as many pixels
        // between ink and the band around it as in the art (stretched up: more; scaled unsmoothed: fewer).
        const auto soft = [](COLORREF c, int, int) { return GetRValue(c) > 0x50 && GetRValue(c) < 0xC0; };
        const RECT heading = {0, 0, place(IDC_LABEL_WORKING_MODE).left, makersLine.bottom};
        for (const RECT& area : {heading, makersLine}) {
            const int inArt = pixels(picture, area, soft);
            EXPECT_NEAR(pixels(shot, area, soft), inArt, inArt / 10 + 4)
                << "soft pixels right of " << area.left;
        }
    } else {
        // Over the maker's line, where the pictures of the languages differ, and where the labels and mode
        // buttons stand, no pixel is lighter than the picture of the language: text is darker, a box is not.
        const auto lighter = [&](COLORREF c, int x, int y) {
            const COLORREF under = GetPixel(picture, x, y);
            return GetRValue(c) > GetRValue(under) + 24 || GetGValue(c) > GetGValue(under) + 24 ||
                   GetBValue(c) > GetBValue(under) + 24;
        };
        EXPECT_EQ(pixels(shot, makersLine, lighter), 0) << "the maker's line";
        for (int id : texts) {
            if (id < IDC_MODE_VOICE_INPUT) continue;  // the push buttons are no text on the picture
            RECT box = place(id);
            if (id <= IDC_MODE_VOICE_TRANSLATE)
                box.left += 2 * (box.bottom - box.top);  // past the mode button's own white box
            EXPECT_EQ(pixels(shot, box, lighter), 0) << "control " << id;
        }
    }

    SendNotifyMessageW(program.control(IDC_KEYBOARD_INPUT_KEY), CB_SHOWDROPDOWN, TRUE, 0);
    RECT list{};  // a column down the middle of where the list drops, partly in the colour of the chosen row
    GetWindowRect(program.control(IDC_KEYBOARD_INPUT_KEY), &list);
    list = {(list.left + list.right) / 2, list.bottom, (list.left + list.right) / 2 + 1, list.bottom + 400};
    const auto marked = [](COLORREF c, int, int) { return c == GetSysColor(COLOR_HIGHLIGHT); };
    EXPECT_TRUE(waitFor([&] {
        program.sync();
        return pixels(screen, list, marked) >= 8;
    }));
}

TEST_F(Smoke, ChoicesAreStoredOnceAsShownHotkeysAnnouncedConflictsRefusedAndResetRestoresTheDefaults) {
    store({{L"source", L"English"}, {L"dest", L"German"}, {L"keySet", L"MWSBNM"}});
    Program program;
    // A mode chosen first by an arrow key, as auto radio buttons allow (or 0); the list, row, value stored.
    const std::tuple<int, int, int, const wchar_t*, const wchar_t*> languages[] = {
        {IDC_MODE_VOICE_TRANSLATE, IDC_TARGET_LANGUAGE, 3, L"dest", L"traditional"},
        {0, IDC_SOURCE_LANGUAGE, 2, L"source", L"Cantonese"},
        {IDC_MODE_VOICE_INPUT, IDC_VOICE_LANGUAGE, 1, L"voiceText", L"English"}};
    for (const auto& [modeButton, list, row, name, value] : languages) {
        const bool translating = modeButton == IDC_MODE_VOICE_TRANSLATE;
        if (modeButton) program.focusOn(translating ? IDC_MODE_VOICE_INPUT : IDC_MODE_VOICE_TRANSLATE);
        if (modeButton) program.press({WORD(translating ? VK_DOWN : VK_UP)});
        EXPECT_TRUE(!modeButton || (program.checked(IDC_MODE_VOICE_TRANSLATE) == translating &&
                                    program.enabled(IDC_TARGET_LANGUAGE) == translating &&
                                    program.enabled(IDC_VOICE_LANGUAGE) != translating));
        program.select(list, row);
        EXPECT_EQ(stored(name), text(value)) << "list " << list << " row " << row;
    }

    // The hotkeys another program stores meanwhile (or nullptr), the list and row chosen (with the mouse or
    // the keys), whether it is taken, the stored text then and the row the list shows, with the box up too.
    const std::tuple<const wchar_t*, int, int, bool, bool, const wchar_t*, int> hotkeys[] = {
        {nullptr, IDC_MOUSE_INPUT_KEY, 2, false, true, L"MPSBNM", 2},
        {nullptr, IDC_MOUSE_SEARCH_KEY, 0, true, true, L"MPWBNM", 0},
        {nullptr, IDC_KEYBOARD_INPUT_KEY, 0, false, true, L"MPWBAM", 0},  // past home, the search key's
        {nullptr, IDC_KEYBOARD_SEARCH_KEY, 1, false, true, L"MPWBAB", 1},
        {nullptr, IDC_MOUSE_INPUT_KEY, 2, false, true, L"MPWBAB", 2},         // its own row again
        {L"MPWBAC", IDC_KEYBOARD_INPUT_KEY, 2, false, false, L"MPWBAC", 0}};  // F3 was just taken for search
    for (const auto& [meanwhile, list, row, mouse, taken, keySet, shownRow] : hotkeys) {
        if (meanwhile) store(L"keySet", meanwhile);
        section_.clear();
        mouse ? program.clickRow(list, row) : program.select(list, row);
        const int showing = program.selection(list);
        EXPECT_EQ(boxes(program, IDOK, 0), taken ? stored_ : conflict_);
        EXPECT_EQ(stored(L"keySet"), text(keySet)) << "list " << list;
        EXPECT_EQ(std::make_pair(showing, program.selection(list)), std::make_pair(shownRow, shownRow));
        EXPECT_EQ(section_.record(), recordOf("HELLOO")) << "a refused choice is announced too";
    }
    EXPECT_EQ(program.selection(IDC_KEYBOARD_SEARCH_KEY), 2) << "the key stored meanwhile";
    section_.clear();
    program.click(IDC_RESET);
    EXPECT_EQ(program.answer(), reset_);
    program.sync();
    EXPECT_EQ(stored(L"keySet"), text(L"MWSBNM"));
    EXPECT_EQ(shown(program), std::vector<int>({0, 1, 0, 0, 1, 2, 3, 0, 1, 14, 13}));
    EXPECT_EQ(section_.record(), recordOf("HELLOO"));

    // Typed text then Tab, Escape in the open list, or Enter on text naming no row, show the stored row; a
    // closed list chooses at once.
    const std::tuple<int, std::vector<WORD>, std::wstring, const wchar_t*, const wchar_t*, int> keys[] = {
        {IDC_KEYBOARD_SEARCH_KEY, {'F', '9', VK_TAB}, L"", L"keySet", L"MWSBNM", 13},
        {IDC_VOICE_LANGUAGE, {'K', 'L', 'I', 'N', 'G', 'O', 'N', VK_TAB}, L"", L"voiceText", L"English", 1},
        {IDC_MOUSE_SEARCH_KEY, {VK_F4, VK_DOWN, VK_ESCAPE}, L"", L"keySet", L"MWSBNM", 1},
        {IDC_VOICE_LANGUAGE, {VK_F4, 'Z', 'Z', VK_RETURN, VK_TAB}, L"", L"voiceText", L"English", 1},
        {IDC_MOUSE_INPUT_KEY, {VK_F4, 'Z', 'Z', VK_RETURN, VK_TAB}, L"", L"keySet", L"MWSBNM", 0},
        {IDC_KEYBOARD_SEARCH_KEY, {VK_UP}, stored_, L"keySet", L"MWSBNT", 12}};
    for (const auto& [list, pressed, told, name, value, shows] : keys) {
        section_.clear();
        program.focusOn(list);
        program.press(pressed);
        EXPECT_EQ(boxes(program, IDOK, 0), told) << "list " << list;
        EXPECT_EQ(stored(name), text(value)) << "list " << list;
        EXPECT_EQ(program.text(list), program.row(list, shows));
    }
    // Escape with no list open ends the dialog, and the assistant still hears of the last change.
    program.press({VK_ESCAPE});
    ASSERT_TRUE(program.waitExit());
    EXPECT_EQ(section_.bytes(), recordOf("HELLOO"));
    EXPECT_EQ(stored(L"keySet"), text(L"MWSBNT")) << "closing stores nothing";
}

// With the settings key read-only, as security software or a policy may leave it, the dialog shows what is
// stored, and every kind of choice is told it failed, once. A second copy shows what the first stored once
// activated, storing nothing.
TEST_F(Smoke, ShowsWhatIsStoredWhenTheKeyIsReadOnlyAndWhatAnotherCopyStored) {
    store({{L"onoff", L"on"}, {L"dest", L"German"}, {L"voiceText", L"English"}, {L"keySet", L"MPWBLM"}});
    Program second;
    std::optional<SettingsKeyReadOnly> readOnly(std::in_place);
    Program program;
    const std::vector<int> before = {1, 0, 1, 1, 1, 0, 12, 2, 0, 11, 13};
    EXPECT_EQ(shown(program), before);
    // What the person (or Windows, with the focus on a mode button not checked) does, the boxes that follow
    // and whether the assistant hears of it.
    const std::tuple<void (*)(Program&), std::wstring, bool> choices[] = {
        {[](Program& p) { p.select(IDC_KEYBOARD_SEARCH_KEY, 0); }, failed_, true},
        {[](Program& p) { p.clickOn(IDC_MODE_VOICE_INPUT); }, failed_, false},
        {[](Program& p) { p.notify(IDC_MODE_VOICE_INPUT, BN_CLICKED); }, L"", false},
        {[](Program& p) { p.select(IDC_TARGET_LANGUAGE, 2); }, failed_, false},
        {[](Program& p) { p.click(IDC_RESET); }, reset_ + failed_, true}};
    for (const auto& [choose, told, announced] : choices) {
        section_.clear();
        choose(program);
        program.sync();  // a box is up
        EXPECT_EQ(shown(program), before) << "while the box tells " << testing::PrintToString(told);
        EXPECT_EQ(boxes(program, IDOK, 0), told);  // a box that follows is up before the dialog takes a post
        EXPECT_EQ(shown(program), before) << testing::PrintToString(told);
        EXPECT_EQ(announced ? section_.record() : section_.bytes(),
                  announced ? recordOf("HELLOO") : SharedSection::kUntouched);
    }
    readOnly.reset();
    program.select(IDC_KEYBOARD_SEARCH_KEY, 3);
    EXPECT_EQ(program.answer(), stored_);
    program.clickOn(IDC_MODE_VOICE_INPUT);
    program.click(IDC_MODE_VOICE_INPUT);  // the mode it has already: it stays
    program.select(IDC_VOICE_LANGUAGE, 2);
    EXPECT_EQ(shown(program), std::vector<int>({0, 1, 0, 0, 2, 0, 12, 2, 0, 11, 3}));
    SetForegroundWindow(second.dialog());
    waitFor([&] { return shown(second) == shown(program); });
    EXPECT_EQ(shown(second), shown(program));
    EXPECT_EQ(stored(L"onoff"), text(L"off"));
    second.select(IDC_VOICE_LANGUAGE, 0);
    EXPECT_EQ(stored(L"voiceText"), text(L"Chinese"));
    second.press({VK_RETURN});  // with no list open: it ends the dialog
    EXPECT_TRUE(second.waitExit());
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
                     L"!!! Warning !!! This software does not work properly during the upgrade, \nand it "
                     L"will work normally after the installation is successful."));
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
        program.click(IDC_INSTRUCTIONS);
        EXPECT_EQ(browser.pages(1), instructions);
        program.click(IDC_LEARN_MORE);
        EXPECT_EQ(browser.pages(1), page(L"learn-more"));
    }
    for (const auto& [newVersion, present, button, told] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::make_tuple(newVersion, present, button)));
        DeleteFileW((installer + L".log").c_str());
        ASSERT_TRUE(present ? CopyFileW((testBinDir() + L"recorder.exe").c_str(), installer.c_str(), TRUE)
                            : GetFileAttributesW(installer.c_str()) == INVALID_FILE_ATTRIBUTES)
            << "another program's installer is in the way";
        store(L"newVersion", newVersion);
        store(L"localVersion", L"1.0.6");
        section_.clear();
        Program program(folder);
        program.click(IDC_UPGRADE);
        EXPECT_EQ(boxes(program, button), told);
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

}  // namespace
