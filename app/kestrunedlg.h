#pragma once

#include <windows.h>

#include "ui/dialog.h"
#include "ui/handles.h"

// The settings dialog: working mode, languages and hotkeys. Each change is stored at once.
class CkestruneDlg : public Dialog {
public:
    explicit CkestruneDlg(HWND parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnPaint() override;
    bool OnSysCommand(UINT id, LPARAM lParam) override;
    HCURSOR OnQueryDragIcon() override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Control handlers, in the order of the command table.
    void OnBnClickedReset();
    void OnCbnSelchangeSource();
    void OnCbnSelchangeTarget();
    void OnCbnSelchangeVoiceLanguage();
    void OnBnClickedInstructions();
    void OnBnClickedLearnMore();
    void OnBnClickedUpgrade();
    void OnCbnSelchangeMouseSearchKey();
    void OnCbnSelchangeMouseInputKey();
    void OnCbnSelchangeKeyboardSearchKey();
    void OnCbnSelchangeKeyboardInputKey();
    void OnBnClickedVoiceInput();
    void OnBnClickedVoiceTranslate();

    void addAboutEntry();
    void setLabelTexts();
    void fillLists();
    void selectLanguages();
    void showStoredMode();
    void setButtonTexts();
    void enableModeLists(int mode);
    void selectKey(int listId, int letter, int table);
    void changeHotkey(int listId);
    HBRUSH labelBackground(HDC dc, HWND control);

    HICON m_hIcon;
    // Labels and radio buttons draw on the background picture: a brush of the same picture, aligned to
    // each control as it paints.
    UniqueBrush labelBrush_;
};
