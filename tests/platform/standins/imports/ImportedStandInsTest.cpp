// The stand-ins of the outside libraries that the program imports at load time.
#include <gtest/gtest.h>

#include <vector>

#include "platform/standins/dm1105/DM1105.h"
#include "platform/standins/grenvil/Grenvil.h"

namespace {

TEST(DM1105, KeepsAnEepromAndPortsWithAddressesWrapping) {
  BYTE erased[2] = {};
  EXPECT_TRUE(ReadEEPROM(10, erased, 2));
  EXPECT_EQ(0xFF, erased[0]);
  EXPECT_EQ(0xFF, erased[1]);

  const BYTE written[3] = {1, 2, 3};
  EXPECT_TRUE(WriteEEPROM(254, written, 3));
  BYTE read[3] = {};
  EXPECT_TRUE(ReadEEPROM(254, read, 3));
  EXPECT_EQ(std::vector<BYTE>(written, written + 3), std::vector<BYTE>(read, read + 3));
  BYTE wrapped = 0;
  EXPECT_TRUE(ReadEEPROM(0, &wrapped, 1));
  EXPECT_EQ(3, wrapped);

  EXPECT_FALSE(ReadEEPROM(0, nullptr, 1));
  EXPECT_FALSE(ReadEEPROM(0, read, 0));
  EXPECT_FALSE(WriteEEPROM(0, nullptr, 1));
  EXPECT_TRUE(WritePortBYTE(24, 0x90));
  EXPECT_FALSE(WritePortBYTE(256, 0));
}

void __cdecl KeyCallback(DWORD, DWORD) {}

TEST(DM1105, RegistersOneKeyCallback) {
  EXPECT_FALSE(RegIRkeyCallback(nullptr, 0, nullptr));
  int context = 0;
  EXPECT_TRUE(RegIRkeyCallback(&KeyCallback, 0, &context));
  EXPECT_TRUE(UnregIRkeyCallback());
}

// Presses OK in the settings box as soon as it is activated.
LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE)
    PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Grenvil, ShowsTheCodecSettingsModally) {
  HHOOK hook = SetWindowsHookExA(WH_CBT, &AnswerBox, nullptr, GetCurrentThreadId());
  EXPECT_EQ(IDOK, XD_ShowVCMDialog(nullptr));
  UnhookWindowsHookEx(hook);
}

}  // namespace
