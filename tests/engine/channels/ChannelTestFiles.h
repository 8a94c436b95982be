#pragma once
// Files of the channel tests: their own folder in the build tree, the expected files committed
// beside the tests, and a TV and an FM table that own their items.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/ChannelTable.h"
#include "tests/engine/support/TestFiles.h"

inline std::string ChannelTestPath(const char* name)
{
    std::string dir = std::string(ONDRIX_BINARY_DIR) + "/testdata";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "/channels";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "/" + name;
}

inline std::string GoldenPath(const char* name)
{
    return std::string(ONDRIX_TEST_DIR) + "/" + name;
}

class ChannelTables : public ::testing::Test
{
protected:
    CChannelTable tv;
    CChannelTable fm;
    void SetUp() override
    {
        tv.SetFMTable(FALSE);
        fm.SetFMTable(TRUE);
    }
    void TearDown() override
    {
        tv.RemoveAll();
        fm.RemoveAll();
    }
};
