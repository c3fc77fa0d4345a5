#pragma once

#include <windows.h>

// A modal dialog from a template. The static dialog procedure keeps `this` in DWLP_USER and hands each
// message to the object; a subclass overrides the handlers it needs.
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
    virtual BOOL OnInitDialog() { return TRUE; }
    // WM_COMMAND by control id and notification code; returns whether it was handled. The base ends
    // the dialog on IDOK and IDCANCEL (Enter, Escape, the close box).
    virtual bool OnCommand(int id, int code);
    // Return false to leave the message to the default dialog handling.
    virtual bool OnPaint() { return false; }
    virtual bool OnSysCommand(UINT, LPARAM) { return false; }
    virtual HCURSOR OnQueryDragIcon() { return nullptr; }
    // Every message passes here first; a subclass that handles more messages overrides it and calls the base.
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

    // The control operations the program uses.
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    void setText(int id, const wchar_t* text) { SetDlgItemTextW(hwnd_, id, text); }
    void enable(int id, bool enabled) { EnableWindow(item(id), enabled); }
    void show(int id, bool visible) { ShowWindow(item(id), visible ? SW_SHOW : SW_HIDE); }
    void resize(int id, int width, int height) {
        SetWindowPos(item(id), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void checkRadio(int first, int last, int checked) { CheckRadioButton(hwnd_, first, last, checked); }
    void comboInsert(int id, int position, const wchar_t* text) {
        SendDlgItemMessageW(hwnd_, id, CB_INSERTSTRING, position, reinterpret_cast<LPARAM>(text));
    }
    // A row outside the list clears the selection.
    void comboSelect(int id, int row) { SendDlgItemMessageW(hwnd_, id, CB_SETCURSEL, row, 0); }
    int comboSelection(int id) const {
        return static_cast<int>(SendDlgItemMessageW(hwnd_, id, CB_GETCURSEL, 0, 0));
    }
    int messageBox(const wchar_t* text, const wchar_t* caption, UINT type) {
        return MessageBoxW(hwnd_, text, caption, type);
    }

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
};
