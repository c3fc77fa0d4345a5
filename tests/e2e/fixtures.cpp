#include "tests/e2e/fixtures.h"

#include <cstdio>

namespace {

constexpr const wchar_t* kHttpsCommand = L"Software\\Classes\\https\\shell\\open\\command";
constexpr const wchar_t* kHttpCommand = L"Software\\Classes\\http\\shell\\open\\command";

}  // namespace

void DialogTest::SetUp() { ASSERT_TRUE(section_.valid()); }

void SettingsTest::store(const wchar_t* name, const wchar_t* text) {
    const bool version = std::wstring(name) == L"newVersion" || std::wstring(name) == L"localVersion";
    const wchar_t* key = version ? kCurrentVersionKey : kRunKey;
    if (text) {
        setText(key, name, text);
    } else {
        deleteValue(HKEY_CURRENT_USER, key, name);
    }
}

void SettingsTest::expectBox(const Program& program, const std::wstring& caption, const std::wstring& text,
                             bool withCancel, int answer) {
    const auto box = program.waitMessageBox();
    ASSERT_TRUE(box) << "no message box; expected: " << testing::PrintToString(text);
    EXPECT_EQ(box->caption, caption);
    EXPECT_EQ(box->text, text);
    EXPECT_TRUE(box->ok);
    EXPECT_EQ(box->cancel, withCancel);
    EXPECT_EQ(box->icon, !withCancel) << "information boxes have the icon, the confirmation has none";
    program.answer(*box, answer);
}

std::vector<std::wstring> readLogLines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return lines;
    std::string bytes;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, n);
    std::fclose(file);
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = bytes.substr(start, end - start);
        std::wstring wide(line.size(), L'\0');
        wide.resize(MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(),
                                        static_cast<int>(wide.size())));
        lines.push_back(wide);
    }
    return lines;
}

Recorder::Recorder()
    : https_(HKEY_LOCAL_MACHINE, kHttpsCommand, {L""}), http_(HKEY_LOCAL_MACHINE, kHttpCommand, {L""}) {
    const std::wstring command = L"\"" + testBinDir() + L"recorder.exe\" \"%1\"";
    for (const wchar_t* key : {kHttpsCommand, kHttpCommand}) {
        setRaw(HKEY_LOCAL_MACHINE, key, L"", REG_SZ, command.c_str(),
               static_cast<DWORD>((command.size() + 1) * 2));
    }
    DeleteFileW((testBinDir() + L"recorder.exe.log").c_str());
}

Recorder::~Recorder() {
    DeleteFileW((testBinDir() + L"recorder.exe.log").c_str());
    for (const std::wstring& path : installers_) {
        DeleteFileW(path.c_str());
        DeleteFileW((path + L".log").c_str());
    }
}

std::vector<std::wstring> Recorder::opened() {
    const std::wstring log = testBinDir() + L"recorder.exe.log";
    // The browser stand-in is a process of its own: give it time to write.
    for (int i = 0; i < 100 && GetFileAttributesW(log.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    Sleep(100);
    auto lines = readLogLines(log);
    DeleteFileW(log.c_str());
    return lines;
}

bool Recorder::placeInstaller(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!CopyFileW((testBinDir() + L"recorder.exe").c_str(), path.c_str(), TRUE)) return false;
    installers_.push_back(path);
    return true;
}

std::vector<std::wstring> Recorder::installerStarts(const std::wstring& path) {
    const std::wstring log = path + L".log";
    for (int i = 0; i < 100 && GetFileAttributesW(log.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    Sleep(100);
    return readLogLines(log);
}
