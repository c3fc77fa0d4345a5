#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// Registry helpers for tests. Every test that changes HKCU values holds a SavedValues for them, so the
// suite leaves a developer's own settings as it found them.

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kCurrentVersionKey = L"Software\\Microsoft\\Windows\\CurrentVersion";
// Every value the settings tool reads: the settings under kRunKey, the versions under kCurrentVersionKey.
constexpr const wchar_t* kSettingNames[] = {L"source", L"dest", L"voiceText", L"onoff", L"keySet"};
constexpr const wchar_t* kVersionNames[] = {L"newVersion", L"localVersion"};

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
inline bool operator==(const RawValue& a, const RawValue& b) { return a.type == b.type && a.data == b.data; }

std::optional<RawValue> getRaw(HKEY root, const wchar_t* path, const wchar_t* name);
void setRaw(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD bytes);
void deleteValue(HKEY root, const wchar_t* path, const wchar_t* name);

// Stores text with its terminator as REG_SZ under HKCU.
void setText(const wchar_t* path, const wchar_t* name, const std::wstring& text);
// The REG_SZ text under HKCU, or nullopt when the value is missing or of another type or unterminated.
std::optional<std::wstring> getText(const wchar_t* path, const wchar_t* name);

class SavedValues {
public:
    SavedValues(HKEY root, const wchar_t* path, const std::vector<const wchar_t*>& names);
    ~SavedValues();
    SavedValues(const SavedValues&) = delete;
    SavedValues& operator=(const SavedValues&) = delete;

private:
    struct Saved {
        std::wstring name;
        std::optional<RawValue> value;
    };
    HKEY root_;
    std::wstring path_;
    std::vector<Saved> saved_;
};

// Every value the settings tool reads, raw, by name (nullopt: missing).
std::map<std::wstring, std::optional<RawValue>> storedValues();

// Saves every value the settings tool reads under HKCU.
class SavedSettings {
public:
    SavedSettings();

private:
    SavedValues settings_;
    SavedValues versions_;
};
