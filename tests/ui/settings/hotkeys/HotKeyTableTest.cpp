#include "ui/settings/HotKeyTable.h"

#include <gtest/gtest.h>

#include <vector>

#include "HotKeyTestUtil.h"

namespace {

class HotKeyTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table.AddGroup("Watching");
        table.AddCommand(0, 1000, "Channel up", "Next channel");
        table.AddCommand(0, 1008, "Last channel", "");
        table.AddCommand(0, 1084, "Mute", "Sound off");
    }
    CHotKeyTable table;
};

}  // namespace

TEST_F(HotKeyTableTest, GroupsAndCommandsAreUniqueWithoutRegardToCase)
{
    EXPECT_EQ(-1, table.AddGroup(""));
    EXPECT_EQ(-1, table.AddGroup("WATCHING"));
    EXPECT_EQ(1, table.AddGroup("Sound"));
    EXPECT_EQ(-1, table.AddCommand(0, 2000, "", ""));
    EXPECT_EQ(-1, table.AddCommand(1, 2000, "MUTE", ""));
    EXPECT_EQ(-1, table.AddCommand(1, 1084, "Silence", ""));
    // The group index is kept as given.
    EXPECT_EQ(3, table.AddCommand(7, 2000, "Silence", "Quiet"));
    EXPECT_EQ(7u, table.GetCommand(3).group);

    EXPECT_EQ(1084u, table.FindCommand("mute"));
    EXPECT_EQ(CHotKeyTable::kNoCommand, table.FindCommand("Loud"));
    EXPECT_EQ("Next channel", std::string(table.GetDescription("CHANNEL UP")));
    EXPECT_EQ("", std::string(table.GetDescription("Loud")));
}

TEST_F(HotKeyTableTest, KeysAreBoundOnceWithTheirModifiersAndGoToTheHead)
{
    EXPECT_TRUE(table.AddKey(Accel(FVIRTKEY | FCONTROL, 'B', 1008), 0));
    // Ctrl+B is taken, whatever the command.
    EXPECT_FALSE(table.AddKey(Accel(FVIRTKEY | FCONTROL, 'B', 1000), 0));
    EXPECT_FALSE(table.AddKey(Accel(FVIRTKEY | FCONTROL, 'B', 1008), 0));
    EXPECT_TRUE(table.AddKey(Accel(FVIRTKEY | FCONTROL | FSHIFT, 'B', 1000), 0));
    // Without FVIRTKEY the key is stored with it, so it meets the binding above.
    EXPECT_FALSE(table.AddKey(Accel(FCONTROL, 'B', 1000), 0));
    EXPECT_TRUE(table.AddKey(Accel(0, VK_VOLUME_MUTE, 1084), 0));
    EXPECT_FALSE(table.AddKey(Accel(FVIRTKEY, 'X', 4444), 0));
    EXPECT_FALSE(table.AddKey(Accel(FVIRTKEY, 0, 1084), 0));

    EXPECT_EQ((std::vector<std::string>{ "1084:VK_MUTE", "1000:Ctrl+Shift+B", "1008:Ctrl+B" }), Bindings(table));
    POSITION pos = table.GetFirstKeyPosition();
    EXPECT_EQ(FVIRTKEY, table.GetNextKey(pos)->GetFlags());
}

TEST_F(HotKeyTableTest, RemoveKeyTakesTheCommandsBindingByKeyText)
{
    table.AddKey(Accel(FVIRTKEY, VK_PRIOR, 1000), 0);
    table.AddKey(Accel(FVIRTKEY, VK_UP, 1000), 0);
    table.AddKey(Accel(FVIRTKEY | FCONTROL, 'B', 1008), 0);
    EXPECT_FALSE(table.RemoveKey("Volume", "UP"));
    EXPECT_FALSE(table.RemoveKey("Last channel", "UP"));
    EXPECT_FALSE(table.RemoveKey("Channel up", "Ctrl+B"));
    EXPECT_TRUE(table.RemoveKey("channel UP", "up"));
    EXPECT_EQ((std::vector<std::string>{ "1008:Ctrl+B", "1000:PageUp" }), Bindings(table));
}

TEST_F(HotKeyTableTest, RemoveAllEmptiesEverything)
{
    table.AddKey(Accel(FVIRTKEY, 'A', 1084), 0);
    table.RemoveAll();
    EXPECT_EQ(0, table.GetGroupCount());
    EXPECT_EQ(0, table.GetCommandCount());
    EXPECT_EQ(0, table.GetKeyCount());
}

TEST_F(HotKeyTableTest, OwnerIsSetOnce)
{
    EXPECT_FALSE(table.SetOwner(nullptr));
    EXPECT_TRUE(table.SetOwner(SomeOwner()));
    int other = 0;
    EXPECT_FALSE(table.SetOwner(reinterpret_cast<CWnd*>(&other)));
    EXPECT_EQ(SomeOwner(), table.GetOwner());
}

TEST_F(HotKeyTableTest, AcceleratorsHoldTheBindingsHeadFirst)
{
    table.AddKey(Accel(FVIRTKEY | FCONTROL, 'B', 1008), 0);
    table.AddKey(Accel(FVIRTKEY, VK_UP, 1000), 0);
    EXPECT_FALSE(table.BuildAccelerators());
    EXPECT_EQ(nullptr, table.GetAccelerators());
    table.SetOwner(SomeOwner());
    ASSERT_TRUE(table.BuildAccelerators());
    ACCEL records[4] = {};
    ASSERT_EQ(2, CopyAcceleratorTableA(table.GetAccelerators(), records, 4));
    EXPECT_EQ(FVIRTKEY, records[0].fVirt & ~0x80);
    EXPECT_EQ(VK_UP, records[0].key);
    EXPECT_EQ(1000, records[0].cmd);
    EXPECT_EQ(FVIRTKEY | FCONTROL, records[1].fVirt & ~0x80);
    EXPECT_EQ('B', records[1].key);
    EXPECT_EQ(1008, records[1].cmd);
}

namespace {

std::vector<WPARAM> g_commands;

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_commands.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A plain window whose WM_COMMAND messages are recorded, and the key state of the thread.
class KeyTarget
{
public:
    KeyTarget()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordCommands;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "HotKeyTarget";
        RegisterClassA(&windowClass);
        m_window = CreateWindowA("HotKeyTarget", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        g_commands.clear();
    }
    ~KeyTarget()
    {
        Hold(0, false);
        DestroyWindow(m_window);
    }
    HWND window() const { return m_window; }

    void Hold(int key, bool down)
    {
        BYTE state[256] = {};
        GetKeyboardState(state);
        if (key)
            state[key] = down ? 0x80 : 0;
        else
            state[VK_CONTROL] = state[VK_SHIFT] = state[VK_MENU] = 0;
        SetKeyboardState(state);
    }

    // Whether the accelerators turned the key press into a command.
    bool Press(HACCEL accelerators, WORD key)
    {
        MSG message = { m_window, WM_KEYDOWN, key, 1 };
        return accelerators && TranslateAcceleratorA(m_window, accelerators, &message) != 0;
    }

private:
    HWND m_window;
};

}  // namespace

TEST_F(HotKeyTableTest, AcceleratorsTurnKeysIntoCommandsAndNoBindingsMeansNoKeys)
{
    KeyTarget target;
    ASSERT_NE(nullptr, target.window());
    table.SetOwner(SomeOwner());
    table.AddKey(Accel(FVIRTKEY, VK_UP, 1000), 0);
    table.AddKey(Accel(FVIRTKEY | FCONTROL, 'B', 1008), 0);
    ASSERT_TRUE(table.BuildAccelerators());

    EXPECT_TRUE(target.Press(table.GetAccelerators(), VK_UP));
    EXPECT_FALSE(target.Press(table.GetAccelerators(), 'B'));
    target.Hold(VK_CONTROL, true);
    EXPECT_TRUE(target.Press(table.GetAccelerators(), 'B'));
    target.Hold(VK_CONTROL, false);
    ASSERT_EQ(2u, g_commands.size());
    EXPECT_EQ(1000u, LOWORD(g_commands[0]));
    EXPECT_EQ(1u, HIWORD(g_commands[0]));
    EXPECT_EQ(1008u, LOWORD(g_commands[1]));

    // Once every key is removed, the old table must not keep translating them.
    table.RemoveKey("Channel up", "UP");
    table.RemoveKey("Last channel", "Ctrl+B");
    ASSERT_EQ(0, table.GetKeyCount());
    EXPECT_TRUE(table.BuildAccelerators());
    EXPECT_EQ(nullptr, table.GetAccelerators());
    EXPECT_FALSE(target.Press(table.GetAccelerators(), VK_UP));
    EXPECT_EQ(2u, g_commands.size());

    table.AddKey(Accel(FVIRTKEY, VK_DOWN, 1000), 0);
    ASSERT_TRUE(table.BuildAccelerators());
    EXPECT_TRUE(target.Press(table.GetAccelerators(), VK_DOWN));
}
