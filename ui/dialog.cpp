#include "ui/dialog.h"

#include "ui/app.h"

INT_PTR Dialog::DoModal() {
    return DialogBoxParamW(WinApp::instance(), MAKEINTRESOURCEW(templateId_), parent_, dialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::OnCommand(int id, int) {
    if (id != IDOK && id != IDCANCEL) return false;
    EndDialog(id);
    return true;
}

INT_PTR Dialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_PAINT:
            return OnPaint();
        case WM_SYSCOMMAND:
            return OnSysCommand(static_cast<UINT>(wParam), lParam);
        case WM_QUERYDRAGICON:
            // One of the messages whose result is the procedure's return value itself.
            return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK Dialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<Dialog*>(lParam)->hwnd_ = window;
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    // Messages that arrive before WM_INITDIALOG (WM_SETFONT) get the default handling.
    return dialog ? dialog->handleMessage(message, wParam, lParam) : FALSE;
}
