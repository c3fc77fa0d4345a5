// Every unit test runs with this process's HKEY_CURRENT_USER redirected to a volatile scratch key that
// holds the settings key, so that no test reads or writes a user's real logon programs.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/registry.h"

namespace {

class ScratchCurrentUser : public testing::Environment {
public:
    void SetUp() override {
        path_ = L"Software\\SonvaroTests\\" + std::to_wstring(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &scratch_, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratch_), ERROR_SUCCESS);
        HKEY run = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &run, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(run);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(scratch_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    }

private:
    std::wstring path_;
    HKEY scratch_ = nullptr;
};

[[maybe_unused]] testing::Environment* const scratch =
    testing::AddGlobalTestEnvironment(new ScratchCurrentUser);

}  // namespace
