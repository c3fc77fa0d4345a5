#pragma once

#include <windows.h>

#include <vector>

// One press of the upgrade button: compare the versions, confirm, tell the assistant, start the
// installer. The Chinese and the English flow differ in more than their texts.

enum class UpgradeStep {
    SayUpToDate,     // the two versions are the same text
    ShowVersions,    // installed and newest version
    Confirm,         // OK or Cancel
    Warn,            // the assistant may not work during the upgrade
    PostUpdate,      // the "UPDATE" notice
    StartInstaller,  // "C:/Ulmar/SonvaroSetup.exe" in the Chinese flow, "SonvaroSetup.exe" in the English one
    ReportFailure,   // the installer did not start
    OpenInstructions,
    CloseDialog,
};

// The steps of one press. Whether the user confirmed and whether the installer started only decide the
// steps after the one that found out.
std::vector<UpgradeStep> upgradeSteps(bool chinese, bool versionsDiffer, bool confirmed,
                                      bool installerStarted);

// Runs one press with its message boxes owned by `owner`. Returns true when the dialog is to close
// because the installer has started.
bool upgrade(HWND owner);
