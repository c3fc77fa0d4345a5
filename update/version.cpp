#include "update/version.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "settings/fileos.h"

namespace {

// Builds folder + name, or leaves the path empty without a folder or when it would not fit: a cut
// path would name another file.
void joinPath(wchar_t (&path)[kModulePathChars], const wchar_t* folder, const wchar_t* name) {
    path[0] = L'\0';
    if (folder[0] == L'\0' ||
        std::wcslen(folder) + std::wcslen(name) >= static_cast<size_t>(kModulePathChars)) {
        return;
    }
    std::wcscpy(path, folder);
    std::wcscat(path, name);
}

void readVersionValue(const wchar_t* name, wchar_t (&destination)[kVersionTextChars]) {
    UniqueKey key = openKey(kVersionKeyPath, kReadAccess);
    if (!key) return;
    ValueText szPath;
    readValue(key.get(), name, szPath);
    std::wcscpy(destination, szPath);
}

}  // namespace

void initVersionPaths() {
    std::memset(modulePath, 0, sizeof modulePath);
    std::memset(moduleDir, 0, sizeof moduleDir);
    const DWORD length = GetModuleFileNameW(nullptr, modulePath, kModulePathChars);
    if (length == 0 || length >= static_cast<DWORD>(kModulePathChars)) modulePath[0] = L'\0';
    // The folder with its backslash: everything before the program's file name, whatever that name is,
    // so that a renamed copy finds its files too.
    std::wcscpy(moduleDir, modulePath);
    if (wchar_t* slash = std::wcsrchr(moduleDir, L'\\')) {
        slash[1] = L'\0';
    } else {
        moduleDir[0] = L'\0';
    }
    joinPath(versionFilePath, moduleDir, L"version");
    joinPath(localVersionFilePath, moduleDir, L"LocalVersion");
}

int readFileTest(const wchar_t* path, wchar_t (&destination)[kVersionTextChars]) {
    if (path[0] == L'\0') return 0;
    std::FILE* file = _wfopen(path, L"rb");
    if (!file) return 0;
    char bytes[kVersionFileBytes] = {};
    const size_t count = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    if (count == 0) return 0;

    // Exactly the bytes read, up to the first NUL: a full buffer has no terminator of its own.
    const int length = static_cast<int>(strnlen(bytes, count));
    const int chars =
        length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, bytes, length, destination, kVersionTextChars - 1);
    destination[chars] = L'\0';
    return static_cast<int>(count);
}

void readNewVersion() { readVersionValue(L"newVersion", versionText); }

void readLocalVersion() { readVersionValue(L"localVersion", localVersionText); }

int isVersionDifferent() { return std::wcscmp(versionText, localVersionText) != 0 ? 1 : 0; }
