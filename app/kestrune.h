#pragma once

#include "ui/dialog.h"

// The application: start-up shows the settings dialog and the program ends when it closes.
class CkestruneApp {
public:
    // Always false: a dialog program has no message loop of its own to run afterwards.
    bool InitInstance();
};

// The about box: the icon, the program's name and version, and one button.
class CAboutDlg : public Dialog {
public:
    explicit CAboutDlg(HWND parent);
};
