#include "ui/settings/HotKeyDefaults.h"
#include "ui/settings/HotKeyTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HotKeyTestUtil.h"
#include "tests/foundation/ini/IniTestFiles.h"

namespace {

std::string TestPath(const char* name)
{
    std::string dir = std::string(ONDRIX_BINARY_DIR) + "/testdata";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "/hotkeys";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "/" + name;
}

std::string Golden(const char* name)
{
    return ReadBytes(std::string(ONDRIX_TEST_DIR) + "/" + name);
}

// One group "A", one command (group 0, id 1000, "N", no description), Ctrl+B bound to it.
void FillOneBinding(CHotKeyTable& table)
{
    table.AddGroup("A");
    table.AddCommand(0, 1000, "N", "");
    table.AddKey(Accel(FCONTROL, 0x42, 1000), 0);
}

std::string Le16(unsigned v)
{
    return std::string{ char(v & 0xFF), char(v >> 8) };
}
std::string Le32(unsigned v)
{
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}

}  // namespace

TEST(HotKeyFileTest, OneBindingIsStoredAsTheKnownBytes)
{
    CHotKeyTable table;
    FillOneBinding(table);
    const std::string path = TestPath("one-binding.accel");
    ASSERT_TRUE(table.SaveFile(path.c_str()));
    EXPECT_EQ(Golden("one-binding.accel"), ReadBytes(path));
    EXPECT_EQ("<missing>", ReadBytes(path + ".tmp"));

    CHotKeyTable loaded;
    ASSERT_TRUE(loaded.LoadFile((std::string(ONDRIX_TEST_DIR) + "/one-binding.accel").c_str()));
    ASSERT_EQ(1, loaded.GetGroupCount());
    EXPECT_EQ("A", std::string(loaded.GetGroupName(0)));
    ASSERT_EQ(1, loaded.GetCommandCount());
    EXPECT_EQ(1000, loaded.GetCommand(0).command);
    EXPECT_EQ("N", std::string(loaded.GetCommand(0).name));
    EXPECT_EQ((std::vector<std::string>{ "1000:Ctrl+B" }), Bindings(loaded));
}

TEST(HotKeyFileTest, LongTextsUseTheLongerLengthForms)
{
    // Lengths 254 and 255 either side of the one-byte form; 0xFFFE needs the four-byte form.
    const std::string name254(254, 'n'), description255(255, 'd'), group(0xFFFE, 'g');
    CHotKeyTable table;
    table.AddGroup(group.c_str());
    table.AddCommand(3, 1234, name254.c_str(), description255.c_str());
    table.AddKey(Accel(FVIRTKEY | FALT, VK_F4, 1234), 0);
    table.AddKey(Accel(FVIRTKEY, VK_F4, 1234), 0);
    const std::string path = TestPath("long-texts.accel");
    ASSERT_TRUE(table.SaveFile(path.c_str()));

    const std::string expected = Le16(1) + "\xFF" + Le16(0xFFFF) + Le32(0xFFFE) + group + Le32(1) + Le32(3) +
                                 Le16(1234) + "\xFE" + name254 + "\xFF" + Le16(255) + description255 + Le32(2) +
                                 std::string("\x01", 1) + Le16(VK_F4) + Le16(1234) + Le16(0) + "\x11" + Le16(VK_F4) +
                                 Le16(1234) + Le16(0);
    EXPECT_EQ(expected, ReadBytes(path));

    CHotKeyTable loaded;
    ASSERT_TRUE(loaded.LoadFile(path.c_str()));
    EXPECT_EQ(group, std::string(loaded.GetGroupName(0)));
    EXPECT_EQ(name254, std::string(loaded.GetCommand(0).name));
    EXPECT_EQ(description255, std::string(loaded.GetCommand(0).description));
    // The file keeps the list order, so a load gives the same order back.
    EXPECT_EQ(Bindings(table), Bindings(loaded));
}

TEST(HotKeyFileTest, FileCutShortKeepsTheWholeEntriesBeforeTheCut)
{
    const std::string whole = Golden("one-binding.accel");
    ASSERT_EQ(28u, whole.size());
    const std::string path = TestPath("cut.accel");
    for (size_t length = 0; length < whole.size(); ++length)
    {
        WriteBytes(path, whole.substr(0, length));
        CHotKeyTable table;
        table.AddGroup("stale");
        EXPECT_FALSE(table.LoadFile(path.c_str())) << length;
        // The group name ends at byte 4, the command at byte 17, the binding at byte 28.
        EXPECT_EQ(length >= 4 ? 1 : 0, table.GetGroupCount()) << length;
        EXPECT_EQ(length >= 17 ? 1 : 0, table.GetCommandCount()) << length;
        EXPECT_EQ(0, table.GetKeyCount()) << length;
    }
}

TEST(HotKeyFileTest, CountsAndLengthsBeyondTheFileAreDamage)
{
    const std::string group = Le16(1) + "\x01"
                                        "A";
    const std::string command = Le32(1) + Le32(0) + Le16(1000) +
                                "\x01"
                                "N" +
                                std::string(1, '\0');
    const std::string binding = std::string("\x09", 1) + Le16('B') + Le16(1000) + Le16(0);
    struct Damage
    {
        const char* name;
        std::string bytes;
        int groups, commands, keys;
    } cases[] = {
        { "group count in four bytes",
          Le16(0xFFFF) + Le32(0x7FFFFFFF) +
              "\x01"
              "A",
          1, 0, 0 },
        { "group name longer than the file", Le16(1) + "\xFF" + Le16(0xFFFF) + Le32(0x7FFFFFFF) + "xyz", 0, 0, 0 },
        { "group name of 0xFFFE", Le16(1) + "\xFF" + Le16(0xFFFE) + "xyz", 0, 0, 0 },
        { "command count too large",
          group + Le32(0xFFFFFFFF) + Le32(0) + Le16(1000) +
              "\x01"
              "N" +
              std::string(1, '\0'),
          1, 1, 0 },
        { "description longer than the file",
          group + Le32(1) + Le32(0) + Le16(1000) +
              "\x01"
              "N"
              "\x40"
              "abc",
          1, 0, 0 },
        { "binding count too large", group + command + Le32(0x20000000) + binding, 1, 1, 1 },
    };
    const std::string path = TestPath("damaged.accel");
    for (const Damage& d : cases)
    {
        WriteBytes(path, d.bytes);
        CHotKeyTable table;
        EXPECT_FALSE(table.LoadFile(path.c_str())) << d.name;
        EXPECT_EQ(d.groups, table.GetGroupCount()) << d.name;
        EXPECT_EQ(d.commands, table.GetCommandCount()) << d.name;
        EXPECT_EQ(d.keys, table.GetKeyCount()) << d.name;
    }
    CHotKeyTable table;
    EXPECT_FALSE(table.LoadFile(TestPath("no-such.accel").c_str()));
}

TEST(HotKeyFileTest, DefaultsHoldTheCommandsAndKeysOfANewTable)
{
    CHotKeyTable table;
    table.AddGroup("stale");
    FillDefaultHotKeys(table);
    ASSERT_EQ(2, table.GetGroupCount());
    EXPECT_EQ("Watching", std::string(table.GetGroupName(0)));
    EXPECT_EQ("Sound and picture", std::string(table.GetGroupName(1)));
    ASSERT_EQ(29, table.GetCommandCount());
    EXPECT_EQ(1000, table.GetCommand(0).command);
    EXPECT_EQ("Channel up", std::string(table.GetCommand(0).name));
    EXPECT_EQ("Next channel", std::string(table.GetCommand(0).description));
    EXPECT_EQ(1u, table.GetCommand(11).group);
    EXPECT_EQ(32894, table.GetCommand(11).command);
    EXPECT_EQ(4237, table.GetCommand(28).command);
    EXPECT_EQ("Add a scheduled task", std::string(table.GetCommand(28).description));

    // Each default key goes to the head, so the list runs from the last added to the first.
    const std::vector<std::string> expected = { "4236:Ctrl+N",
                                                "1164:Ctrl+G",
                                                "1202:Ctrl+Alt+S",
                                                "1016:Ctrl+Alt+F",
                                                "1005:Ctrl+Alt+V",
                                                "32904:LEFT",
                                                "32904:VK_VOL-",
                                                "32903:RIGHT",
                                                "32903:VK_VOL+",
                                                "32895:Alt+RETURN",
                                                "32894:T",
                                                "1100:Ctrl+I",
                                                "1099:Ctrl+O",
                                                "1099:Ctrl+M",
                                                "1099:Ctrl+Shift+T",
                                                "1099:Ctrl+E",
                                                "1103:A",
                                                "1101:Ctrl+Shift+H",
                                                "1084:VK_MUTE",
                                                "1105:Alt+F4",
                                                "1007:Ctrl+Shift+J",
                                                "34157:Ctrl+T",
                                                "1004:Ctrl+Shift+W",
                                                "4237:Ctrl+Shift+S",
                                                "1163:Ctrl+P",
                                                "1003:Ctrl+R",
                                                "1002:Ctrl+Shift+C",
                                                "1008:Ctrl+B",
                                                "1000:UP",
                                                "1000:PageUp",
                                                "1001:DOWN",
                                                "1001:PageDown" };
    EXPECT_EQ(expected, Bindings(table));
}

TEST(HotKeyFileTest, MissingOrDamagedFileIsReplacedByTheDefaults)
{
    const std::string path = TestPath("Accel");
    DeleteFileA(path.c_str());
    CHotKeyTable table;
    EXPECT_FALSE(LoadHotKeysOrDefaults(table, path.c_str()));
    EXPECT_EQ(32, table.GetKeyCount());
    const std::string written = ReadBytes(path);
    ASSERT_NE("<missing>", written);

    CHotKeyTable defaults;
    FillDefaultHotKeys(defaults);
    CHotKeyTable reread;
    EXPECT_TRUE(LoadHotKeysOrDefaults(reread, path.c_str()));
    EXPECT_EQ(Bindings(defaults), Bindings(reread));
    EXPECT_EQ(29, reread.GetCommandCount());

    // Edited and saved, the file is what is loaded next time.
    reread.RemoveKey("Mute", "VK_MUTE");
    ASSERT_TRUE(reread.SaveFile(path.c_str()));
    CHotKeyTable edited;
    EXPECT_TRUE(LoadHotKeysOrDefaults(edited, path.c_str()));
    EXPECT_EQ(31, edited.GetKeyCount());

    WriteBytes(path, written.substr(0, written.size() - 3));
    CHotKeyTable repaired;
    EXPECT_FALSE(LoadHotKeysOrDefaults(repaired, path.c_str()));
    EXPECT_EQ(Bindings(defaults), Bindings(repaired));
    EXPECT_EQ(written, ReadBytes(path));
}
