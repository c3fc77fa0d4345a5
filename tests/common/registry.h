#pragma once

#include <windows.h>

#include <sddl.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/handles.h"

// Raw registry values for tests, so that any type and byte count can be stored and compared.

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const RawValue& other) const { return type == other.type && data == other.data; }
};
using Stored = std::optional<RawValue>;  // nullopt: the value is missing

// UTF-16 code units as they are, or with a terminator as the program stores a text.
inline RawValue units(const std::wstring& value, DWORD type = REG_SZ) {
    const auto* first = reinterpret_cast<const BYTE*>(value.data());
    return {type, std::vector<BYTE>(first, first + value.size() * sizeof(wchar_t))};
}
inline RawValue text(const std::wstring& value, DWORD type = REG_SZ) { return units(value + L'\0', type); }

inline Stored getRaw(HKEY root, const wchar_t* path, const wchar_t* name) {
    HKEY key = nullptr;
    RawValue value{REG_NONE, std::vector<BYTE>(4096)};
    DWORD bytes = 4096;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key)) return std::nullopt;
    const LONG status =
        RegQueryValueExW(UniqueKey(key).get(), name, nullptr, &value.type, value.data.data(), &bytes);
    value.data.resize(bytes);
    return status ? std::nullopt : Stored(value);
}

// Creates the key if need be; nullopt deletes the value.
inline void putRaw(HKEY root, const wchar_t* path, const wchar_t* name, const Stored& value) {
    // A buffer that goes on past the stored bytes keeps the registry from adding a terminator itself.
    std::vector<BYTE> buffer = value ? value->data : std::vector<BYTE>();
    buffer.insert(buffer.end(), {'X', 0});
    if (!value) RegDeleteKeyValueW(root, path, name);
    if (value) RegSetKeyValueW(root, path, name, value->type, buffer.data(), DWORD(buffer.size() - 2));
}

// The values the program reads under HKEY_CURRENT_USER, the versions one key above the settings.
inline const wchar_t* keyOf(const std::wstring& name) {
    return name == L"newVersion" || name == L"localVersion" ? L"Software\\Microsoft\\Windows\\CurrentVersion"
                                                            : kRunKey;
}
inline Stored stored(const wchar_t* name) { return getRaw(HKEY_CURRENT_USER, keyOf(name), name); }
inline void store(const wchar_t* name, const Stored& value) {
    putRaw(HKEY_CURRENT_USER, keyOf(name), name, value);
}
inline void store(const wchar_t* name, const wchar_t* value) {
    store(name, value ? Stored(text(value)) : std::nullopt);
}
inline void store(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
    for (const auto& [name, value] : values) store(name, value);
}

// Every value the program reads, none of them there while the object lives and put back as they were after.
class SavedSettings {
public:
    static constexpr const wchar_t* kNames[] = {L"source", L"dest",       L"voiceText",   L"onoff",
                                                L"keySet", L"newVersion", L"localVersion"};
    SavedSettings() {
        for (const wchar_t* name : kNames) saved_.push_back(stored(name));
        for (const wchar_t* name : kNames) store(name, nullptr);
    }
    ~SavedSettings() {
        for (size_t i = 0; i < saved_.size(); ++i) store(kNames[i], saved_[i]);
    }

private:
    std::vector<Stored> saved_;
};

// While it lives, everyone may read the settings key and nobody change it; its access list goes back after.
struct SettingsKeyReadOnly {
    UniqueKey key = [] {
        HKEY opened = nullptr;
        RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, READ_CONTROL | WRITE_DAC, &opened);
        return UniqueKey(opened);
    }();
    std::vector<BYTE> saved = std::vector<BYTE>(4096);
    SettingsKeyReadOnly() {
        PSECURITY_DESCRIPTOR readOnly = nullptr;
        DWORD bytes = 4096;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly,
                                                             nullptr);
        // Only an access list that can be put back is changed.
        if (!RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, saved.data(), &bytes))
            RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, readOnly);
        LocalFree(readOnly);
    }
    ~SettingsKeyReadOnly() { RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, saved.data()); }
};

// The test program's folder, with its backslash: where SonvaroSet.exe and the helper programs are too.
inline std::wstring testBinDir() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1);
}
