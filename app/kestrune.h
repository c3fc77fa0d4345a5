#pragma once

#include "ui/app.h"
#include "ui/dialog.h"

class CkestruneApp : public WinApp {
public:
    bool InitInstance() override;
};

// The about box: the icon, the program's name and version, and one button.
class CAboutDlg : public Dialog {
public:
    explicit CAboutDlg(HWND parent);
};
