#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "tests/common/paths.h"
#include "tests/common/registry.h"
#include "update/version.h"

namespace {

void writeFile(const std::wstring& path, const std::string& bytes) {
    std::FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void setVersionText(wchar_t (&text)[kVersionTextChars], const wchar_t* value) {
    std::fill(std::begin(text), std::end(text), static_cast<wchar_t>(0xBDBD));
    wcscpy(text, value);
}

TEST(VersionPaths, FilesAreLookedForBesideTheProgram) {
    initVersionPaths();
    const std::wstring folder = testBinDir();
    EXPECT_EQ(std::wstring(moduleDir), folder);
    EXPECT_EQ(std::wstring(versionFilePath), folder + L"version");
    EXPECT_EQ(std::wstring(localVersionFilePath), folder + L"LocalVersion");
}

// Runs copies of this test program, named as the settings tool and renamed, from a folder whose name
// the ANSI code page of an English system cannot spell; each copy reads a version file beside it.
TEST(VersionPaths, CopiesFindTheirFilesInAnyFolderUnderAnyName) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring folder = testBinDir() + L"版本 SonvaroSet.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    writeFile(folder + L"\\version", "1.2.3");
    for (const wchar_t* name : {L"SonvaroSet.exe", L"settings-copy.exe"}) {
        SCOPED_TRACE(testing::Message() << name);
        const std::wstring copy = folder + L"\\" + name;
        ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE));
        std::wstring command = L"\"" + copy + L"\" --gtest_filter=VersionPathsInCopy.*";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        DeleteFileW(copy.c_str());
        EXPECT_EQ(code, 0u);
    }
    DeleteFileW((folder + L"\\version").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(VersionPathsInCopy, ReadsTheVersionFileBesideItself) {
    const std::wstring folder = testBinDir();
    if (folder.find(L"版本") == std::wstring::npos) GTEST_SKIP() << "runs in the copies only";
    initVersionPaths();
    EXPECT_EQ(std::wstring(moduleDir), folder);
    setVersionText(versionText, L"old");
    EXPECT_EQ(readFileTest(versionFilePath, versionText), 5);
    EXPECT_STREQ(versionText, L"1.2.3");
}

class VersionFiles : public testing::Test {
protected:
    void SetUp() override {
        initVersionPaths();
        path_ = testBinDir() + L"version-test";
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }
    std::wstring path_;
};

TEST_F(VersionFiles, ReadsUpToThirtyTwoBytesAndKeepsLineEnds) {
    const struct {
        const char* what;
        std::string bytes;
        int count;
        const wchar_t* text;
    } cases[] = {
        {"CR LF kept", "1.0.6\r\n", 7, L"1.0.6\r\n"},
        {"40 bytes cut at 32", "0123456789abcdefghijklmnopqrstuvwxyzABCD", 32,
         L"0123456789abcdefghijklmnopqrstuv"},
        {"NUL ends the text", std::string("1.2\0garbage", 11), 11, L"1.2"},
        {"leading NUL",
         std::string("\0"
                     "1.2",
                     4),
         4, L""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        writeFile(path_, row.bytes);
        setVersionText(versionText, L"old");
        EXPECT_EQ(readFileTest(path_.c_str(), versionText), row.count);
        EXPECT_STREQ(versionText, row.text);
    }
}

TEST_F(VersionFiles, MissingOrEmptyFileKeepsTheOldText) {
    setVersionText(localVersionText, L"1.0.1");
    EXPECT_EQ(readFileTest((path_ + L"-missing").c_str(), localVersionText), 0);
    EXPECT_STREQ(localVersionText, L"1.0.1");
    writeFile(path_, "");
    EXPECT_EQ(readFileTest(path_.c_str(), localVersionText), 0);
    EXPECT_STREQ(localVersionText, L"1.0.1");
}

class VersionValues : public testing::Test {
protected:
    SavedSettings saved_;
};

TEST_F(VersionValues, ComparisonIsExactText) {
    const struct {
        const char* what;
        const wchar_t* newVersion;  // nullptr: value missing
        const wchar_t* localVersion;
        int different;
    } cases[] = {
        {"equal", L"1.0.6", L"1.0.6", 0},
        {"installed is newer", L"1.0.5", L"1.0.6", 1},
        {"trailing blank", L"1.0.6", L"1.0.6 ", 1},
        {"case", L"1.0.6a", L"1.0.6A", 1},
        {"both missing", nullptr, nullptr, 0},
        {"one missing", L"1.0.6", nullptr, 1},
        {"16 characters read as empty", L"1.0.6-0123456789", nullptr, 0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        for (auto [name, value] :
             {std::pair{L"newVersion", row.newVersion}, {L"localVersion", row.localVersion}}) {
            if (value) {
                setText(kCurrentVersionKey, name, value);
            } else {
                deleteValue(HKEY_CURRENT_USER, kCurrentVersionKey, name);
            }
        }
        setVersionText(versionText, L"from file");
        setVersionText(localVersionText, L"from file");
        readLocalVersion();
        readNewVersion();
        EXPECT_STREQ(versionText, row.newVersion && wcslen(row.newVersion) <= 15 ? row.newVersion : L"");
        EXPECT_STREQ(localVersionText, row.localVersion ? row.localVersion : L"");
        EXPECT_EQ(isVersionDifferent(), row.different);
    }
}

}  // namespace
