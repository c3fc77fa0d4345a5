// What the dialog shows when it starts: texts, lists, selections, mode, style, painting, about box,
// and the ways out of it.
#include <gtest/gtest.h>

#include <vector>

#include "tests/e2e/fixtures.h"

namespace {

using ViewTest = DialogTest;

struct TextRow {
    int id;
    const wchar_t* chinese;
    const wchar_t* english;
    SIZE chineseSize;  // {0, 0}: the template's size, not checked
    SIZE englishSize;
};

TEST_F(ViewTest, LabelsRadiosAndButtonsSpeakTheSystemLanguage) {
    const TextRow rows[] = {
        {1023, L"工作模式", L"Working Mode", {50, 20}, {80, 60}},
        {1020, L"语言", L"Language", {50, 20}, {55, 20}},
        {1021, L"源语言", L"Source", {50, 20}, {50, 20}},
        {1022, L"目标语言", L"Target", {50, 20}, {50, 20}},
        {1024, L"热键设置", L"Hot Key", {50, 20}, {50, 20}},
        {1025, L"键盘热键", L"Keyboard", {50, 20}, {60, 20}},
        {1031, L"搜索键", L"Search", {}, {}},
        {1026, L"输入键", L"Input", {}, {}},
        {1027, L"鼠标热键", L"Mouse", {50, 20}, {40, 20}},
        {1028, L"搜索键", L"Search", {}, {}},
        {1029, L"输入键", L"Input", {}, {}},
        {1030, L"使用帮助", L"Help", {50, 20}, {30, 20}},
        {1018, L"语音录入", L"Voice to text", {}, {}},
        {1019, L"语音翻译", L"Voice translate to text", {}, {}},
        {1009, L"升级", L"Update", {}, {}},
        {1006, L"说明书", L"Help", {}, {}},
        {1000, L"恢复默认", L"Reset", {}, {}},
        {1008, L"了解更多", L"More", {}, {}},
    };
    Program program;
    for (const TextRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "control " << row.id);
        EXPECT_EQ(program.text(row.id), expected(row.chinese, row.english));
        const SIZE size = chineseSystem() ? row.chineseSize : row.englishSize;
        if (size.cx == 0) continue;
        EXPECT_EQ(program.size(row.id).cx, size.cx);
        EXPECT_EQ(program.size(row.id).cy, size.cy);
    }
    wchar_t title[64] = {};
    GetWindowTextW(program.dialog(), title, 64);
    EXPECT_STREQ(title, L"Sonvaro");
}

TEST_F(ViewTest, ListsShowTheTablesInOrder) {
    store(L"keySet", L"MWSBNM");
    Program program;
    const std::vector<std::wstring> shortList =
        chineseSystem() ? std::vector<std::wstring>{L"中文", L"英文", L"粤语"}
                        : std::vector<std::wstring>{L"Chinese", L"English", L"Cantonese"};
    EXPECT_EQ(program.rows(1001), shortList);
    EXPECT_EQ(program.rows(1011), shortList);

    const auto targets = program.rows(1002);
    ASSERT_EQ(targets.size(), 28u);
    EXPECT_EQ(targets[0], expected(L"中文", L"Chinese"));
    EXPECT_EQ(targets[2], expected(L"粵語", L"Cantonese"));
    EXPECT_EQ(targets[3], expected(L"繁体中文", L"traditional Chinese"));
    EXPECT_EQ(targets[17], expected(L"保加利亞语", L"Bulgarian"));
    EXPECT_EQ(targets[26], expected(L"文言文", L"Classical"));
    EXPECT_EQ(targets[27], expected(L"越南語", L"Vietnamese"));

    const std::vector<std::wstring> mouse = chineseSystem()
                                                ? std::vector<std::wstring>{L"滚轮键", L"前进键", L"后退键"}
                                                : std::vector<std::wstring>{L"Wheel", L"Forward", L"Back"};
    EXPECT_EQ(program.rows(1014), mouse);
    EXPECT_EQ(program.rows(1012), mouse);
    const std::vector<std::wstring> keyboard = {L"F1", L"F2",  L"F3",  L"F4",  L"F5",   L"F6",   L"F7", L"F8",
                                                L"F9", L"F10", L"F11", L"F12", L"ctrl", L"home", L"end"};
    EXPECT_EQ(program.rows(1017), keyboard);
    EXPECT_EQ(program.rows(1015), keyboard);
    EXPECT_TRUE(program.rows(1013).empty());
    EXPECT_TRUE(program.rows(1016).empty());
}

TEST_F(ViewTest, SelectionsFollowTheStoredValues) {
    const struct {
        const char* what;
        const wchar_t* source;
        const wchar_t* dest;
        const wchar_t* voiceText;
        const wchar_t* keySet;
        int selections[7];  // 1001, 1002, 1011, 1014 mouse input, 1012 mouse search, 1017, 1015
    } cases[] = {
        {"stored", L"Cantonese", L"Classical", L"English", L"MPWBCD", {2, 26, 1, 2, 0, 2, 3}},
        {"defaults", nullptr, nullptr, nullptr, L"MWSBNM", {0, 1, 0, 0, 1, 14, 13}},
        {"lower-case letters have no row",
         L"English",
         L"traditional",
         L"Cantonese",
         L"MwSBnM",
         {1, 3, 2, -1, 1, -1, 13}},
        {"missing keySet", nullptr, L"Vietnamese", nullptr, nullptr, {0, 27, 0, -1, -1, -1, -1}},
    };
    const int lists[7] = {1001, 1002, 1011, 1014, 1012, 1017, 1015};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        store(L"source", row.source);
        store(L"dest", row.dest);
        store(L"voiceText", row.voiceText);
        store(L"keySet", row.keySet);
        Program program;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(program.selection(lists[i]), row.selections[i]) << "list " << lists[i];
        }
    }
}

TEST_F(ViewTest, StoredModeDecidesRadiosAndEnabledLists) {
    for (const wchar_t* onoff : {L"on", L"off", static_cast<const wchar_t*>(nullptr)}) {
        SCOPED_TRACE(testing::Message() << "onoff " << (onoff ? onoff : L"missing"));
        store(L"onoff", onoff);
        Program program;
        const bool translating = onoff && std::wstring(onoff) == L"on";
        EXPECT_EQ(program.checked(1019), translating);
        EXPECT_EQ(program.checked(1018), !translating);
        EXPECT_EQ(program.enabled(1001), translating);
        EXPECT_EQ(program.enabled(1002), translating);
        EXPECT_EQ(program.enabled(1011), !translating);
    }
}

TEST_F(ViewTest, HiddenControlsStayHiddenAndTheOthersShow) {
    Program program;
    for (int id : {1, 2, 1007, 1010, 1013, 1016}) EXPECT_FALSE(program.visible(id)) << "control " << id;
    for (int id : {1000, 1001, 1002, 1006, 1008, 1009, 1011, 1012, 1014, 1015, 1017, 1018, 1019,
                   1020, 1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031}) {
        EXPECT_TRUE(program.visible(id)) << "control " << id;
    }
}

TEST_F(ViewTest, WindowHasAFixedFrameWithMinimiseBoxAndItsOwnTaskbarButton) {
    Program program;
    const LONG_PTR style = GetWindowLongPtrW(program.dialog(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongPtrW(program.dialog(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(ViewTest, AboutBoxOpensFromTheSystemMenuCommandEvenWithLowBitsSet) {
    Program program;
    for (WPARAM command : {0x0010, 0x0013}) {
        SCOPED_TRACE(testing::Message() << "command " << command);
        program.systemCommand(command);
        const auto box = program.waitMessageBox(kWaitMs);
        ASSERT_TRUE(box) << "no about box";
        EXPECT_EQ(box->caption, L"关于 kestrune");
        EXPECT_TRUE(box->ok);
        EXPECT_FALSE(IsWindowEnabled(program.dialog())) << "the about box is modal";
        program.answer(*box, IDOK);
        program.sync();
        EXPECT_TRUE(IsWindowEnabled(program.dialog()));
    }
    EXPECT_TRUE(program.noMessageBox(300));
}

// Reads the client area from the screen and compares it with the two background bitmaps of the exe.
class Pixels {
public:
    Pixels(int width, int height) : width_(width), height_(height), bits_(width * height) {}
    COLORREF at(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFF; }
    void fromBitmap(HBITMAP bitmap) {
        HDC screen = GetDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        GetDIBits(screen, bitmap, 0, height_, bits_.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
    }
    void fromScreen(POINT origin) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width_, height_);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
        SelectObject(memory, old);
        fromBitmap(bitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

private:
    int width_;
    int height_;
    std::vector<DWORD> bits_;
};

TEST_F(ViewTest, PaintsTheLanguagesBackgroundInsideABlackFrame) {
    Program program;
    POINT origin = {0, 0};
    ClientToScreen(program.dialog(), &origin);
    Pixels screen(395, 570);
    // Wait (bounded) for the first paint to reach the screen: the frame's corner turns black.
    for (DWORD waited = 0; waited < kWaitMs; waited += 100) {
        program.sync();
        screen.fromScreen(origin);
        if (screen.at(0, 0) == 0 && screen.at(394, 569) == 0) break;
        Sleep(100);
    }

    HMODULE exe =
        LoadLibraryExW((testBinDir() + L"SonvaroSet.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe);
    Pixels chinese(395, 570), english(395, 570);
    for (auto [id, pixels] : {std::pair{132, &chinese}, {134, &english}}) {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(exe, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_TRUE(bitmap) << "bitmap " << id;
        pixels->fromBitmap(bitmap);
        DeleteObject(bitmap);
    }
    FreeLibrary(exe);

    for (int y = 0; y < 570; y += 10) {
        EXPECT_EQ(screen.at(0, y), 0u) << "left frame at y " << y;
        EXPECT_EQ(screen.at(394, y), 0u) << "right frame at y " << y;
    }
    for (int x = 0; x < 395; x += 10) EXPECT_EQ(screen.at(x, 569), 0u) << "bottom frame at x " << x;

    // Compare the picture wherever no control covers it; where the two pictures differ, it must be this
    // language's.
    std::vector<RECT> controls;
    for (HWND child = GetWindow(program.dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, program.dialog(), reinterpret_cast<POINT*>(&rect), 2);
        controls.push_back(rect);
    }
    const Pixels& own = chineseSystem() ? chinese : english;
    const Pixels& other = chineseSystem() ? english : chinese;
    int samples = 0, matches = 0, distinct = 0, distinctMatches = 0;
    for (int y = 1; y < 569; ++y) {
        for (int x = 1; x < 394; ++x) {
            const POINT point = {x, y};
            bool covered = false;
            for (const RECT& rect : controls) covered = covered || PtInRect(&rect, point);
            if (covered) continue;
            ++samples;
            matches += screen.at(x, y) == own.at(x, y);
            if (own.at(x, y) != other.at(x, y)) {
                ++distinct;
                distinctMatches += screen.at(x, y) == own.at(x, y);
            }
        }
    }
    ASSERT_GT(samples, 100000);
    ASSERT_GT(distinct, 100) << "the two pictures must tell the languages apart";
    EXPECT_GT(matches, samples * 99 / 100) << "of " << samples << " pixels";
    EXPECT_GT(distinctMatches, distinct * 99 / 100) << "of " << distinct << " pixels that differ";
}

TEST_F(ViewTest, EscapeEnterAndTheCloseBoxEndTheProgramWithoutWriting) {
    store(L"keySet", L"MPWBAB");
    store(L"onoff", L"on");
    const auto before = storedValues();
    const struct {
        const char* what;
        void (*close)(Program&);
    } ways[] = {
        {"Escape", [](Program& p) { p.key(VK_ESCAPE); }},
        {"Enter", [](Program& p) { p.key(VK_RETURN); }},
        {"close box", [](Program& p) { p.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        Program program;
        way.close(program);
        EXPECT_TRUE(program.waitExit()) << "still running";
        EXPECT_TRUE(storedValues() == before) << "a stored value changed";
        EXPECT_EQ(section_.record()[0], SharedSection::kSentinel) << "no notice";
    }
}

}  // namespace
