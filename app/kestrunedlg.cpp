#include "app/kestrunedlg.h"

#include <utility>

#include "app/kestrune.h"
#include "base/handles.h"
#include "notify/process.h"
#include "res/resource.h"
#include "settings/choices.h"
#include "settings/fileos.h"
#include "settings/state.h"
#include "settings/tables.h"
#include "update/helppages.h"
#include "update/upgrade.h"
#include "update/version.h"
#include "ui/droplist.h"
#include "ui/radio.h"

namespace {

constexpr LONG kFixedWindowStyle = 0x00CA0000;  // caption, system menu, minimise box: no sizing
// The layout the picture and the label sizes below are drawn for: the dialog in Tahoma 9 points at 96 DPI,
// the font Windows gives the template's shell font in every language, whose base units MapDialogRect
// measures as 7 x 14. The system's own font at another size (SimSun's are 6 x 13) scales the layout as a
// display scale does.
constexpr SIZE kDrawnForUnits = {7, 14};
constexpr RECT kBackground = {0, 0, 395, 570};
// Posted after a change of display scale, once the dialog manager has laid the controls out for it.
constexpr UINT kScaleChanged = WM_APP;
// Posted as the dialog starts: it arrives once the dialog has been shown, and activated if it was.
constexpr UINT kShown = WM_APP + 1;
// Posted as an open list closes on a row: the row is chosen once the list has sent all it sends as it closes.
constexpr UINT kListClosed = WM_APP + 2;

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

// The lists whose rows are the user's choices: the three languages, with the row each has stored, and
// the hotkeys in the order they are shown.
struct LanguageListControl {
    int id;
    LanguageList list;
    const int* stored;
};

constexpr LanguageListControl kLanguageLists[] = {
    {IDC_SOURCE_LANGUAGE, LanguageList::Source, &sourceflag},
    {IDC_TARGET_LANGUAGE, LanguageList::Target, &destflag},
    {IDC_VOICE_LANGUAGE, LanguageList::VoiceLanguage, &voiceLanguage},
};

struct HotkeyList {
    int id;
    Hotkey key;
};

constexpr HotkeyList kHotkeyLists[] = {
    {IDC_MOUSE_INPUT_KEY, Hotkey::MouseInput},
    {IDC_MOUSE_SEARCH_KEY, Hotkey::MouseSearch},
    {IDC_KEYBOARD_SEARCH_KEY, Hotkey::KeyboardSearch},
    {IDC_KEYBOARD_INPUT_KEY, Hotkey::KeyboardInput},
};

template <typename List, size_t count>
const List* listWithId(const List (&lists)[count], int id) {
    for (const List& list : lists) {
        if (list.id == id) return &list;
    }
    return nullptr;
}

// The labels and radio buttons that draw on the background picture.
bool drawsOnPicture(int id) {
    return (id >= IDC_LABEL_LANGUAGE && id <= IDC_LABEL_KEYBOARD_SEARCH) || id == IDC_MODE_VOICE_INPUT ||
           id == IDC_MODE_VOICE_TRANSLATE;
}

// The background picture of the interface language, as the resource holds it: a packed DIB, drawn from
// the program's image without a copy. The art comes at 100 % (artScale 1) and at twice the size.
const BITMAPINFO* backgroundPicture(int artScale) {
    HMODULE exe = GetModuleHandleW(nullptr);
    const int id = uiLanguageFlag == 1
                       ? (artScale == 1 ? IDB_BACKGROUND_CHINESE : IDB_BACKGROUND_CHINESE_200)
                       : (artScale == 1 ? IDB_BACKGROUND_ENGLISH : IDB_BACKGROUND_ENGLISH_200);
    HRSRC resource = FindResourceW(exe, MAKEINTRESOURCEW(id), RT_BITMAP);
    HGLOBAL data = resource ? LoadResource(exe, resource) : nullptr;
    return static_cast<const BITMAPINFO*>(data ? LockResource(data) : nullptr);
}

}  // namespace

CkestruneDlg::CkestruneDlg(HWND parent)
    : Dialog(IDD_KESTRUNE_DIALOG, parent),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SONVARO))) {}

// Back in the dialog, the settings are read again once the handler that may be running has finished: one of
// its boxes closing activates the dialog before the handler posts its notice. Not by a posted message: the
// closing box's loop takes the next message from the queue and drops it.
INT_PTR CkestruneDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ++handling_;
    const INT_PTR result = OnMessage(message, wParam, lParam);
    if (--handling_ == 0 && std::exchange(readAgain_, false)) OnReadAgain();
    return result;
}

INT_PTR CkestruneDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return TRUE;
            break;  // OK and cancel end the dialog: everything is stored already
        case WM_PAINT:
            OnPaint();
            return TRUE;
        case WM_PRINTCLIENT:
            // Themed radio buttons ask for what lies under them this way.
            paintBackground(reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            if (OnSysCommand(static_cast<UINT>(wParam))) return TRUE;
            break;
        case WM_QUERYDRAGICON:
            // One of the messages whose result is the procedure's return value itself.
            return reinterpret_cast<INT_PTR>(m_hIcon);
        case WM_DPICHANGED: {
            // Windows scales the controls and the font of the dialog itself; the suggested rectangle keeps
            // it on the monitor it moved to.
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            PostMessageW(window(), kScaleChanged, 0, 0);
            break;
        }
        case WM_ACTIVATE:
            // The activation as the dialog first shows comes right after the settings were read.
            if (LOWORD(wParam) != WA_INACTIVE && shown_) readAgain_ = true;
            break;  // the default handling gives the focus back
        case kShown:
            shown_ = true;
            return TRUE;
        case kListClosed:
            if (const int listId = std::exchange(choosingOnClose_, 0)) OnListChosen(listId);
            return TRUE;
        case kScaleChanged:
            applyScale();
            RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (HBRUSH brush =
                    OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<INT_PTR>(brush);
            }
            break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

BOOL CkestruneDlg::OnInitDialog() {
    addAboutEntry();
    // Small first: a big icon set alone has the system make a small copy of it.
    SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));

    initVersionPaths();
    readFileTest(versionFilePath, versionText);
    readFileTest(localVersionFilePath, localVersionText);

    updateTranslateData();
    // The view shows the stored mode, and the language lists of that mode act at once.
    workMode = onoffState;
    background_ = backgroundPicture(1);
    setLabelTexts();

    thread_fun();

    fillLists();
    showSettings();
    // Where Windows knows it (Vista on), a mode button that gets the focus unchecked tells of no click.
    for (int id : {IDC_MODE_VOICE_INPUT, IDC_MODE_VOICE_TRANSLATE})
        SendMessageW(item(id), BM_SETDONTCLICK, TRUE, 0);
    setButtonTexts();
    show(IDC_HOTKEY_SET, false);
    applyScale();

    SetWindowLongPtrW(window(), GWL_STYLE, kFixedWindowStyle);
    SetWindowPos(window(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    PostMessageW(window(), kShown, 0, 0);
    return TRUE;
}

bool CkestruneDlg::OnCommand(int id, int code) {
    if (id == IDC_MODE_VOICE_INPUT || id == IDC_MODE_VOICE_TRANSLATE) {
        if (radioChosen(code, checked(id))) OnBnClickedMode(id == IDC_MODE_VOICE_TRANSLATE ? 1 : 0);
        return true;
    }
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_RESET:
                OnBnClickedReset();
                return true;
            case IDC_INSTRUCTIONS:
                openInstructionsPage();
                return true;
            case IDC_LEARN_MORE:
                openLearnMorePage();
                return true;
            case IDC_UPGRADE:
                OnBnClickedUpgrade();
                return true;
        }
    }
    if (!listWithId(kLanguageLists, id) && !listWithId(kHotkeyLists, id)) return false;
    OnListNotification(id, code);
    return true;
}

HBRUSH CkestruneDlg::OnCtlColorStatic(HDC dc, HWND control) {
    // A combo box's own edit field also has an id, so only our direct children count.
    if (!background_ || GetParent(control) != window() || !drawsOnPicture(GetDlgCtrlID(control))) {
        return nullptr;
    }
    // Their text never changes, so they need not paint a background of their own: the dialog has
    // painted the picture under them.
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// ---- Initialisation steps ----

void CkestruneDlg::addAboutEntry() {
    HMENU menu = GetSystemMenu(window(), FALSE);
    if (!menu) return;
    wchar_t text[64] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 64) <= 0) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CkestruneDlg::setLabelTexts() {
    for (const LabelText& label : kLabels) setText(label.id, uiText(label.chinese, label.english));
}

void CkestruneDlg::fillLists() {
    const auto fill = [this](int listId, const auto& rows, bool chineseTexts) {
        holdListRedraw(listId);
        HWND list = item(listId);
        int row = 0;
        for (const auto& entry : rows) {
            const wchar_t* text = chineseTexts ? entry.chinese : entry.english;
            SendMessageW(list, CB_INSERTSTRING, row++, reinterpret_cast<LPARAM>(text));
        }
    };
    const bool chinese = uiLanguageFlag == 1;
    fill(IDC_SOURCE_LANGUAGE, kShortLanguages, chinese);
    fill(IDC_TARGET_LANGUAGE, kLanguages, chinese);
    fill(IDC_VOICE_LANGUAGE, kShortLanguages, chinese);
    fill(IDC_MOUSE_INPUT_KEY, kMouseKeys, chinese);
    fill(IDC_MOUSE_SEARCH_KEY, kMouseKeys, chinese);
    fill(IDC_KEYBOARD_INPUT_KEY, kKeyboardKeys, false);
    fill(IDC_KEYBOARD_SEARCH_KEY, kKeyboardKeys, false);
}

// The settings state as the controls show it: the mode with the lists it enables, the three languages and
// the four hotkeys.
void CkestruneDlg::showSettings() {
    for (const LanguageListControl& list : kLanguageLists) comboSelect(list.id, *list.stored);
    showMode(workMode);
    showHotkeys();
}

void CkestruneDlg::showHotkeys() {
    for (const HotkeyList& list : kHotkeyLists) comboSelect(list.id, storedHotkeyRow(list.key));
}

void CkestruneDlg::showStoredRow(int listId) {
    if (const LanguageListControl* list = listWithId(kLanguageLists, listId))
        comboSelect(listId, *list->stored);
    if (const HotkeyList* list = listWithId(kHotkeyLists, listId))
        comboSelect(listId, storedHotkeyRow(list->key));
}

void CkestruneDlg::setButtonTexts() {
    for (const ButtonText& button : kButtons) setText(button.id, uiText(button.chinese, button.english));
}

// The sizes the program gives in pixels, written for the layout drawn, at the dialog's scale: the labels',
// the picture's and its frame's. Where the font the system gives leaves a text too little room, at any
// scale, its control grows to fit.
void CkestruneDlg::applyScale() {
    measureScale(kDrawnForUnits);
    for (const LabelText& label : kLabels) {
        const SIZE size = uiLanguageFlag == 1 ? label.chineseSize : label.englishSize;
        if (size.cx > 0) resize(label.id, scaleX(size.cx), scaleY(size.cy));
    }
    prepareBackground();
    for (const LabelText& label : kLabels) fitText(label.id);
    for (const ButtonText& button : kButtons) fitText(button.id);
}

void CkestruneDlg::showMode(int mode) {
    check(IDC_MODE_VOICE_INPUT, mode != 1);
    check(IDC_MODE_VOICE_TRANSLATE, mode == 1);
    const ModeLists lists = modeLists(mode);
    enable(IDC_VOICE_LANGUAGE, lists.voiceLanguage);
    enable(IDC_SOURCE_LANGUAGE, lists.source);
    enable(IDC_TARGET_LANGUAGE, lists.target);
}

// ---- Controls ----

// A choice that could not be stored: the controls already show what is stored again.
void CkestruneDlg::tellFailure() {
    messageBox(uiText(L"修改失败", L"Setting failed"), kCaption, MB_ICONINFORMATION);
}

// Back in the dialog: another copy of it, or the assistant, may have stored settings meanwhile. Where the
// settings key cannot be opened the state stays as it is.
void CkestruneDlg::OnReadAgain() {
    readSettings();
    workMode = onoffState;
    showSettings();
}

void CkestruneDlg::OnBnClickedMode(int mode) {
    const Outcome outcome = chooseMode(mode);
    showMode(workMode);
    if (outcome == Outcome::Failed) tellFailure();
}

// A list of choices chooses once, and only the row it shows: typed text and a row passed in the open list
// give way to what is stored.
void CkestruneDlg::OnListNotification(int listId, int code) {
    if (code == CBN_DROPDOWN) listOpening(listId);
    switch (listStep(code, listOpen(listId))) {
        case ListStep::ChooseNow:
            choosingOnClose_ = 0;  // a choice the list made as it closed is this one
            OnListChosen(listId);
            break;
        case ListStep::ChooseWhenItCloses:
            choosingOnClose_ = listId;
            PostMessageW(window(), kListClosed, 0, 0);
            break;
        case ListStep::ShowStoredRow:
            showStoredRow(listId);
            break;
        case ListStep::None:
            break;
    }
}

void CkestruneDlg::OnListChosen(int listId) {
    if (const LanguageListControl* list = listWithId(kLanguageLists, listId))
        OnLanguageChosen(listId, list->list);
    if (const HotkeyList* list = listWithId(kHotkeyLists, listId)) OnHotkeyChosen(listId, list->key);
}

void CkestruneDlg::OnLanguageChosen(int listId, LanguageList list) {
    const Outcome outcome = chooseLanguage(list, comboSelection(listId));
    showStoredRow(listId);
    if (outcome == Outcome::Failed) tellFailure();
}

void CkestruneDlg::OnHotkeyChosen(int listId, Hotkey key) {
    const Outcome outcome = chooseHotkey(key, comboSelection(listId));
    showHotkeys();
    if (outcome == Outcome::Ignored)
        return;  // nothing was chosen: nothing to tell, the keys are as they were
    if (outcome == Outcome::Failed) {
        tellFailure();
    } else {
        messageBox(outcome == Outcome::Stored ? uiText(L"修改成功", L"Setting completed")
                                              : uiText(L"按键冲突，无法生效", L"Hotkey conflict"),
                   kCaption, MB_ICONINFORMATION);
    }
    // The assistant rereads its keys whatever became of the choice.
    postNotice(1);
}

void CkestruneDlg::OnBnClickedReset() {
    messageBox(uiText(L"恢复默认设置", L" Reset default"), kCaption, MB_ICONINFORMATION);
    const Outcome outcome = restoreDefaultHotkeys();
    showHotkeys();
    if (outcome == Outcome::Failed) tellFailure();
    postNotice(1);
}

void CkestruneDlg::OnBnClickedUpgrade() {
    if (upgrade(window())) EndDialog(IDCANCEL);
}

// ---- Painting, system menu ----

void CkestruneDlg::OnPaint() {
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
        paintBackground(dc);
    }
    EndPaint(window(), &paint);
}

// In the layout drawn the picture is drawn straight from the program's image. At any other scale it is made
// once from the art drawn at twice the size, frame included, and kept: each paint, the radio buttons' too,
// is then one copy of it instead of a smooth stretch of the whole picture.
void CkestruneDlg::prepareBackground() {
    scaledBackground_.reset();
    if (atDefaultScale()) return;
    const BITMAPINFO* art = backgroundPicture(2);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = scaleX(kBackground.right);
    format.bmiHeader.biHeight = -scaleY(kBackground.bottom);  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;  // the same pixels as 32 bits, in a quarter less memory
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueDC memory(CreateCompatibleDC(nullptr));
    UniqueGdiObject<HBITMAP> picture(
        CreateDIBSection(memory.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !picture) return;  // each paint then stretches the small picture itself
    const int frameWidth = scaleX(1);
    const UniqueGdiObject<HPEN> pen(frameWidth > 1 ? CreatePen(PS_INSIDEFRAME, frameWidth, RGB(0, 0, 0))
                                                   : nullptr);
    {
        const SelectedObject drawing(memory.get(), picture.get());
        drawBackground(memory.get(), art ? art : background_, art ? 2 : 1, pen.get());
    }
    scaledBackground_ = std::move(picture);
}

void CkestruneDlg::paintBackground(HDC dc) {
    if (!scaledBackground_) return drawBackground(dc, background_, 1, nullptr);
    const UniqueDC memory(CreateCompatibleDC(dc));
    const SelectedObject picture(memory.get(), scaledBackground_.get());
    BitBlt(dc, 0, 0, scaleX(kBackground.right), scaleY(kBackground.bottom), memory.get(), 0, 0, SRCCOPY);
}

// The picture, drawn at artScale times 100 %, stretched smoothly over the background rectangle at the
// dialog's scale, then the frame around it; without the picture the frame holds the plain default brush.
void CkestruneDlg::drawBackground(HDC dc, const BITMAPINFO* picture, int artScale, HPEN framePen) {
    const int width = scaleX(kBackground.right), height = scaleY(kBackground.bottom);
    if (picture) {
        const BITMAPINFOHEADER& header = picture->bmiHeader;
        // A palette of 0 entries in the header means as many as the bits per pixel can tell apart.
        const DWORD colors =
            header.biClrUsed || header.biBitCount > 8 ? header.biClrUsed : DWORD{1} << header.biBitCount;
        const BYTE* bits = reinterpret_cast<const BYTE*>(picture) + header.biSize + colors * sizeof(RGBQUAD);
        // HALFTONE wants the brush origin set after it, and the context may be a button's, lent to draw what
        // lies under it: both are put back.
        const int mode = SetStretchBltMode(dc, HALFTONE);
        POINT origin = {};
        SetBrushOrgEx(dc, 0, 0, &origin);
        StretchDIBits(dc, 0, 0, width, height, 0, header.biHeight - artScale * kBackground.bottom,
                      artScale * kBackground.right, artScale * kBackground.bottom, bits, picture,
                      DIB_RGB_COLORS, SRCCOPY);
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
        SetStretchBltMode(dc, mode);
    }
    SelectedObject hollow(dc, picture ? GetStockObject(NULL_BRUSH) : nullptr);
    SelectedObject pen(dc, framePen);
    Rectangle(dc, 0, 0, width, height);
}

bool CkestruneDlg::OnSysCommand(UINT id) {
    if ((id & 0xFFF0) != IDM_ABOUTBOX) return false;
    CAboutDlg about(window());
    about.DoModal();
    return true;
}
