// Bad input and missing parts: the program shows its dialog, stays responsive, shows the defaults for
// what it cannot read, and loses nothing that was stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/fixtures.h"

namespace {

using Robustness = SettingsTest;

void storeEverywhere(DWORD type, const std::vector<BYTE>& bytes, DWORD count) {
    for (const wchar_t* name : kSettingNames) {
        setRaw(HKEY_CURRENT_USER, kRunKey, name, type, bytes.data(), count);
    }
    for (const wchar_t* name : kVersionNames) {
        setRaw(HKEY_CURRENT_USER, kCurrentVersionKey, name, type, bytes.data(), count);
    }
}

std::vector<BYTE> units(const std::wstring& text) {
    const auto* first = reinterpret_cast<const BYTE*>(text.data());
    return std::vector<BYTE>(first, first + text.size() * sizeof(wchar_t));
}

// What a start with nothing readable shows. Without the settings key nothing is loaded at all, and the
// target list shows the state's start-up row 0 instead of the English that an unreadable value gives.
void expectDefaults(const Program& program, int targetRow = 1) {
    EXPECT_EQ(program.selection(1001), 0);
    EXPECT_EQ(program.selection(1002), targetRow);
    EXPECT_EQ(program.selection(1011), 0);
    EXPECT_TRUE(program.checked(1018));
    EXPECT_FALSE(program.checked(1019));
    for (int list : {1012, 1014, 1015, 1017}) EXPECT_EQ(program.selection(list), -1) << "list " << list;
}

void closeWithEscape(Program& program) {
    program.key(VK_ESCAPE);
    EXPECT_TRUE(program.waitExit());
}

TEST_F(Robustness, UnreadableStoredValuesShowTheDefaultsAndStayAsTheyWere) {
    const struct {
        const char* what;
        DWORD type;
        std::vector<BYTE> bytes;
        // Bytes to store, when fewer than the buffer: a buffer that goes on with a character other than
        // NUL keeps the registry from terminating the text itself.
        DWORD count = 0xFFFFFFFF;
    } cases[] = {
        {"dword", REG_DWORD, {'o', 0, 'n', 0}},
        {"qword", REG_QWORD, {'o', 0, 'n', 0, 0, 0, 0, 0}},
        {"binary", REG_BINARY, units(std::wstring(L"English", 8))},
        {"no type", REG_NONE, units(std::wstring(L"English", 8))},
        {"zero length", REG_SZ, {}},
        {"odd byte count", REG_SZ, {'o', 0, 'n', 0, 0}},
        {"no terminator", REG_SZ, units(L"MWSBNMX"), 12},
        {"embedded NUL", REG_SZ, units(std::wstring(L"x\0English\0", 10))},
        {"16 characters", REG_SZ, units(std::wstring(L"Englishabcdefghi", 17))},
        {"200 characters", REG_SZ, units(std::wstring(200, L'W') + L'\0')},
        {"unpaired surrogates", REG_SZ,
         units(std::wstring(L"\xD800\xDC00\xDBFF"
                            L"English",
                            11))},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        storeEverywhere(row.type, row.bytes,
                        std::min<DWORD>(row.count, static_cast<DWORD>(row.bytes.size())));
        const auto before = storedValues();
        Program program;
        ASSERT_TRUE(program.dialog());
        expectDefaults(program);
        // Unreadable versions read as equal empty texts.
        program.click(1009);
        expectBox(program, L"Sonvaro", expected(L"已经是最新版本", L"Already the latest version"));
        closeWithEscape(program);
        EXPECT_TRUE(storedValues() == before) << "a stored value changed";
    }
}

TEST_F(Robustness, FifteenCharactersAreStillRead) {
    store(L"source", L"Cantonese123456");
    store(L"dest", L"Vietnamese12345");
    store(L"voiceText", L"English12345678");
    store(L"onoff", L"on0123456789abc");
    store(L"keySet", L"MPWBAB123456789");
    Program program;
    EXPECT_EQ(program.selection(1001), 2);
    EXPECT_EQ(program.selection(1002), 27);
    EXPECT_EQ(program.selection(1011), 1);
    EXPECT_TRUE(program.checked(1019));
    EXPECT_EQ(program.selection(1014), 2);
    EXPECT_EQ(program.selection(1012), 0);
    EXPECT_EQ(program.selection(1017), 0);
    EXPECT_EQ(program.selection(1015), 1);
}

bool runningOnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

bool settingsKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Takes the whole settings key away and puts it back, values and all, when it goes out of scope.
class RemovedSettingsKey {
public:
    RemovedSettingsKey() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
        wchar_t name[16384];
        for (DWORD index = 0;; ++index) {
            DWORD nameChars = 16384;
            DWORD type = 0, bytes = 0;
            if (RegEnumValueW(key, index, name, &nameChars, nullptr, &type, nullptr, &bytes) !=
                ERROR_SUCCESS) {
                break;
            }
            saved_.push_back({name, getRaw(HKEY_CURRENT_USER, kRunKey, name)});
        }
        RegCloseKey(key);
        RegDeleteTreeW(HKEY_CURRENT_USER, kRunKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kRunKey);  // where the tree call left the key itself
        removed_ = !settingsKeyExists();
    }
    ~RemovedSettingsKey() {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegCloseKey(key);
        for (const auto& [name, value] : saved_) {
            if (value) {
                setRaw(HKEY_CURRENT_USER, kRunKey, name.c_str(), value->type, value->data.data(),
                       static_cast<DWORD>(value->data.size()));
            }
        }
    }
    bool removed() const { return removed_; }

private:
    std::vector<std::pair<std::wstring, std::optional<RawValue>>> saved_;
    bool removed_ = false;
};

TEST_F(Robustness, WithoutTheSettingsKeyChangesAreRefusedSilently) {
    // The key also holds the programs a real user starts at logon: only Wine's throwaway prefix lends it.
    if (!runningOnWine()) GTEST_SKIP() << "removes the logon programs' key; runs under Wine only";
    SharedSection section;
    RemovedSettingsKey removed;
    ASSERT_TRUE(removed.removed());
    Program program;
    ASSERT_TRUE(program.dialog());
    expectDefaults(program, 0);
    program.click(1019);
    program.select(1002, 5);
    program.select(1014, 1);
    expectBox(program, L"Sonvaro", expected(L"修改成功", L"Setting completed"));
    program.click(1000);
    expectBox(program, L"Sonvaro", expected(L"恢复默认设置", L" Reset default"));
    EXPECT_FALSE(settingsKeyExists()) << "the store opens its key, never creates it";
    section.waitForRecord();
    EXPECT_EQ(section.record(), SharedSection::expectedRecord("HELLOO")) << "notices go out all the same";
    closeWithEscape(program);
}

TEST_F(Robustness, OddVersionFilesDoNotStopTheProgram) {
    const std::wstring folder = testBinDir();
    const struct {
        const char* what;
        std::string bytes;  // empty with makeFolder: a folder of that name
        bool makeFolder;
    } cases[] = {
        {"empty", "", false},
        {"binary", std::string("\x01\xFF\x00\x80\xFE\x00\x7F", 7), false},
        {"one MiB", std::string(1 << 20, '9'), false},
        {"a folder", "", true},
    };
    store(L"newVersion", L"1.0.6");
    store(L"localVersion", L"1.0.6");
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        for (const wchar_t* name : {L"version", L"LocalVersion"}) {
            const std::wstring path = folder + name;
            if (row.makeFolder) {
                ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
            } else if (std::FILE* file = _wfopen(path.c_str(), L"wb")) {
                std::fwrite(row.bytes.data(), 1, row.bytes.size(), file);
                std::fclose(file);
            }
        }
        {
            Program program;
            ASSERT_TRUE(program.dialog());
            program.click(1009);
            expectBox(program, L"Sonvaro", expected(L"已经是最新版本", L"Already the latest version"));
            closeWithEscape(program);
        }
        for (const wchar_t* name : {L"version", L"LocalVersion"}) {
            const std::wstring path = folder + name;
            if (row.makeFolder) {
                RemoveDirectoryW(path.c_str());
            } else {
                DeleteFileW(path.c_str());
            }
        }
    }
}

// The section is opened once, as the dialog starts: without a usable one then, no notice is written, and
// the dialog works on.
TEST_F(Robustness, AnUnusableSectionLeavesTheDialogWorking) {
    store(L"keySet", L"MWSBNM");
    const struct {
        const char* what;
        DWORD bytes;
        DWORD protect;
        bool createdAfterStart;
        unsigned char untouched;  // what the record holds when nothing was written
        bool mayBeWritten;        // Wine maps what Windows refuses: a short or read-only section
    } cases[] = {
        {"missing", 0, 0, false, 0, false},
        {"created after start", 1024, PAGE_READWRITE, true, SharedSection::kSentinel, false},
        {"too small to map", 512, PAGE_READWRITE, false, SharedSection::kSentinel, true},
        {"read-only", 1024, PAGE_READONLY, false, 0, true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        std::optional<SharedSection> section;
        if (row.bytes && !row.createdAfterStart) section.emplace(row.bytes, row.protect);
        Program program;
        ASSERT_TRUE(program.dialog());
        if (row.createdAfterStart) section.emplace(row.bytes, row.protect);
        for (int round = 0; round < 2; ++round) {
            program.select(1015, round);
            expectBox(program, L"Sonvaro", expected(L"修改成功", L"Setting completed"));
        }
        EXPECT_EQ(stored(L"keySet"), L"MWSBNB");
        Sleep(1200);  // two polling periods
        if (section) {
            const auto record = section->record();
            const bool untouched = record == std::vector<unsigned char>(32, row.untouched);
            const bool whole = record == SharedSection::expectedRecord("HELLOO");
            EXPECT_TRUE(untouched || (row.mayBeWritten && whole)) << "a torn or unexpected record";
        }
        closeWithEscape(program);
    }
}

TEST_F(Robustness, TwoInstancesEachStoreTheirOwnChanges) {
    SharedSection section;
    store(L"onoff", L"off");
    store(L"keySet", L"MWSBNM");
    Program first;
    Program second;
    ASSERT_TRUE(first.dialog() && second.dialog());
    ASSERT_NE(first.dialog(), second.dialog());
    first.click(1019);
    first.select(1002, 5);
    second.select(1011, 2);
    first.sync();
    second.sync();
    EXPECT_EQ(stored(L"onoff"), L"on");
    EXPECT_EQ(stored(L"dest"), L"Korean");
    EXPECT_EQ(stored(L"voiceText"), L"Cantonese");

    // Each hotkey patch reads the text as it is stored now, so the other instance's change stays.
    first.select(1014, 2);
    expectBox(first, L"Sonvaro", expected(L"修改成功", L"Setting completed"));
    second.select(1015, 0);
    expectBox(second, L"Sonvaro", expected(L"修改成功", L"Setting completed"));
    EXPECT_EQ(stored(L"keySet"), L"MPSBNA");
}

TEST_F(Robustness, RunsRenamedFromAFolderTheCodePageCannotSpell) {
    SharedSection section;
    store(L"keySet", L"MWSBNM");
    const std::wstring folder = testBinDir() + L"设置 工具";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\声控设置.exe";
    ASSERT_TRUE(CopyFileW((testBinDir() + L"SonvaroSet.exe").c_str(), copy.c_str(), FALSE));
    {
        Program program(folder, copy);
        ASSERT_TRUE(program.dialog());
        program.select(1017, 0);
        expectBox(program, L"Sonvaro", expected(L"修改成功", L"Setting completed"));
        EXPECT_EQ(stored(L"keySet"), L"MWSBAM");
        section.waitForRecord();
        EXPECT_EQ(section.record(), SharedSection::expectedRecord("HELLOO"));
        closeWithEscape(program);
    }
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
