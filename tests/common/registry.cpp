#include "tests/common/registry.h"

#include "base/handles.h"

RawValue units(const std::wstring& value, DWORD type) {
    const auto* first = reinterpret_cast<const BYTE*>(value.data());
    return {type, std::vector<BYTE>(first, first + value.size() * sizeof(wchar_t))};
}

Stored getRaw(HKEY root, const wchar_t* path, const wchar_t* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &opened) != ERROR_SUCCESS) return std::nullopt;
    const UniqueKey key(opened);
    RawValue value{REG_NONE, std::vector<BYTE>(4096)};
    DWORD bytes = 4096;
    if (RegQueryValueExW(key.get(), name, nullptr, &value.type, value.data.data(), &bytes))
        return std::nullopt;
    value.data.resize(bytes);
    return value;
}

void putRaw(HKEY root, const wchar_t* path, const wchar_t* name, const Stored& value) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr)) return;
    const UniqueKey key(created);
    if (!value) {
        RegDeleteValueW(key.get(), name);
        return;
    }
    // A buffer that goes on past the stored bytes keeps the registry from adding a terminator itself.
    std::vector<BYTE> buffer = value->data;
    buffer.insert(buffer.end(), {'X', 0});
    RegSetValueExW(key.get(), name, 0, value->type, buffer.data(), static_cast<DWORD>(value->data.size()));
}

static const wchar_t* keyOf(const std::wstring& name) {
    return name == L"newVersion" || name == L"localVersion" ? L"Software\\Microsoft\\Windows\\CurrentVersion"
                                                            : kRunKey;
}

Stored stored(const wchar_t* name) { return getRaw(HKEY_CURRENT_USER, keyOf(name), name); }

void store(const wchar_t* name, const Stored& value) { putRaw(HKEY_CURRENT_USER, keyOf(name), name, value); }
