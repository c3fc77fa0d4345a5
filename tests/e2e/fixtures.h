#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/common/registry.h"
#include "tests/common/section.h"
#include "tests/e2e/driver.h"

// Every end-to-end test saves the settings the program reads and restores them afterwards.
class SettingsTest : public testing::Test {
protected:
    static void store(const wchar_t* name, const wchar_t* text);  // nullptr deletes the value
    static std::optional<std::wstring> stored(const wchar_t* name) { return getText(kRunKey, name); }

    // Answers the next box after checking its caption and text; fails when none comes.
    static void expectBox(const Program& program, const std::wstring& caption, const std::wstring& text,
                          bool withCancel = false, int answer = IDOK);

    SavedSettings saved_;
};

// ... and most give the program a shared section to write into, as the running assistant would.
class DialogTest : public SettingsTest {
protected:
    void SetUp() override;

    SharedSection section_;
};

// Captures what a started program opens: web addresses through the https handler, and the installer.
class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Lines "address<TAB>show state<TAB>working folder" logged since the last call.
    std::vector<std::wstring> opened();
    // Puts a recording installer at `path`; returns false when a real file is there already.
    bool placeInstaller(const std::wstring& path);
    std::vector<std::wstring> installerStarts(const std::wstring& path);

private:
    SavedValues https_;
    SavedValues http_;
    std::vector<std::wstring> installers_;
};

std::vector<std::wstring> readLogLines(const std::wstring& path);
