#include "tests/common/registry.h"

#include <gtest/gtest.h>

#include <iterator>

std::optional<RawValue> getRaw(HKEY root, const wchar_t* path, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    RawValue value;
    DWORD bytes = 0;
    LONG status = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &bytes);
    if (status == ERROR_SUCCESS) {
        value.data.resize(bytes);
        status = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &bytes);
        value.data.resize(bytes);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return value;
}

void setRaw(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    RegCloseKey(key);
}

void deleteValue(HKEY root, const wchar_t* path, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
}

void setText(const wchar_t* path, const wchar_t* name, const std::wstring& text) {
    setRaw(HKEY_CURRENT_USER, path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
}

std::optional<std::wstring> getText(const wchar_t* path, const wchar_t* name) {
    const auto raw = getRaw(HKEY_CURRENT_USER, path, name);
    if (!raw || raw->type != REG_SZ || raw->data.size() < 2 || raw->data.size() % 2) return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(raw->data.data()), raw->data.size() / 2);
    if (text.back() != L'\0') return std::nullopt;
    text.pop_back();
    return text;
}

SavedValues::SavedValues(HKEY root, const wchar_t* path, const std::vector<const wchar_t*>& names)
    : root_(root), path_(path) {
    for (const wchar_t* name : names) saved_.push_back({name, getRaw(root, path, name)});
}

SavedValues::~SavedValues() {
    for (const Saved& saved : saved_) {
        if (saved.value) {
            setRaw(root_, path_.c_str(), saved.name.c_str(), saved.value->type, saved.value->data.data(),
                   static_cast<DWORD>(saved.value->data.size()));
        } else {
            deleteValue(root_, path_.c_str(), saved.name.c_str());
        }
    }
}

std::map<std::wstring, std::optional<RawValue>> storedValues() {
    std::map<std::wstring, std::optional<RawValue>> values;
    for (const wchar_t* name : kSettingNames) values[name] = getRaw(HKEY_CURRENT_USER, kRunKey, name);
    for (const wchar_t* name : kVersionNames)
        values[name] = getRaw(HKEY_CURRENT_USER, kCurrentVersionKey, name);
    return values;
}

SavedSettings::SavedSettings()
    : settings_(HKEY_CURRENT_USER, kRunKey, {std::begin(kSettingNames), std::end(kSettingNames)}),
      versions_(HKEY_CURRENT_USER, kCurrentVersionKey, {std::begin(kVersionNames), std::end(kVersionNames)}) {
}
