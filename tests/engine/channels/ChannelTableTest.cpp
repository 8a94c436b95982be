// Channel items and the stepping, look-up and merge rules of a channel table.
#include "engine/ChannelTable.h"
#include "ChannelTestFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>

namespace {

struct Row
{
    DWORD id;
    long frequency;
    const char* name;
    DWORD flags;
};

void Fill(CChannelTable& table, std::initializer_list<Row> rows)
{
    table.RemoveAll();
    for (const Row& row : rows)
        table.Add(new CChannelItem(row.id, row.frequency, row.name, row.flags));
}

class Table : public ChannelTables
{
protected:
    std::string Name(const CChannelItem* pItem) { return pItem ? std::string(pItem->Name) : "<none>"; }
};

TEST(CChannelItem, ChannelFileLines)
{
    struct Case
    {
        const char* line;
        BOOL valid;
        DWORD id;
        DWORD flags;
        long frequency;
        const char* name;
        const char* written;
    } cases[] = {
        { "5, 2, 175250, Channel Five", TRUE, 5, 2, 175250, "Channel Five", "5,2,175250,Channel Five" },
        { "3,0,49750,News, Sport", TRUE, 3, 0, 49750, "News, Sport", "3,0,49750,News, Sport" },
        { "1\t0\t49750\tA\tB  C", TRUE, 1, 0, 49750, "A\tB  C", "1,0,49750,A\tB  C" },
        { "-7,9,583250,Neg", TRUE, static_cast<DWORD>(-7), 9, 583250, "Neg", "-7,9,583250,Neg" },
        { "1,,,0,,49750,,x", TRUE, 1, 0, 49750, "x", "1,0,49750,x" },
        { "1,0,49750", FALSE, 1, 0, 49750, "", nullptr },
        { "0,0,49750,Zero", FALSE, 0, 0, 49750, "Zero", nullptr },
        { "abc,0,49750,NoDigits", FALSE, 0, 0, 49750, "NoDigits", nullptr },
        { "2,0,0,Off", FALSE, 2, 0, 0, "Off", nullptr },
        { "2,0,-100,Below", FALSE, 2, 0, -100, "Below", nullptr },
    };
    for (const Case& c : cases)
    {
        CChannelItem item(0, 0, "", CChannelItem::FLAG_NEW);
        EXPECT_EQ(c.valid, item.Parse(c.line)) << c.line;
        EXPECT_EQ(c.id, item.ID) << c.line;
        EXPECT_EQ(c.frequency, item.Frequency) << c.line;
        EXPECT_STREQ(c.name, item.Name) << c.line;
        if (c.valid)
        {
            EXPECT_EQ(c.flags, item.Flags) << c.line;
            EXPECT_STREQ(c.written, item.Format()) << c.line;
        }
    }
}

// Names with commas are quoted; values of older files, which never quote, read as they always did.
TEST(CChannelItem, ProfileValues)
{
    struct Case
    {
        const char* value;
        BOOL valid;
        const char* name;
        long frequency;
        BOOL favourite;
    } cases[] = {
        { "News,49750,3", TRUE, "News", 49750, TRUE },
        { "News,49750,1", TRUE, "News", 49750, FALSE },
        { "News,49750,2,extra", TRUE, "News", 49750, TRUE },
        { "News,,49750,,1", TRUE, "News", 49750, FALSE },
        { "News, Sport,49750,1", FALSE, "News", 0, TRUE },
        { "\"News, Sport\",49750,3", TRUE, "News, Sport", 49750, TRUE },
        { "\"Say \"\"hi\"\", all\",1000,1", TRUE, "Say \"hi\", all", 1000, FALSE },
        { "\"Hot\" TV,1000,1", TRUE, "\"Hot\" TV", 1000, FALSE },
        { "\"open,1000,1", TRUE, "\"open", 1000, FALSE },
        { "\"\",1000,1", FALSE, "", 1000, FALSE },
        { ",49750,1", FALSE, "49750", 1, TRUE },
        { "News,0,1", FALSE, "News", 0, FALSE },
        { "News,49750", FALSE, "News", 49750, TRUE },
    };
    for (const Case& c : cases)
    {
        CChannelItem item(1, 0, "", CChannelItem::FLAG_NEW | CChannelItem::FLAG_FAVORITE);
        EXPECT_EQ(c.valid, item.ParseProfileValue(c.value)) << c.value;
        EXPECT_STREQ(c.name, item.Name) << c.value;
        EXPECT_EQ(c.frequency, item.Frequency) << c.value;
        EXPECT_EQ(c.favourite, item.IsFavorite()) << c.value;
    }

    struct Written
    {
        const char* name;
        DWORD flags;
        const char* value;
    } written[] = {
        { "News", 2, "News,49750,3" },
        { "News", 4 | 8, "News,49750,1" },
        { "News, Sport", 0, "\"News, Sport\",49750,1" },
        { "\"Hot\" TV", 0, "\"\"\"Hot\"\" TV\",49750,1" },
        { "Say \"hi\"", 0, "Say \"hi\",49750,1" },
    };
    for (const Written& w : written)
    {
        CChannelItem item(9, 49750, w.name, w.flags);
        EXPECT_STREQ(w.value, item.FormatProfileValue()) << w.name;
        CChannelItem back(1, 0, "", CChannelItem::FLAG_NEW);
        EXPECT_TRUE(back.ParseProfileValue(item.FormatProfileValue())) << w.name;
        EXPECT_STREQ(w.name, back.Name);
    }
}

TEST(CChannelItem, FlagsAndCopies)
{
    CChannelItem item(4, 1000, "A", 8 | 1);
    item.SetFavorite(TRUE);
    item.SetHidden(TRUE);
    EXPECT_EQ(8u | 4u | 2u | 1u, item.Flags);
    EXPECT_EQ(1, item.IsFavorite());
    EXPECT_EQ(0, item.IsVisible());
    item.SetFavorite(FALSE);
    item.SetHidden(FALSE);
    EXPECT_EQ(8u | 1u, item.Flags);
    EXPECT_EQ(1, item.IsVisible());
    CChannelItem copy(item);
    CChannelItem assigned;
    assigned = item;
    for (const CChannelItem* p : { &copy, &assigned })
    {
        EXPECT_EQ(4u, p->ID);
        EXPECT_EQ(1000, p->Frequency);
        EXPECT_STREQ("A", p->Name);
        EXPECT_EQ(9u, p->Flags);
    }
}

TEST_F(Table, EmptyTable)
{
    EXPECT_EQ(nullptr, tv.NextChannel(-1));
    EXPECT_EQ(nullptr, tv.PrevChannel(-1));
    EXPECT_EQ(0u, tv.GetMaxID());
    EXPECT_EQ(0, tv.CountVisible());
    EXPECT_EQ(nullptr, tv.GetCurrentChannel());
    EXPECT_EQ(-1, tv.m_nCurIndex);
    EXPECT_EQ(1000, tv.m_nTolerance);
    EXPECT_EQ(200, fm.m_nTolerance);
    EXPECT_EQ(1, tv.m_bReservePrev);
}

// Stepping from a channel, and from a frequency no channel has. Flags: 2 favourite, 4 hidden.
TEST_F(Table, StepsOverHiddenChannelsAndOptionallyNonFavourites)
{
    Fill(tv, { { 1, 49750, "A", 0 },
               { 2, 57750, "B", 4 },
               { 3, 65750, "C", 2 },
               { 4, 77250, "D", 0 },
               { 5, 85250, "E", 2 | 4 } });
    struct Case
    {
        BOOL favourites;
        int currentIndex;
        long currentFrequency;
        long from;
        BOOL forward;
        const char* result;
        int index;
    } cases[] = {
        { FALSE, 0, 49750, -1, TRUE, "C", 2 },
        { FALSE, 0, 49750, -1, FALSE, "D", 3 },
        { FALSE, 3, 77250, -1, TRUE, "A", 0 },
        { FALSE, -1, 65750, -1, TRUE, "D", 3 },     // no current index: the current frequency finds C
        { FALSE, 0, 49750, 65750, FALSE, "A", 0 },  // an explicit frequency wins over the current one
        { FALSE, 0, 49750, 65950, TRUE, "D", 3 },   // within the tolerance of C
        { TRUE, 0, 49750, -1, TRUE, "C", 2 },
        { TRUE, 2, 65750, -1, TRUE, "C", 2 },  // the only favourite steps to itself
        { TRUE, 2, 65750, -1, FALSE, "C", 2 },
        // No channel at the frequency: forward from the first channel, back from the last.
        { FALSE, -1, 999999, -1, TRUE, "A", 0 },
        { FALSE, -1, 999999, -1, FALSE, "D", 3 },
        { TRUE, -1, 999999, -1, FALSE, "C", 2 },
    };
    for (const Case& c : cases)
    {
        tv.m_bFavorOnly = c.favourites;
        tv.m_nCurIndex = c.currentIndex;
        tv.m_lCurFreq = c.currentFrequency;
        CChannelItem* pItem = c.forward ? tv.NextChannel(c.from) : tv.PrevChannel(c.from);
        EXPECT_EQ(c.result, Name(pItem)) << c.from << (c.forward ? " next" : " prev") << " from " << c.currentIndex;
        EXPECT_EQ(c.index, tv.m_nCurIndex);
        EXPECT_EQ(c.currentFrequency, tv.m_lCurFreq);
    }
    tv.m_bFavorOnly = FALSE;
    EXPECT_EQ(3, tv.CountVisible());
    tv.m_bFavorOnly = TRUE;
    EXPECT_EQ(1, tv.CountVisible());
}

TEST_F(Table, PreviousFromNowhereTriesTheLastChannelFirst)
{
    Fill(tv, { { 1, 49750, "A", 0 }, { 2, 57750, "B", 0 }, { 3, 65750, "C", 0 } });
    tv.m_lCurFreq = 100;
    EXPECT_EQ("C", Name(tv.PrevChannel(-1)));
    Fill(tv, { { 1, 49750, "Only", 0 } });
    tv.m_nCurIndex = -1;
    EXPECT_EQ("Only", Name(tv.PrevChannel(100)));
    EXPECT_EQ("Only", Name(tv.NextChannel(100)));
}

TEST_F(Table, NothingAcceptableKeepsTheStart)
{
    Fill(tv, { { 1, 49750, "A", 4 }, { 2, 57750, "B", 4 } });
    tv.m_nCurIndex = 1;
    tv.m_lCurFreq = 57750;
    EXPECT_EQ("B", Name(tv.NextChannel(-1)));
    EXPECT_EQ(1, tv.m_nCurIndex);
    EXPECT_EQ("A", Name(tv.PrevChannel(49750)));
    EXPECT_EQ(1, tv.m_nCurIndex);
    EXPECT_EQ(nullptr, tv.NextChannel(300000));
    EXPECT_EQ(nullptr, tv.PrevChannel(300000));
    Fill(tv, { { 1, 49750, "A", 0 }, { 2, 57750, "B", 0 } });
    tv.m_bFavorOnly = TRUE;
    tv.m_nCurIndex = 0;
    EXPECT_EQ("A", Name(tv.NextChannel(49750)));
}

TEST_F(Table, LookupsTakeTheLaterMatchAndTheBandsTolerance)
{
    Fill(tv, { { 7, 100000, "low", 0 }, { 7, 100800, "high", 0 }, { 3, 300000, "far", 0 } });
    Fill(fm, { { 1, 100000, "low", 0 }, { 2, 100800, "high", 0 } });
    EXPECT_EQ(1, tv.FindIndexByFrequency(100400));
    EXPECT_EQ(1, tv.FindIndexByFrequency(100000));
    EXPECT_EQ(0, tv.FindIndexByFrequency(99500));
    EXPECT_EQ(-1, tv.FindIndexByFrequency(98999));
    EXPECT_EQ(0, fm.FindIndexByFrequency(100200));
    EXPECT_EQ(-1, fm.FindIndexByFrequency(100201));
    EXPECT_EQ(1, fm.FindIndexByFrequency(100601));
    EXPECT_EQ(1, tv.FindIndexByID(7));
    EXPECT_EQ(-1, tv.FindIndexByID(8));
    EXPECT_EQ(2, tv.FindItem(tv.GetChannel(2)));
    CChannelItem stranger;
    EXPECT_EQ(-1, tv.FindItem(&stranger));
    EXPECT_EQ(nullptr, tv.GetChannel(3));
    EXPECT_EQ(nullptr, tv.GetChannel(-1));
    EXPECT_TRUE(tv.IsWithinTolerance(LONG_MIN, LONG_MIN + 1000));
    EXPECT_FALSE(tv.IsWithinTolerance(LONG_MAX, LONG_MIN));

    Fill(tv, { { 1, 1, "a", 0 }, { 0xFFFFFFFF, 2, "b", 0 }, { 5, 3, "c", 0 } });
    EXPECT_EQ(0xFFFFFFFFu, tv.GetMaxID());

    Fill(tv, { { 1, 49750, "A", 0 }, { 2, 57750, "B", 0 } });
    tv.m_nCurIndex = 7;
    tv.m_lCurFreq = 57750;
    EXPECT_EQ("B", Name(tv.GetCurrentChannel()));
    tv.m_nCurIndex = 0;
    EXPECT_EQ("A", Name(tv.GetCurrentChannel()));
}

TEST_F(Table, MergeKeepsStoredFrequenciesAndRenumbersTakenIds)
{
    Fill(tv, { { 1, 49750, "Old A", 0 }, { 2, 57750, "Old B", 2 } });
    tv.m_nCurIndex = 1;
    tv.m_lCurFreq = 57750;
    CChannelTable found;
    found.SetFMTable(FALSE);
    Fill(found, { { 9, 50250, "New A", 4 }, { 2, 175250, "New C", 0 }, { 30, 183250, "New D", 1 } });
    tv.MergeFrom(found);
    ASSERT_EQ(4, tv.GetCount());
    EXPECT_EQ(9u, tv.GetChannel(0)->ID);
    EXPECT_EQ(49750, tv.GetChannel(0)->Frequency);
    EXPECT_STREQ("New A", tv.GetChannel(0)->Name);
    EXPECT_EQ(4u, tv.GetChannel(0)->Flags);
    EXPECT_EQ(10u, tv.GetChannel(2)->ID);  // 2 is taken: highest ID (9) + 1
    EXPECT_EQ(175250, tv.GetChannel(2)->Frequency);
    EXPECT_EQ(30u, tv.GetChannel(3)->ID);
    EXPECT_EQ(1, tv.m_nCurIndex);
    EXPECT_EQ(FALSE, tv.IsModified());
    EXPECT_EQ(3, found.GetCount());
    found.RemoveAll();
}

TEST_F(Table, NamesFromAFrequencyMap)
{
    Fill(tv, { { 1, 49750, "ch1", 0 }, { 2, 57750, "ch2", 0 }, { 3, 65750, "ch3", 0 } });
    CFreqNameMap names;
    names.SetAt(49750, "One");
    names.SetAt(58000, "Two");
    names.SetAt(999000, "Nowhere");
    tv.ApplyNames(names);
    EXPECT_STREQ("One", tv.GetChannel(0)->Name);
    EXPECT_STREQ("Two", tv.GetChannel(1)->Name);
    EXPECT_STREQ("ch3", tv.GetChannel(2)->Name);

    CString name("untouched");
    EXPECT_FALSE(tv.FindNameForFrequency(names, 70000, name));
    EXPECT_STREQ("untouched", name);
    EXPECT_TRUE(tv.FindNameForFrequency(names, 57500, name));
    EXPECT_STREQ("Two", name);

    // Two entries reaching one channel: the one the map walks later wins. 49750 >> 4 and
    // 49760 >> 4 fall in buckets 15 and 16 of 17.
    CFreqNameMap both;
    both.SetAt(49760, "Later");
    both.SetAt(49750, "Earlier");
    tv.ApplyNames(both);
    EXPECT_STREQ("Later", tv.GetChannel(0)->Name);
    EXPECT_TRUE(tv.FindNameForFrequency(both, 49755, name));
    EXPECT_STREQ("Earlier", name);
}

TEST_F(Table, CopiesAreDeepAndAssignmentTakesTheState)
{
    Fill(fm, { { 1, 87500, "A", 2 }, { 2, 101700, "B", 0 } });
    fm.m_bFavorOnly = TRUE;
    fm.m_lCurFreq = 101700;
    fm.m_lLastFreq = 87500;
    fm.m_nCurIndex = 1;
    fm.m_bReservePrev = FALSE;
    fm.SetModified(TRUE);
    CChannelTable copy;
    copy = fm;
    ASSERT_EQ(2, copy.GetCount());
    EXPECT_NE(fm.GetChannel(0), copy.GetChannel(0));
    EXPECT_STREQ("B", copy.GetChannel(1)->Name);
    EXPECT_TRUE(copy.m_bFM);
    EXPECT_EQ(200, copy.m_nTolerance);
    EXPECT_TRUE(copy.m_bFavorOnly);
    EXPECT_EQ(101700, copy.m_lCurFreq);
    EXPECT_EQ(87500, copy.m_lLastFreq);
    EXPECT_EQ(1, copy.m_nCurIndex);
    EXPECT_FALSE(copy.m_bReservePrev);
    EXPECT_TRUE(copy.IsModified());
    CChannelTable items;
    items.CopyItems(fm);
    EXPECT_EQ(2, items.GetCount());
    EXPECT_EQ(-1, items.m_nCurIndex);
    copy.RemoveAll();
    items.RemoveAll();
    EXPECT_EQ(1, copy.m_nCurIndex);
}

}  // namespace
