#pragma once
// Registry values for tests, in HKEY_LOCAL_MACHINE's 32-bit or 64-bit view; the keys written are
// removed at the end of the scope. Writing HKEY_LOCAL_MACHINE is for throw-away Wine prefixes
// only: such tests skip, saying why, unless WINGFOLD_TEST_WRITES_REGISTRY=1 (scripts/test sets it).
#define WIN32_LEAN_AND_MEAN
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace wf::test {

inline bool MayWriteMachineRegistry() {
  const char* allowed = std::getenv("WINGFOLD_TEST_WRITES_REGISTRY");
  return allowed != nullptr && std::string(allowed) == "1";
}

#define WF_SKIP_UNLESS_REGISTRY_WRITABLE()                                              \
  if (!::wf::test::MayWriteMachineRegistry())                                           \
  GTEST_SKIP() << "writes HKEY_LOCAL_MACHINE: run it in a throw-away Wine prefix with " \
                  "WINGFOLD_TEST_WRITES_REGISTRY=1 (scripts/test does)"

class ScopedMachineKeys {
 public:
  ScopedMachineKeys() = default;
  ScopedMachineKeys(const ScopedMachineKeys&) = delete;
  ScopedMachineKeys& operator=(const ScopedMachineKeys&) = delete;
  ~ScopedMachineKeys() {
    for (const auto& [key, view] : written_) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), view, 0);
  }

  // `view`: KEY_WOW64_32KEY or KEY_WOW64_64KEY.
  void SetString(const std::string& key, const std::string& name, const std::string& value, REGSAM view) {
    Set(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1), view);
  }
  void SetNumber(const std::string& key, const std::string& name, DWORD value, REGSAM view) {
    Set(key, name, REG_DWORD, &value, sizeof value, view);
  }

 private:
  void Set(const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size,
           REGSAM view) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS)
        << key;
    written_.push_back({key, view});
    EXPECT_EQ(RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(handle);
  }

  std::vector<std::pair<std::string, REGSAM>> written_;
};

}
