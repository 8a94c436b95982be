#include "foundation/RegistryKey.h"

#include <gtest/gtest.h>
#include <cstring>
#include <set>
#include <string>

namespace {

const char kTestKey[] = "SOFTWARE\\OndrixTest\\RegistryKey";

class CRegistryKeyTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kTestKey) + "\\Other").c_str(), 0,
                                             nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
  }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\OndrixTest"); }
};

TEST_F(CRegistryKeyTest, OpenMissingKeyFailsWithTheSystemCode) {
  CRegistryKey key;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\OndrixTest\\Nothing"));
  EXPECT_EQ(nullptr, key.GetKey());
  EXPECT_STREQ("SOFTWARE\\OndrixTest\\Nothing", key.GetPath());
}

TEST_F(CRegistryKeyTest, ValuesRoundTripThroughTheRealRegistry) {
  CRegistryKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, kTestKey));
  EXPECT_EQ(ERROR_SUCCESS, key.SetString("SnapPath", "C:\\Snap\\黑体"));
  EXPECT_EQ(ERROR_SUCCESS, key.SetDWORD("ReservedSpace", 300));
  const BYTE blob[] = {1, 2, 3, 0, 5};
  EXPECT_EQ(ERROR_SUCCESS, key.SetBinary("BrowseFolderRect", blob, sizeof blob));

  // What another reader of the registry sees.
  char text[64] = {};
  DWORD size = sizeof text, type = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, kTestKey, "SnapPath", RRF_RT_ANY, &type, text, &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_STREQ("C:\\Snap\\黑体", text);
  EXPECT_EQ(std::strlen(text) + 1, size);
  BYTE raw[16];
  size = sizeof raw;
  ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, kTestKey, "BrowseFolderRect", RRF_RT_ANY, &type, raw, &size));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ(sizeof blob, size);

  CString s;
  EXPECT_EQ(ERROR_SUCCESS, key.QueryString("SnapPath", s));
  EXPECT_STREQ("C:\\Snap\\黑体", s);
  DWORD d = 0;
  EXPECT_EQ(ERROR_SUCCESS, key.QueryDWORD("ReservedSpace", d));
  EXPECT_EQ(300u, d);
  BYTE back[8] = {};
  DWORD backSize = sizeof back;
  EXPECT_EQ(ERROR_SUCCESS, key.QueryValue("BrowseFolderRect", back, &backSize));
  EXPECT_EQ(sizeof blob, backSize);
  EXPECT_EQ(5, back[4]);

  EXPECT_EQ(ERROR_SUCCESS, key.DeleteValue("SnapPath"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.DeleteValue("SnapPath"));
  s = "kept";
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryString("SnapPath", s));
  EXPECT_STREQ("kept", s);
  d = 7;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryDWORD("Missing", d));
  EXPECT_EQ(7u, d);
}

TEST_F(CRegistryKeyTest, StringsOf200BytesOrMoreFail) {
  CRegistryKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, kTestKey));
  struct Row { int length; LONG result; } rows[] = {{0, ERROR_SUCCESS}, {199, ERROR_SUCCESS}, {200, ERROR_MORE_DATA}, {500, ERROR_MORE_DATA}};
  for (auto& r : rows) {
    CString value('v', r.length);
    ASSERT_EQ(ERROR_SUCCESS, key.SetString("Long", value));
    CString out("before");
    EXPECT_EQ(r.result, key.QueryString("Long", out)) << r.length;
    EXPECT_STREQ(r.result == ERROR_SUCCESS ? (LPCSTR)value : "before", out) << r.length;
  }
}

TEST_F(CRegistryKeyTest, StringStoredWithoutTerminatorStaysInsideTheBuffer) {
  CRegistryKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, kTestKey));
  std::string raw(200, 'r');
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.GetKey(), "Raw", 0, REG_BINARY,
                                          reinterpret_cast<const BYTE*>(raw.data()), 200));
  CString out;
  EXPECT_EQ(ERROR_SUCCESS, key.QueryString("Raw", out));
  EXPECT_EQ(199, out.GetLength());
}

// Opening a second key closes the first handle instead of leaking it.
TEST_F(CRegistryKeyTest, ReopeningClosesTheOlderHandle) {
  CRegistryKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, kTestKey));
  HKEY first = key.GetKey();
  ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(first, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, (std::string(kTestKey) + "\\Other").c_str()));
  // Either the first handle was closed and its value reused, or it must be dead now.
  if (key.GetKey() != first) {
    EXPECT_NE(ERROR_SUCCESS, RegQueryInfoKeyA(first, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr));
  }
  // Leaked handles would each get a new value.
  std::set<HKEY> seen;
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, (std::string(kTestKey) + "\\Other").c_str()));
    seen.insert(key.GetKey());
  }
  EXPECT_LE(seen.size(), 2u);
  EXPECT_STREQ("SOFTWARE\\OndrixTest\\RegistryKey\\Other", key.GetPath());
  key.Close();
  EXPECT_EQ(nullptr, key.GetKey());
  key.Close();
  // A failed open leaves the key closed, not holding the older handle.
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, kTestKey));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\OndrixTest\\Nothing"));
  EXPECT_EQ(nullptr, key.GetKey());
}

}  // namespace
