#include "app/kestrune.h"

#include <windows.h>
#include <commctrl.h>

#include "app/kestrunedlg.h"
#include "notify/process.h"
#include "res/resource.h"
#include "update/shell.h"

CkestruneApp theApp;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    theApp.InitInstance();
    return 0;
}

bool CkestruneApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;  // 8
    controls.dwICC = 0xFF;              // every classic common-control class
    InitCommonControlsEx(&controls);

    CkestruneDlg dialog;
    dialog.DoModal();  // every change is stored as it is made: the result means nothing here
    // However the dialog was closed, the assistant still hears of the last change before the program ends.
    waitNoticeDelivered();
    closeShell();
    return false;
}

CAboutDlg::CAboutDlg(HWND parent) : Dialog(IDD_ABOUTBOX, parent) {}
