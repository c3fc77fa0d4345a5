#include "app/kestrunedlg.h"

#include "app/kestrune.h"
#include "app/texts.h"
#include "notify/process.h"
#include "res/resource.h"
#include "settings/fileos.h"
#include "settings/state.h"
#include "settings/tables.h"
#include "ui/app.h"
#include "update/version.h"

namespace {

constexpr LONG kFixedWindowStyle = 0x00CA0000;  // caption, system menu, minimise box: no sizing
constexpr RECT kBackground = {0, 0, 395, 570};

struct CommandEntry {
    int id;
    int code;
    void (CkestruneDlg::*handler)();
};

struct LabelText {
    int id;
    const wchar_t* chinese;
    const wchar_t* english;
    SIZE chineseSize;  // {0, 0}: keep the template's size
    SIZE englishSize;
};

constexpr LabelText kLabels[] = {
    {IDC_LABEL_WORKING_MODE, L"工作模式", L"Working Mode", {50, 20}, {80, 60}},
    {IDC_LABEL_LANGUAGE, L"语言", L"Language", {50, 20}, {55, 20}},
    {IDC_LABEL_SOURCE, L"源语言", L"Source", {50, 20}, {50, 20}},
    {IDC_LABEL_TARGET, L"目标语言", L"Target", {50, 20}, {50, 20}},
    {IDC_LABEL_HOTKEYS, L"热键设置", L"Hot Key", {50, 20}, {50, 20}},
    {IDC_LABEL_KEYBOARD, L"键盘热键", L"Keyboard", {50, 20}, {60, 20}},
    {IDC_LABEL_KEYBOARD_SEARCH, L"搜索键", L"Search", {0, 0}, {0, 0}},
    {IDC_LABEL_KEYBOARD_INPUT, L"输入键", L"Input", {0, 0}, {0, 0}},
    {IDC_LABEL_MOUSE, L"鼠标热键", L"Mouse", {50, 20}, {40, 20}},
    {IDC_LABEL_MOUSE_SEARCH, L"搜索键", L"Search", {0, 0}, {0, 0}},
    {IDC_LABEL_MOUSE_INPUT, L"输入键", L"Input", {0, 0}, {0, 0}},
    {IDC_LABEL_HELP, L"使用帮助", L"Help", {50, 20}, {30, 20}},
};

struct ButtonText {
    int id;
    const wchar_t* chinese;
    const wchar_t* english;
};

constexpr ButtonText kButtons[] = {
    {IDC_MODE_VOICE_INPUT, L"语音录入", L"Voice to text"},
    {IDC_MODE_VOICE_TRANSLATE, L"语音翻译", L"Voice translate to text"},
    {IDC_UPGRADE, L"升级", L"Update"},
    {IDC_INSTRUCTIONS, L"说明书", L"Help"},
    {IDC_RESET, L"恢复默认", L"Reset"},
    {IDC_LEARN_MORE, L"了解更多", L"More"},
};

// Each hotkey list keeps its key apart from the other key of the same device.
struct HotkeyList {
    int listId;
    int* ownRow;
    int* partnerRow;
    void (*store)(int row, int which);
    int which;
};

constexpr HotkeyList kHotkeyLists[] = {
    {IDC_MOUSE_INPUT_KEY, &mouseFlagVoice, &mouseFlagSearch, mouseSetKey, 1},
    {IDC_MOUSE_SEARCH_KEY, &mouseFlagSearch, &mouseFlagVoice, mouseSetKey, 2},
    {IDC_KEYBOARD_INPUT_KEY, &keyboardFlagVoice, &keyboardFlagSearch, keyboardSetKey, 1},
    {IDC_KEYBOARD_SEARCH_KEY, &keyboardFlagSearch, &keyboardFlagVoice, keyboardSetKey, 2},
};

// The labels and radio buttons that draw on the background picture.
bool drawsOnPicture(int id) {
    return (id >= IDC_LABEL_LANGUAGE && id <= IDC_LABEL_KEYBOARD_SEARCH) || id == IDC_MODE_VOICE_INPUT ||
           id == IDC_MODE_VOICE_TRANSLATE;
}

int backgroundBitmap() { return uiLanguageFlag == 1 ? IDB_BACKGROUND_CHINESE : IDB_BACKGROUND_ENGLISH; }

}  // namespace

CkestruneDlg::CkestruneDlg(HWND parent)
    : Dialog(IDD_KESTRUNE_DIALOG, parent),
      m_hIcon(LoadIconW(WinApp::instance(), MAKEINTRESOURCEW(IDI_SONVARO))) {}

BOOL CkestruneDlg::OnInitDialog() {
    addAboutEntry();
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    initVersionPaths();
    readFileTest(versionFilePath, versionText);
    readFileTest(localVersionFilePath, localVersionText);

    updateTranslateData();
    // The view shows the stored mode, and the language lists of that mode act at once.
    workMode = onoffState;
    {
        // The brush keeps its own copy of the pattern; the bitmap is not needed after it.
        UniqueBitmap picture(LoadBitmapW(WinApp::instance(), MAKEINTRESOURCEW(backgroundBitmap())));
        if (picture) labelBrush_.reset(CreatePatternBrush(picture.get()));
    }
    setLabelTexts();

    thread_fun();

    fillLists();
    selectLanguages();
    showStoredMode();
    setButtonTexts();
    enableModeLists(workMode);
    show(IDC_HOTKEY_SET, false);

    SetWindowLongPtrW(window(), GWL_STYLE, kFixedWindowStyle);
    SetWindowPos(window(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

bool CkestruneDlg::OnCommand(int id, int code) {
    static constexpr CommandEntry kCommands[] = {
        {IDC_RESET, BN_CLICKED, &CkestruneDlg::OnBnClickedReset},
        {IDC_SOURCE_LANGUAGE, CBN_SELCHANGE, &CkestruneDlg::OnCbnSelchangeSource},
        {IDC_TARGET_LANGUAGE, CBN_SELCHANGE, &CkestruneDlg::OnCbnSelchangeTarget},
        {IDC_VOICE_LANGUAGE, CBN_SELCHANGE, &CkestruneDlg::OnCbnSelchangeVoiceLanguage},
        {IDC_INSTRUCTIONS, BN_CLICKED, &CkestruneDlg::OnBnClickedInstructions},
        {IDC_LEARN_MORE, BN_CLICKED, &CkestruneDlg::OnBnClickedLearnMore},
        {IDC_UPGRADE, BN_CLICKED, &CkestruneDlg::OnBnClickedUpgrade},
        {IDC_MOUSE_SEARCH_KEY, CBN_SELCHANGE, &CkestruneDlg::OnCbnSelchangeMouseSearchKey},
        {IDC_MOUSE_INPUT_KEY, CBN_SELCHANGE, &CkestruneDlg::OnCbnSelchangeMouseInputKey},
        {IDC_KEYBOARD_SEARCH_KEY, CBN_SELCHANGE, &CkestruneDlg::OnCbnSelchangeKeyboardSearchKey},
        {IDC_KEYBOARD_INPUT_KEY, CBN_SELCHANGE, &CkestruneDlg::OnCbnSelchangeKeyboardInputKey},
        {IDC_MODE_VOICE_INPUT, BN_CLICKED, &CkestruneDlg::OnBnClickedVoiceInput},
        {IDC_MODE_VOICE_TRANSLATE, BN_CLICKED, &CkestruneDlg::OnBnClickedVoiceTranslate},
    };
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id && entry.code == code) {
            (this->*entry.handler)();
            return true;
        }
    }
    return Dialog::OnCommand(id, code);  // OK and cancel end the dialog: everything is stored already
}

INT_PTR CkestruneDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        if (HBRUSH brush = labelBackground(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<INT_PTR>(brush);
        }
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

HBRUSH CkestruneDlg::labelBackground(HDC dc, HWND control) {
    // A combo box's own edit field also has an id, so only our direct children count.
    if (!labelBrush_ || GetParent(control) != window() || !drawsOnPicture(GetDlgCtrlID(control))) {
        return nullptr;
    }
    POINT origin = {0, 0};
    MapWindowPoints(control, window(), &origin, 1);
    SetBkMode(dc, TRANSPARENT);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    return labelBrush_.get();
}

// ---- Initialisation steps ----

void CkestruneDlg::addAboutEntry() {
    HMENU menu = GetSystemMenu(window(), FALSE);
    if (!menu) return;
    wchar_t text[64] = {};
    if (LoadStringW(WinApp::instance(), IDS_ABOUTBOX, text, 64) <= 0) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CkestruneDlg::setLabelTexts() {
    for (const LabelText& label : kLabels) {
        setText(label.id, uiText(label.chinese, label.english));
        const SIZE size = uiLanguageFlag == 1 ? label.chineseSize : label.englishSize;
        if (size.cx > 0) resize(label.id, size.cx, size.cy);
    }
}

void CkestruneDlg::fillLists() {
    for (int row = 0; row < kShortLanguageCount; ++row) {
        comboInsert(IDC_SOURCE_LANGUAGE, row,
                    uiText(kShortLanguages[row].chinese, kShortLanguages[row].english));
    }
    for (int row = 0; row < kLanguageCount; ++row) {
        comboInsert(IDC_TARGET_LANGUAGE, row, uiText(kLanguages[row].chinese, kLanguages[row].english));
    }
    for (int row = 0; row < kShortLanguageCount; ++row) {
        comboInsert(IDC_VOICE_LANGUAGE, row,
                    uiText(kShortLanguages[row].chinese, kShortLanguages[row].english));
    }
    for (int listId : {IDC_MOUSE_INPUT_KEY, IDC_MOUSE_SEARCH_KEY}) {
        for (int row = 0; row < kMouseKeyCount; ++row) {
            comboInsert(listId, row, uiText(kMouseKeys[row].chinese, kMouseKeys[row].english));
        }
        selectKey(listId, listId == IDC_MOUSE_INPUT_KEY ? mouseVoiceKey : mouseSearchKey, 0);
    }
    for (int listId : {IDC_KEYBOARD_INPUT_KEY, IDC_KEYBOARD_SEARCH_KEY}) {
        for (int row = 0; row < kKeyboardKeyCount; ++row) {
            comboInsert(listId, row, kKeyboardKeys[row].english);
        }
        selectKey(listId, listId == IDC_KEYBOARD_INPUT_KEY ? keyboardVoiceKey : keyboardSearchKey, 1);
    }
}

// Table 0 is the mouse's, 1 the keyboard's. A letter with no row leaves the list's selection as it is.
void CkestruneDlg::selectKey(int listId, int letter, int table) {
    const int row = keyLetterToIndex(letter, table);
    if (row >= 0) comboSelect(listId, row);
}

void CkestruneDlg::selectLanguages() {
    comboSelect(IDC_SOURCE_LANGUAGE, sourceflag);
    comboSelect(IDC_VOICE_LANGUAGE, voiceLanguage);
    comboSelect(IDC_TARGET_LANGUAGE, destflag);
}

void CkestruneDlg::showStoredMode() {
    const bool translating = onoffState == 1;
    checkRadio(IDC_MODE_VOICE_INPUT, IDC_MODE_VOICE_TRANSLATE,
               translating ? IDC_MODE_VOICE_TRANSLATE : IDC_MODE_VOICE_INPUT);
    enable(IDC_VOICE_LANGUAGE, !translating);
    enable(IDC_TARGET_LANGUAGE, translating);
    enable(IDC_SOURCE_LANGUAGE, translating);
}

void CkestruneDlg::setButtonTexts() {
    for (const ButtonText& button : kButtons) setText(button.id, uiText(button.chinese, button.english));
}

void CkestruneDlg::enableModeLists(int mode) {
    enable(IDC_TARGET_LANGUAGE, mode == 1);
    enable(IDC_SOURCE_LANGUAGE, mode == 1);
}

// ---- Working mode ----

void CkestruneDlg::OnBnClickedVoiceInput() {
    workMode = 0;
    checkRadio(IDC_MODE_VOICE_INPUT, IDC_MODE_VOICE_TRANSLATE, IDC_MODE_VOICE_INPUT);
    enableModeLists(workMode);
    enable(IDC_VOICE_LANGUAGE, true);
    onoffState = workMode;
    writeOnOff();
}

void CkestruneDlg::OnBnClickedVoiceTranslate() {
    workMode = 1;
    checkRadio(IDC_MODE_VOICE_INPUT, IDC_MODE_VOICE_TRANSLATE, IDC_MODE_VOICE_TRANSLATE);
    enable(IDC_VOICE_LANGUAGE, false);
    enableModeLists(workMode);
    onoffState = workMode;
    writeOnOff();
}

// ---- Languages: each list acts only in its own mode ----

void CkestruneDlg::OnCbnSelchangeSource() {
    if (workMode != 1) return;
    sourceflag = comboSelection(IDC_SOURCE_LANGUAGE);
    writeSource();
}

void CkestruneDlg::OnCbnSelchangeTarget() {
    if (workMode != 1) return;
    destflag = comboSelection(IDC_TARGET_LANGUAGE);
    writeDest();
}

void CkestruneDlg::OnCbnSelchangeVoiceLanguage() {
    if (workMode != 0) return;
    voiceLanguage = comboSelection(IDC_VOICE_LANGUAGE);
    writeVoiceText();
}

// ---- Hotkeys ----

void CkestruneDlg::OnCbnSelchangeMouseSearchKey() { changeHotkey(IDC_MOUSE_SEARCH_KEY); }
void CkestruneDlg::OnCbnSelchangeMouseInputKey() { changeHotkey(IDC_MOUSE_INPUT_KEY); }
void CkestruneDlg::OnCbnSelchangeKeyboardSearchKey() { changeHotkey(IDC_KEYBOARD_SEARCH_KEY); }
void CkestruneDlg::OnCbnSelchangeKeyboardInputKey() { changeHotkey(IDC_KEYBOARD_INPUT_KEY); }

void CkestruneDlg::changeHotkey(int listId) {
    for (const HotkeyList& list : kHotkeyLists) {
        if (list.listId != listId) continue;
        const int row = comboSelection(listId);
        if (row == *list.partnerRow) {
            comboSelect(listId, *list.ownRow);
            messageBox(uiText(L"按键冲突，无法生效", L"Hotkey conflict"), kCaption, MB_ICONINFORMATION);
        } else {
            *list.ownRow = row;
            list.store(row, list.which);
            messageBox(uiText(L"修改成功", L"Setting completed"), kCaption, MB_ICONINFORMATION);
        }
        // The assistant rereads its keys either way.
        noticeFlag = 1;
        return;
    }
}

void CkestruneDlg::OnBnClickedReset() {
    messageBox(uiText(L"恢复默认设置", L" Reset default"), kCaption, MB_ICONINFORMATION);
    writeDefaultSet();
    readKeySet();
    selectKey(IDC_MOUSE_INPUT_KEY, mouseVoiceKey, 0);
    selectKey(IDC_MOUSE_SEARCH_KEY, mouseSearchKey, 0);
    selectKey(IDC_KEYBOARD_SEARCH_KEY, keyboardSearchKey, 1);
    selectKey(IDC_KEYBOARD_INPUT_KEY, keyboardVoiceKey, 1);
    noticeFlag = 1;
}

// ---- Painting, system menu, drag icon ----

bool CkestruneDlg::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window(), &paint);
    if (IsIconic(window())) {
        SendMessageW(window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT client;
        GetClientRect(window(), &client);
        const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, m_hIcon);
    } else {
        // Without the bitmap the frame is drawn around the plain default brush.
        UniqueBitmap bitmap(LoadBitmapW(WinApp::instance(), MAKEINTRESOURCEW(backgroundBitmap())));
        UniqueBrush brush(bitmap ? CreatePatternBrush(bitmap.get()) : nullptr);
        HGDIOBJ previous = brush ? SelectObject(dc, brush.get()) : nullptr;
        Rectangle(dc, kBackground.left, kBackground.top, kBackground.right, kBackground.bottom);
        if (previous) SelectObject(dc, previous);
    }
    EndPaint(window(), &paint);
    return true;
}

bool CkestruneDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) != IDM_ABOUTBOX) return false;
    CAboutDlg about(window());
    about.DoModal();
    return true;
}

HCURSOR CkestruneDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
