// "ChannelAddress.ini" and "ChannelPoint.ini": regional channel names and user frequency points.
#include "engine/ChannelAddressTable.h"
#include "engine/FreqPointTable.h"
#include "ChannelTestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<float> Points(const float* values, int count)
{
    return std::vector<float>(values, values + count);
}

TEST(CChannelAddressTable, ListNamesAndChannelNames)
{
    std::string path = ChannelTestPath("ChannelAddress.ini");
    WriteBytes(path, "[86]\r\nTotal=3\r\nTable-0=深圳\r\nTable-2=Beijing\r\n"
                     "[深圳]\r\nTotal=5\r\nChannel-0=Sport,175250\r\nChannel-1=NoComma\r\nChannel-2=News,abc\r\n"
                     "Channel-3=Film,183250,extra\r\nChannel-4=Later,175250\r\nChannel-9=Beyond,1\r\n"
                     "[86-Default]\r\nTotal=1\r\nChannel-0=CCTV-1,49750\r\n"
                     "[44]\r\nTable-0=NoTotal\r\n"
                     "[1]\r\nTotal=2000000000\r\nTable-1=Huge\r\n");
    CChannelAddressTable table;
    ASSERT_TRUE(table.Load(path.c_str()));

    CStringArray names;
    names.Add("kept");
    EXPECT_TRUE(table.GetTableNames(86, names));
    ASSERT_EQ(3, names.GetSize());
    EXPECT_STREQ("深圳", names[1]);
    EXPECT_STREQ("Beijing", names[2]);
    EXPECT_FALSE(table.GetTableNames(44, names));
    EXPECT_FALSE(table.GetTableNames(7, names));
    EXPECT_EQ(3, names.GetSize());

    CFreqNameMap map;
    map.SetAt(1, "kept");
    EXPECT_TRUE(table.GetChannelNames(86, "深圳", map));
    EXPECT_EQ(4, map.GetCount());
    CString name;
    EXPECT_TRUE(map.Lookup(175250, name));
    EXPECT_STREQ("Later", name);
    EXPECT_TRUE(map.Lookup(0, name));
    EXPECT_STREQ("News", name);
    EXPECT_TRUE(map.Lookup(183250, name));
    EXPECT_STREQ("Film", name);
    EXPECT_TRUE(map.Lookup(1, name));
    EXPECT_STREQ("kept", name);

    CFreqNameMap defaults;
    EXPECT_TRUE(table.GetChannelNames(86, "", defaults));
    EXPECT_TRUE(defaults.Lookup(49750, name));
    EXPECT_STREQ("CCTV-1", name);
    EXPECT_FALSE(table.GetChannelNames(44, "", defaults));

    // A count nothing backs up is walked only as far as the keys go.
    EXPECT_TRUE(table.GetTableNames(1, names));
    EXPECT_STREQ("Huge", names[names.GetSize() - 1]);

    EXPECT_FALSE(table.Load(ChannelTestPath("no-such.ini").c_str()));
    EXPECT_FALSE(table.GetTableNames(86, names));
    EXPECT_FALSE(table.GetChannelNames(86, "", defaults));
}

TEST(CFreqPointTable, HeadersPointsAndComments)
{
    std::string path = ChannelTestPath("ChannelPoint.ini");
    WriteBytes(path, "49.75\r\n"
                     "; comment\r\n"
                     "[86,0,3,China]\r\n"
                     "CH1=49.75\r\n"
                     "57.75\r\n"
                     "CH3=\r\n"
                     "X=abc\r\n"
                     "CH4= 65.75\r\n"
                     "  //  65.75\r\n"
                     "a=b=77.25\r\n"
                     "85.25\r\n"
                     "93.25\r\n"
                     "[44,1,3,United Kingdom, cable]]\r\n"
                     "471.25\r\n"
                     "[1,0,0,Empty]\r\n"
                     "55.25\r\n"
                     "[bad header]\r\n"
                     "61.25\r\n"
                     "[86,0,2,Second]\r\n"
                     "1\r\n"
                     "[99,1,2,china]\r\n"
                     "7.5\r\n"
                     "8.5");
    CFreqPointTable table;
    ASSERT_TRUE(table.LoadFromFile(path.c_str()));
    ASSERT_EQ(4, table.GetSize());

    const CFreqPointEntry* pChina = table.GetEntry(0);
    EXPECT_EQ(86, pChina->m_nCountryCode);
    EXPECT_EQ(0, pChina->m_nType);
    EXPECT_STREQ("China", pChina->m_strName);
    EXPECT_EQ((std::vector<float>{ 49.75f, 57.75f, 77.25f, 85.25f, 93.25f }),
              Points(pChina->m_pValues, pChina->m_nCount));

    const CFreqPointEntry* pUk = table.GetEntry(1);
    EXPECT_STREQ(" cable", pUk->m_strName);
    EXPECT_EQ((std::vector<float>{ 471.25f, 0.0f, 0.0f }), Points(pUk->m_pValues, pUk->m_nCount));

    const float* pValues = nullptr;
    int count = -1;
    ASSERT_TRUE(table.Find(86, "Nowhere", 0, &pValues, &count));
    EXPECT_EQ(pChina->m_pValues, pValues);
    EXPECT_EQ(5, count);
    ASSERT_TRUE(table.Find(7, "CHINA", 1, &pValues, &count));
    EXPECT_EQ(table.GetEntry(3)->m_pValues, pValues);
    EXPECT_EQ(2, count);
    pValues = nullptr;
    count = -1;
    EXPECT_FALSE(table.Find(86, "China", 2, &pValues, &count));
    EXPECT_EQ(nullptr, pValues);
    EXPECT_EQ(-1, count);

    EXPECT_FALSE(table.LoadFromFile(ChannelTestPath("no-such.ini").c_str()));
    EXPECT_EQ(4, table.GetSize());

    // A header that announces more points than any plan has asks for no more than a plan's worth.
    WriteBytes(path, "[86,0,2000000000,Damaged]\r\n49.75\r\n");
    ASSERT_TRUE(table.LoadFromFile(path.c_str()));
    ASSERT_EQ(1, table.GetSize());
    EXPECT_EQ(4096, table.GetEntry(0)->m_nCount);
    EXPECT_EQ(49.75f, table.GetEntry(0)->m_pValues[0]);
}

}  // namespace
