#include "dshow/DShowText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// "黑体" in GBK (the system's code page 936): two double-byte characters.
static const char kHeiTi[] = "\xBA\xDA\xCC\xE5";

TEST(DShowText, RunsUnderCodePage936)
{
    EXPECT_EQ(936u, GetACP());
}

TEST(DShowText, AnsiFromWideConvertsWholeNames)
{
    char sz[16];
    EXPECT_EQ(4, AnsiFromWide(L"\x9ED1\x4F53", sz, sizeof(sz)));
    EXPECT_STREQ(kHeiTi, sz);
    EXPECT_EQ(5, AnsiFromWide(L"Input", sz, sizeof(sz)));
    EXPECT_STREQ("Input", sz);
    EXPECT_EQ(0, AnsiFromWide(nullptr, sz, sizeof(sz)));
    EXPECT_STREQ("", sz);
}

struct CutCase
{
    int size;
    const char* expected;
};

class AnsiCut : public ::testing::TestWithParam<CutCase>
{
};

// "A黑体" cut to the buffer: never half a double-byte character.
TEST_P(AnsiCut, CutsAtCharacterBoundaries)
{
    const CutCase& c = GetParam();
    char sz[16];
    std::memset(sz, '#', sizeof(sz));
    AnsiFromWide(L"A\x9ED1\x4F53", sz, c.size);
    EXPECT_STREQ(c.expected, sz);
    std::memset(sz, '#', sizeof(sz));
    CopyAnsi(sz, c.size, "A\xBA\xDA\xCC\xE5");
    EXPECT_STREQ(c.expected, sz);
}

INSTANTIATE_TEST_SUITE_P(Rows, AnsiCut,
                         ::testing::Values(CutCase{ 1, "" }, CutCase{ 2, "A" }, CutCase{ 3, "A" },
                                           CutCase{ 4, "A\xBA\xDA" }, CutCase{ 5, "A\xBA\xDA" },
                                           CutCase{ 6, "A\xBA\xDA\xCC\xE5" },
                                           CutCase{ 7, "A\xBA\xDA\xCC\xE5" }));

TEST(DShowText, CopyAnsiBoundsLongNames)
{
    std::string longName(300, 'n');
    char sz[128];
    CopyAnsi(sz, sizeof(sz), longName.c_str());
    EXPECT_EQ(127u, std::strlen(sz));
    CopyAnsi(sz, sizeof(sz), nullptr);
    EXPECT_STREQ("", sz);
}

TEST(DShowText, WideFromAnsi)
{
    WCHAR wsz[8];
    EXPECT_EQ(2, WideFromAnsi(kHeiTi, wsz, 8));
    EXPECT_EQ(0x9ED1, wsz[0]);
    EXPECT_EQ(0x4F53, wsz[1]);
    EXPECT_EQ(0, wsz[2]);
    EXPECT_EQ(3, WideFromAnsi("Renderer", wsz, 4));
    EXPECT_EQ(std::wstring(L"Ren"), wsz);
    EXPECT_EQ(0, WideFromAnsi(nullptr, wsz, 8));
    EXPECT_EQ(0, wsz[0]);
}
