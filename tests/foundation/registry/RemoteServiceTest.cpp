#include "foundation/RemoteService.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kCommonKey[] = "SOFTWARE\\Veltrane\\Common";

std::string Backslashed(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string BinFolder() { return Backslashed(std::string(ONDRIX_BINARY_DIR) + "/bin"); }

std::string Var(const char* name) {
  char buf[1024];
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
  return n && n < sizeof buf ? std::string(buf, n) : std::string();
}

std::vector<DWORD> g_sleeps;
void RecordSleep(DWORD ms) { g_sleeps.push_back(ms); }

class RemoteServiceTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* v : {"QUILLET_STATE", "QUILLET_STATUS_RESULT", "QUILLET_START_RESULTS", "QUILLET_STOP_RESULT",
                          "QUILLET_CALLS"})
      SetEnvironmentVariableA(v, nullptr);
    g_sleeps.clear();
    SetRemoteServiceSleep(RecordSleep);
    SetFolder(BinFolder().c_str());
  }
  void TearDown() override {
    SetRemoteServiceSleep(nullptr);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCommonKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, "RemoteService");
      RegCloseKey(key);
    }
  }
  static void SetFolder(const char* folder) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCommonKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    if (folder)
      RegSetValueExA(key, "RemoteService", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                     static_cast<DWORD>(strlen(folder) + 1));
    else
      RegDeleteValueA(key, "RemoteService");
    RegCloseKey(key);
  }
};

struct StartCase {
  const char* name;
  const char* state;
  const char* statusResult;
  const char* startResults;
  int result;
  const char* calls;
  size_t sleeps;
};

TEST_F(RemoteServiceTest, StartFollowsTheServiceState) {
  const StartCase cases[] = {
      {"running already: not started again", "4", "1", "1", 1, "RSGetStatus;RSGetStatus;", 0},
      {"stopped: one start", "1", "1", "1", 1, "RSGetStatus;RSStart;RSGetStatus;", 0},
      {"first start fails: install, pause, one more start", "1", "1", "0,1", 1,
       "RSGetStatus;RSStart;RSInstall;RSStart;RSGetStatus;", 1},
      {"both starts fail: no further retries", "1", "1", "0,0,1", 0, "RSGetStatus;RSStart;RSInstall;RSStart;", 1},
      {"status query fails", "4", "0", "1", 0, "RSGetStatus;RSStart;RSGetStatus;", 0},
  };
  for (const StartCase& c : cases) {
    SetEnvironmentVariableA("QUILLET_STATE", c.state);
    SetEnvironmentVariableA("QUILLET_STATUS_RESULT", c.statusResult);
    SetEnvironmentVariableA("QUILLET_START_RESULTS", c.startResults);
    SetEnvironmentVariableA("QUILLET_CALLS", nullptr);
    g_sleeps.clear();
    EXPECT_EQ(c.result, StartRemoteService()) << c.name;
    EXPECT_EQ(c.calls, Var("QUILLET_CALLS")) << c.name;
    ASSERT_EQ(c.sleeps, g_sleeps.size()) << c.name;
    if (c.sleeps) {
      EXPECT_EQ(300u, g_sleeps[0]) << c.name;
    }
    EXPECT_EQ(nullptr, GetModuleHandleA("Quillet.dll")) << c.name << ": the library stays loaded";
  }
}

TEST_F(RemoteServiceTest, FolderWithTrailingBackslashStillLoads) {
  SetFolder((BinFolder() + "\\").c_str());
  EXPECT_EQ(1, StartRemoteService());
  EXPECT_EQ("RSGetStatus;RSStart;RSGetStatus;", Var("QUILLET_CALLS"));
}

TEST_F(RemoteServiceTest, NoFolderNoLibrary) {
  const char* folders[] = {nullptr, "", "Z:\\no\\such\\folder"};
  for (const char* folder : folders) {
    SetFolder(folder);
    EXPECT_EQ(0, StartRemoteService());
    EXPECT_EQ(0, StopRemoteService());
    EXPECT_EQ("", Var("QUILLET_CALLS"));
  }
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kCommonKey);
  EXPECT_EQ(0, StartRemoteService());
}

TEST_F(RemoteServiceTest, MissingExportCallsNothing) {
  SetFolder((BinFolder() + "\\quillet-nostart").c_str());
  EXPECT_EQ(0, StartRemoteService());
  EXPECT_EQ("", Var("QUILLET_CALLS"));
  EXPECT_EQ(nullptr, GetModuleHandleA("Quillet.dll"));
  EXPECT_EQ(1, StopRemoteService());
  EXPECT_EQ("RSStop;", Var("QUILLET_CALLS"));
}

TEST_F(RemoteServiceTest, StopGivesTheStopResult) {
  SetEnvironmentVariableA("QUILLET_STATE", "4");
  SetEnvironmentVariableA("QUILLET_STOP_RESULT", "7");
  EXPECT_EQ(7, StopRemoteService());
  EXPECT_EQ("RSStop;", Var("QUILLET_CALLS"));
  EXPECT_EQ("1", Var("QUILLET_STATE"));
  EXPECT_EQ(nullptr, GetModuleHandleA("Quillet.dll"));
}

}  // namespace
