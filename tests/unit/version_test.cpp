// The version texts: from the files beside the program, from the registry, and their comparison.
#include <gtest/gtest.h>

#include <process.h>

#include <cstdio>
#include <string>

#include "tests/common/registry.h"
#include "update/version.h"

namespace {

void writeFile(const std::wstring& path, const std::string& bytes) {
    std::FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void setText(wchar_t (&text)[kVersionTextChars], const wchar_t* value) {
    std::fill(std::begin(text), std::end(text), static_cast<wchar_t>(0xBDBD));
    wcscpy(text, value);
}

// A renamed copy of this test program, in a folder that the ANSI code page of an English system cannot
// spell and whose name holds the program's, reads the version file beside it.
TEST(VersionFiles, AreFoundBesideTheProgramWhateverItsFolderAndName) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring folder = testBinDir() + L"版本 SonvaroSet.exe";
    const std::wstring copy = folder + L"\\声控设置.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    writeFile(folder + L"\\version", "1.2.3");
    ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE));
    const std::wstring quoted = L"\"" + copy + L"\"";
    EXPECT_EQ(
        _wspawnl(_P_WAIT, copy.c_str(), quoted.c_str(), L"--gtest_filter=VersionFilesInCopy.*", nullptr), 0);
    DeleteFileW(copy.c_str());
    DeleteFileW((folder + L"\\version").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(VersionFilesInCopy, ReadsTheVersionFileBesideItself) {
    if (testBinDir().find(L"版本") == std::wstring::npos) GTEST_SKIP() << "runs in the copy only";
    initVersionPaths();
    EXPECT_EQ(std::wstring(moduleDir), testBinDir());
    setText(versionText, L"old");
    EXPECT_EQ(readFileTest(versionFilePath, versionText), 5);
    EXPECT_STREQ(versionText, L"1.2.3");
}

TEST(VersionFiles, GiveUpToThirtyTwoBytesAndKeepLineEnds) {
    const std::wstring path = testBinDir() + L"version-test";
    const struct {
        std::string bytes;
        int count;
        const wchar_t* text;
    } cases[] = {
        {"1.0.6\r\n", 7, L"1.0.6\r\n"},
        {std::string(1 << 20, '9'), 32, L"99999999999999999999999999999999"},
        {"0123456789abcdefghijklmnopqrstuvwxyzABCD", 32, L"0123456789abcdefghijklmnopqrstuv"},
        {std::string("1.2\0garbage", 11), 11, L"1.2"},
        {std::string("\0"
                     "1.2",
                     4),
         4, L""},
        {"", 0, L"old"},  // an empty file keeps the old text
    };
    for (const auto& row : cases) {
        writeFile(path, row.bytes);
        setText(versionText, L"old");
        EXPECT_EQ(readFileTest(path.c_str(), versionText), row.count) << row.bytes.substr(0, 40);
        EXPECT_STREQ(versionText, row.text);
    }
    DeleteFileW(path.c_str());
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    for (const std::wstring& name : {path, path + L"-missing"}) {
        EXPECT_EQ(readFileTest(name.c_str(), versionText), 0);
        EXPECT_STREQ(versionText, L"old") << "a folder or no file keeps the old text";
    }
    RemoveDirectoryW(path.c_str());
}

TEST(VersionValues, AreComparedAsExactTexts) {
    const struct {
        const wchar_t* newVersion;  // nullptr: missing
        const wchar_t* localVersion;
        int different;
    } cases[] = {
        {L"1.0.6", L"1.0.6", 0},           {L"1.0.5", L"1.0.6", 1}, {L"1.0.6", L"1.0.6 ", 1},
        {L"1.0.6a", L"1.0.6A", 1},         {nullptr, nullptr, 0},   {L"1.0.6", nullptr, 1},
        {L"1.0.6-0123456789", nullptr, 0},  // 16 characters read as empty
    };
    for (const auto& row : cases) {
        store(L"newVersion", row.newVersion);
        store(L"localVersion", row.localVersion);
        setText(versionText, L"from file");
        setText(localVersionText, L"from file");
        readLocalVersion();
        readNewVersion();
        const std::wstring newVersion = row.newVersion && wcslen(row.newVersion) <= 15 ? row.newVersion : L"";
        EXPECT_EQ(versionText, newVersion);
        EXPECT_EQ(localVersionText, std::wstring(row.localVersion ? row.localVersion : L""));
        EXPECT_EQ(isVersionDifferent(), row.different) << testing::PrintToString(newVersion);
    }
}

}  // namespace
