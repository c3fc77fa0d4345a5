// Every unit test runs with this process's HKEY_CURRENT_USER redirected to a volatile scratch key that
// holds an empty settings key, so that no test touches a user's real logon programs.
#include <gtest/gtest.h>

#include "tests/common/registry.h"

namespace {

class ScratchCurrentUser : public testing::Environment {
    void SetUp() override {
        HKEY run = nullptr;
        ASSERT_FALSE(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, &scratch_, nullptr) ||
                     RegOverridePredefKey(HKEY_CURRENT_USER, scratch_) ||
                     RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, &run, nullptr));
        RegCloseKey(run);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(scratch_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());  // the key and all below it
    }
    const std::wstring path_ = L"Software\\SonvaroTests\\" + std::to_wstring(GetCurrentProcessId());
    HKEY scratch_ = nullptr;
};

[[maybe_unused]] testing::Environment* const scratch =
    testing::AddGlobalTestEnvironment(new ScratchCurrentUser);

}  // namespace
