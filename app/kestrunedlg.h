#pragma once

#include <windows.h>

#include "base/handles.h"
#include "ui/dialog.h"

enum class Hotkey;
enum class LanguageList;

// The settings dialog: working mode, languages and hotkeys, each change stored at once; the help pages
// and the upgrade.
class CkestruneDlg : public Dialog {
public:
    explicit CkestruneDlg(HWND parent = nullptr);

protected:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog();
    bool OnCommand(int id, int code);
    void OnPaint();
    void prepareBackground();
    void paintBackground(HDC dc);
    void drawBackground(HDC dc, const BITMAPINFO* picture, int artScale, HPEN framePen);
    bool OnSysCommand(UINT id);
    HBRUSH OnCtlColorStatic(HDC dc, HWND control);

    void OnReadAgain();
    void OnBnClickedReset();
    void OnBnClickedUpgrade();
    void OnBnClickedMode(int mode);
    void OnListNotification(int listId, int code);
    void OnListChosen(int listId);
    void OnLanguageChosen(int listId, LanguageList list);
    void OnHotkeyChosen(int listId, Hotkey key);
    void tellFailure();

    void addAboutEntry();
    void setLabelTexts();
    void fillLists();
    void setButtonTexts();
    void applyScale();
    void showSettings();
    void showMode(int mode);
    void showHotkeys();
    void showStoredRow(int listId);

    HICON m_hIcon;
    // False until the dialog has been shown: its first activation needs no second read of the settings.
    bool shown_ = false;
    // How deep the dialog is in handling messages, and whether it comes back to read the settings again.
    int handling_ = 0;
    bool readAgain_ = false;
    // The list whose row is chosen once it has closed; 0 for none.
    int choosingOnClose_ = 0;
    // The background picture of the interface language, which never changes while the dialog is open.
    const BITMAPINFO* background_ = nullptr;
    // Above 100 %: the picture with its frame at the dialog's scale.
    UniqueGdiObject<HBITMAP> scaledBackground_;
};
