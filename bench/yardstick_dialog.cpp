// A dialog program with nothing behind its template, for the benchmark to measure the settings tool
// against. Built twice: with a plain template of five controls (baseline-dialog), and with the settings
// dialog's own template, manifest and common controls (template-dialog).
#include <windows.h>
#include <commctrl.h>

namespace {

INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef WITH_COMMON_CONTROLS
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
#endif
    DialogBoxParamW(instance, MAKEINTRESOURCEW(DIALOG_ID), nullptr, dialogProc, 0);
    return 0;
}
