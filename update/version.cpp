#include "update/version.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "settings/fileos.h"

namespace {

constexpr const char* kProgramFileName = "SonvaroSet.exe";

// Builds folder + name, or leaves the path empty when it would not fit: a cut path would name
// another file.
void joinPath(char (&path)[kVersionFilePathBytes], const char* folder, const char* name) {
    const int length = std::snprintf(path, sizeof path, "%s%s", folder, name);
    if (length < 0 || length >= static_cast<int>(sizeof path))
        path[0] = '\0';
}

void readVersionValue(const wchar_t* name, wchar_t (&destination)[kVersionTextChars]) {
    UniqueKey key = openKey(kVersionKeyPath);
    if (!key)
        return;
    ValueText szPath;
    readValue(key.get(), name, szPath);
    std::wcscpy(destination, szPath);
}

}  // namespace

void initVersionPaths() {
    std::memset(modulePath, 0, sizeof modulePath);
    std::memset(moduleDir, 0, sizeof moduleDir);
    const DWORD length = GetModuleFileNameW(nullptr, modulePath, kModulePathChars);
    if (length == 0 || length >= static_cast<DWORD>(kModulePathChars))
        modulePath[0] = L'\0';
    if (WideCharToMultiByte(CP_ACP, 0, modulePath, -1, moduleDir, kModuleDirBytes, nullptr, nullptr) == 0) {
        moduleDir[0] = '\0';
    }
    // Keep the folder with its backslash. A renamed copy of the program is cut after the last backslash.
    if (char* name = std::strstr(moduleDir, kProgramFileName)) {
        *name = '\0';
    } else if (char* slash = std::strrchr(moduleDir, '\\')) {
        slash[1] = '\0';
    }
    joinPath(versionFilePath, moduleDir, "version");
    joinPath(localVersionFilePath, moduleDir, "LocalVersion");
}

int readFileTest(const char* path, wchar_t (&destination)[kVersionTextChars]) {
    if (path[0] == '\0')
        return 0;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return 0;
    char bytes[kVersionFileBytes] = {};
    const size_t count = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    if (count == 0)
        return 0;

    const int length = static_cast<int>(strnlen(bytes, count));
    const int chars =
        length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, bytes, length, destination, kVersionTextChars - 1);
    destination[chars] = L'\0';
    return static_cast<int>(count);
}

void readNewVersion() {
    readVersionValue(L"newVersion", versionText);
}

void readLocalVersion() {
    readVersionValue(L"localVersion", localVersionText);
}

int isVersionDifferent() {
    return std::wcscmp(versionText, localVersionText) != 0 ? 1 : 0;
}
