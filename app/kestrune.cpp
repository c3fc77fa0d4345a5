#include "app/kestrune.h"

#include <windows.h>
#include <commctrl.h>

#include "app/kestrunedlg.h"
#include "res/resource.h"

CkestruneApp theApp;

bool CkestruneApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;  // 8
    controls.dwICC = 0xFF;              // every classic common-control class
    InitCommonControlsEx(&controls);

    CkestruneDlg dialog;
    dialog.DoModal();  // every change is stored as it is made: the result means nothing here
    return false;
}

CAboutDlg::CAboutDlg(HWND parent) : Dialog(IDD_ABOUTBOX, parent) {}
