#pragma once

#include <windows.h>

#include "base/handles.h"
#include "ui/dialog.h"

enum class Hotkey;

// The settings dialog: working mode, languages and hotkeys, each change stored at once; the help pages
// and the upgrade.
class CkestruneDlg : public Dialog {
public:
    explicit CkestruneDlg(HWND parent = nullptr);

protected:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL OnInitDialog();
    bool OnCommand(int id, int code);
    void OnPaint();
    void paintBackground(HDC dc);
    bool OnSysCommand(UINT id);
    HBRUSH OnCtlColorStatic(HDC dc, HWND control);

    void OnBnClickedReset();
    void OnBnClickedUpgrade();
    void OnBnClickedVoiceInput();
    void OnBnClickedVoiceTranslate();
    void OnCbnSelchangeHotkey(int listId, Hotkey key);

    void addAboutEntry();
    void setLabelTexts();
    void fillLists();
    void selectLanguages();
    void setButtonTexts();
    void applyScale();
    void showMode(int mode);
    void selectKey(int listId, int letter, int table);

    HICON m_hIcon;
    // The background picture of the interface language, which never changes while the dialog is open.
    const BITMAPINFO* background_ = nullptr;
    // The frame around the picture where the scale makes it more than a pixel wide.
    UniqueGdiObject<HPEN> framePen_;
};
