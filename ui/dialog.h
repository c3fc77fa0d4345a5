#pragma once

#include <windows.h>

#include <utility>
#include <vector>

// A modal dialog from a template of the program's own resources. The static dialog procedure keeps
// `this` in DWLP_USER and hands every message to handleMessage, which a subclass overrides with one switch.
class Dialog {
public:
    explicit Dialog(int templateId, HWND parent = nullptr) : templateId_(templateId), parent_(parent) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog and returns the result given to EndDialog (IDOK, IDCANCEL), or -1 when it could
    // not be created.
    INT_PTR DoModal();
    HWND window() const { return hwnd_; }

protected:
    // Returns what the dialog procedure returns: FALSE leaves the message to the default handling. The
    // base ends the dialog on the OK and cancel commands (Enter, Escape, the close box).
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

    // The control operations the program uses. A control is looked up once: under Wine every GetDlgItem
    // asks the server for the dialog's whole list of children.
    HWND item(int id);
    void setText(int id, const wchar_t* text) { SetWindowTextW(item(id), text); }
    void enable(int id, bool enabled) { EnableWindow(item(id), enabled); }
    void show(int id, bool visible) { ShowWindow(item(id), visible ? SW_SHOW : SW_HIDE); }
    void resize(int id, int width, int height) {
        SetWindowPos(item(id), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // One button at a time: CheckRadioButton walks every child window of the dialog to find its range. An
    // auto radio button turned on clears the rest of its group, which takes another such walk; the program
    // sets every button of its groups itself, so it turns one on as a plain radio button.
    void check(int id, bool checked);
    bool checked(int id) { return SendMessageW(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // A drop-down list filled while it is closed keeps its list box from redrawing until it first opens,
    // which spares the box a repaint and a scroll bar layout per list; listOpening turns redraw back on.
    void holdListRedraw(int id) { setListRedraw(id, false); }
    void listOpening(int id) { setListRedraw(id, true); }
    // A row outside the list clears the selection and the field. A list already on the row, its field
    // showing the row's text, is left alone, so that showing again what it shows does not redraw it; text
    // typed into the field gives way to the row's.
    void comboSelect(int id, int row);
    int comboSelection(int id) { return static_cast<int>(SendMessageW(item(id), CB_GETCURSEL, 0, 0)); }
    bool listOpen(int id) { return SendMessageW(item(id), CB_GETDROPPEDSTATE, 0, 0) != FALSE; }
    int messageBox(const wchar_t* text, const wchar_t* caption, UINT type) {
        return MessageBoxW(hwnd_, text, caption, type);
    }

    // The scale of the dialog against the layout its pixel sizes were drawn for: its base units now against
    // that layout's, per axis. They follow the font the system gives the template as much as the display
    // scale, and a size in pixels scaled this way keeps its place among the controls. Measured as the
    // dialog starts and again after a move to a monitor of another scale.
    void measureScale(SIZE drawnForUnits);
    bool atDefaultScale() const { return units_.cx == drawnFor_.cx && units_.cy == drawnFor_.cy; }
    // A length in pixels of that layout at the dialog's scale now.
    int scaleX(int pixels) const { return MulDiv(pixels, units_.cx, drawnFor_.cx); }
    int scaleY(int pixels) const { return MulDiv(pixels, units_.cy, drawnFor_.cy); }
    // Widens (or heightens) a label or a button whose text does not fit on one line in its font.
    void fitText(int id);

private:
    void setListRedraw(int id, bool redraw) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(item(id), &info)) SendMessageW(info.hwndList, WM_SETREDRAW, redraw, 0);
    }
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
    std::vector<std::pair<int, HWND>> items_;
    SIZE units_ = {1, 1};
    SIZE drawnFor_ = {1, 1};
};
