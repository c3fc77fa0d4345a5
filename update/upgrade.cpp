#include <string>

#include "app/kestrunedlg.h"
#include "app/texts.h"
#include "notify/process.h"
#include "settings/state.h"
#include "update/helppages.h"
#include "update/shell.h"
#include "update/version.h"

namespace {

constexpr size_t kVersionMessageChars = 63;

bool started(HINSTANCE shellResult) { return reinterpret_cast<INT_PTR>(shellResult) > 32; }

HINSTANCE startInstaller(const wchar_t* path) { return shellOpen(path, SW_SHOWMAXIMIZED); }

}  // namespace

void CkestruneDlg::OnBnClickedUpgrade() {
    initVersionPaths();
    readLocalVersion();
    readNewVersion();
    if (!isVersionDifferent()) {
        messageBox(uiText(L"已经是最新版本", L"Already the latest version"), kCaption, MB_ICONINFORMATION);
        return;
    }
    std::wstring versions = std::wstring(L"version:") + localVersionText + L"\nnew version:" + versionText;
    if (versions.size() > kVersionMessageChars) versions.resize(kVersionMessageChars);

    if (uiLanguageFlag == 1) {
        messageBox(versions.c_str(), L"版本显示", MB_ICONINFORMATION);
        if (messageBox(L"即将升级，是否升级？", kCaption, MB_OKCANCEL) != IDOK) return;
        messageBox(L"!!! 注意!!! 升级期间软件可能无法正常使用,\n稍后安装成功可以使用", kCaption,
                   MB_ICONINFORMATION);
        noticeFlag = 2;
        if (started(startInstaller(L"C:/Ulmar/SonvaroSetup.exe"))) {
            noticeFlag = 2;
            // The program ends with the dialog: let the notice reach the assistant first.
            waitNoticeDelivered();
            EndDialog(IDCANCEL);
            return;
        }
        messageBox(L"升级失败\n稍后重新测试，或者下载最新安装包", kCaption, MB_ICONINFORMATION);
        openInstructionsPage();
        return;
    }

    messageBox(versions.c_str(), L"Version informations", MB_ICONINFORMATION);
    if (messageBox(L"Do you want to upgrade the software?", kCaption, MB_OKCANCEL) != IDOK) return;
    noticeFlag = 2;
    if (!started(startInstaller(L"SonvaroSetup.exe"))) {
        messageBox(L"Upgrade failed\nTry again later, or download the latest installer", kCaption,
                   MB_ICONINFORMATION);
        openInstructionsPage();
        return;
    }
    messageBox(
        L"!!! Warning !!! This software does not work properly during the upgrade, \nand it will work "
        L"normally after "
        L"the installation is successful.",
        kCaption, MB_ICONINFORMATION);
}
