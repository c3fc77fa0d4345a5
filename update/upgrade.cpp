#include "update/upgrade.h"

#include <string>

#include "notify/process.h"
#include "settings/state.h"
#include "update/helppages.h"
#include "update/shell.h"
#include "update/version.h"

std::vector<UpgradeStep> upgradeSteps(bool chinese, bool versionsDiffer, bool confirmed,
                                      bool installerStarted) {
    using Step = UpgradeStep;
    if (!versionsDiffer) return {Step::SayUpToDate};
    if (!confirmed) return {Step::ShowVersions, Step::Confirm};
    if (chinese) {
        // The warning comes first, and the program ends once the installer runs.
        if (installerStarted) {
            return {Step::ShowVersions, Step::Confirm,        Step::Warn,
                    Step::PostUpdate,   Step::StartInstaller, Step::CloseDialog};
        }
        return {Step::ShowVersions,    Step::Confirm,        Step::Warn,
                Step::PostUpdate,      Step::StartInstaller, Step::ReportFailure,
                Step::OpenInstructions};
    }
    if (installerStarted) {
        return {Step::ShowVersions, Step::Confirm, Step::PostUpdate, Step::StartInstaller, Step::Warn};
    }
    return {Step::ShowVersions,   Step::Confirm,       Step::PostUpdate,
            Step::StartInstaller, Step::ReportFailure, Step::OpenInstructions};
}

bool upgrade(HWND owner) {
    initVersionPaths();
    readLocalVersion();
    readNewVersion();
    const bool chinese = uiLanguageFlag == 1;
    const bool versionsDiffer = isVersionDifferent() != 0;
    const auto inform = [owner](const wchar_t* text) {
        MessageBoxW(owner, text, kCaption, MB_ICONINFORMATION);
    };

    // Until a question is answered, only the steps before it are known; they do not depend on it.
    bool confirmed = true;
    bool installerStarted = true;
    for (size_t done = 0;; ++done) {
        const std::vector<UpgradeStep> steps =
            upgradeSteps(chinese, versionsDiffer, confirmed, installerStarted);
        if (done == steps.size()) return false;
        switch (steps[done]) {
            case UpgradeStep::SayUpToDate:
                inform(uiText(L"已经是最新版本", L"Already the latest version"));
                break;
            case UpgradeStep::ShowVersions: {
                std::wstring versions =
                    std::wstring(L"version:") + localVersionText + L"\nnew version:" + versionText;
                if (versions.size() > 63) versions.resize(63);
                MessageBoxW(owner, versions.c_str(), uiText(L"版本显示", L"Version informations"),
                            MB_ICONINFORMATION);
                break;
            }
            case UpgradeStep::Confirm:
                confirmed =
                    MessageBoxW(owner,
                                uiText(L"即将升级，是否升级？", L"Do you want to upgrade the software?"),
                                kCaption, MB_OKCANCEL) == IDOK;
                break;
            case UpgradeStep::Warn:
                inform(uiText(L"!!! 注意!!! 升级期间软件可能无法正常使用,\n稍后安装成功可以使用",
                              L"!!! Warning !!! This software does not work properly during the upgrade, \n"
                              L"and it will work normally after the installation is successful."));
                break;
            case UpgradeStep::PostUpdate:
                postNotice(2);
                break;
            case UpgradeStep::StartInstaller: {
                const HINSTANCE result =
                    shellOpen(chinese ? L"C:/Ulmar/SonvaroSetup.exe" : L"SonvaroSetup.exe", SW_SHOWMAXIMIZED);
                installerStarted = reinterpret_cast<INT_PTR>(result) > 32;
                break;
            }
            case UpgradeStep::ReportFailure:
                inform(uiText(L"升级失败\n稍后重新测试，或者下载最新安装包",
                              L"Upgrade failed\nTry again later, or download the latest installer"));
                break;
            case UpgradeStep::OpenInstructions:
                openInstructionsPage();
                break;
            case UpgradeStep::CloseDialog:
                return true;
        }
    }
}
