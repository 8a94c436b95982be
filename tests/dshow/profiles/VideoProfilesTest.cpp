// The encoder profile file, read from real files: the checked-in profile file
// of a card and small files written here, against a capability table filled
// as a driver would.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "dshow/VideoProfiles.h"

namespace
{
const DWORD kPalB = 0x10;
const DWORD kNtscM = 0x1;

// The driver's capability table: two streams (MPEG-4 mode 1; MPEG-1/2 for
// DVD with sequence 2), three resolutions and two frame rates.
std::unique_ptr<EncoderCapabilityTable> DriverTable()
{
    std::unique_ptr<EncoderCapabilityTable> caps(new EncoderCapabilityTable);
    memset(caps.get(), 0, sizeof(EncoderCapabilityTable));
    caps->streamCount = 2;
    caps->streams[0].compress_mode = 4;
    caps->streams[0].mpeg4_mode = 1;
    caps->streams[0].header.present = 0x10;
    caps->streams[1].compress_mode = 1;
    caps->streams[1].DVD_compliant = 1;
    caps->streams[1].sequence = 2;
    caps->streams[1].header.present = 0x400 | 0x2;
    caps->resolutionCount = 3;
    ResolutionConfig* r = caps->resolutions;
    r[0].width = 352, r[0].height = 288, r[0].tv_standard = PROFILE_STANDARD_PAL;
    r[0].h_sub_offset = 8, r[0].v_sub_offset = 4, r[0].h_scale_enb = 1, r[0].v_scale_enb = 1;
    r[0].header.present = 0x10, r[0].max_bitrate = 2000000, r[0].min_bitrate = 500000;
    r[1].width = 720, r[1].height = 480, r[1].tv_standard = PROFILE_STANDARD_NTSC, r[1].header.present = 0x1;
    r[2].width = 720, r[2].height = 576, r[2].tv_standard = PROFILE_STANDARD_PAL, r[2].header.present = 0x1;
    r[2].max_bitrate = 8000000, r[2].min_bitrate = 1000000;
    caps->framerateCount = 2;
    caps->framerates[0].frame_rate = 30000, caps->framerates[0].tv_standard = PROFILE_STANDARD_NTSC;
    caps->framerates[0].drop_frame = 1, caps->framerates[0].header.present = 0x4;
    caps->framerates[1].frame_rate = 25025, caps->framerates[1].tv_standard = PROFILE_STANDARD_PAL;
    caps->framerates[1].header.present = 0x4;
    return caps;
}

std::string TempPath(const char* pszName)
{
    char szPath[MAX_PATH];
    GetTempPathA(MAX_PATH, szPath);
    return std::string(szPath) + pszName;
}

// Writes the text to a file (bytes as given) and loads it.
struct Load
{
    BOOL bLoaded;
    int nStatus;
    std::unique_ptr<EncoderCapabilityTable> caps;
    std::unique_ptr<VideoProfileTables> tables;
};

Load LoadText(const std::string& text, std::unique_ptr<EncoderCapabilityTable> caps = DriverTable())
{
    std::string path = TempPath("ondrix-profiles.txt");
    FILE* file = fopen(path.c_str(), "wb");
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
    Load load;
    load.caps = std::move(caps);
    load.tables.reset(new VideoProfileTables);
    memset(load.tables.get(), 0xEE, sizeof(VideoProfileTables));
    load.bLoaded = LoadVideoProfilesFrom(path.c_str(), load.caps.get(), load.tables.get());
    load.nStatus = GetVideoProfileStatus(nullptr);
    DeleteFileA(path.c_str());
    return load;
}

const char kStream[] = "[streamsetting]\nname=S\ncompress_mode=4\nmpeg4_mode=1\nsequence=1\n";
const char kFrameRate[] = "[frameratesetting]\nname=F\ntv_standard=PAL\nframe_rate=25025\n";
const char kResolution[] = "[resolutionsetting]\nname=R\ntv_standard=PAL\nwidth=720\nheight=576\n";
const char kBitrate[] = "[bitratesetting]\nname=B\ntarget_bitrate=1\nQ=2\n";

std::vector<std::string> LinkLines(const EncoderCapabilityTable& caps, DWORD dwFrom = 0)
{
    std::vector<std::string> lines;
    for (DWORD i = dwFrom; i < caps.linkCount; ++i)
    {
        const ConfigLink& l = caps.links[i];
        lines.push_back(std::to_string(l.kindA) + "," + std::to_string(l.idA) + "->" + std::to_string(l.kindB) + "," +
                        (l.idB == CONFIG_ID_ANY ? std::string("any") : std::to_string(l.idB)) +
                        (l.deny ? " deny" : ""));
    }
    return lines;
}

std::vector<std::string> Combinations(const EncoderCapabilityTable& caps)
{
    std::vector<std::string> lines;
    for (DWORD i = 0; i < caps.combinationCount; ++i)
    {
        const ConfigCombination& c = caps.combinations[i];
        lines.push_back(std::to_string(c.stream) + "/" + std::to_string(c.resolution) + "/" +
                        std::to_string(c.framerate));
    }
    return lines;
}

TEST(VideoProfiles, TheCardsFileLoadsWithItsRecordsMatchedAndItsLinksResolved)
{
    std::unique_ptr<EncoderCapabilityTable> caps = DriverTable();
    std::unique_ptr<VideoProfileTables> tables(new VideoProfileTables);
    ASSERT_TRUE(LoadVideoProfilesFrom(ONDRIX_TEST_DIR "/video_profiles.txt", caps.get(), tables.get()));
    int nLine = 0;
    EXPECT_EQ(PROFILE_OK, GetVideoProfileStatus(&nLine));
    EXPECT_EQ(79, nLine);

    ASSERT_EQ(2u, tables->streamCount);
    const StreamConfig& dvd = tables->streams[0];
    EXPECT_STREQ("DVD MPEG2", dvd.header.name);
    EXPECT_STREQ("MPEG-2 for DVD players, GOP 15", dvd.header.desc);
    EXPECT_EQ(0x30000000u | 0x1 | 0x2 | 0x4 | 0x8 | 0x400 | 0x200 | 0x40, dvd.header.present);
    EXPECT_EQ(15u, dvd.gop_size);
    EXPECT_EQ(32, dvd.search_range);
    EXPECT_STREQ("MPEG-4simpleprofile", tables->streams[1].header.desc);
    EXPECT_EQ(1u, tables->streamIndex[0]);
    EXPECT_EQ(0u, tables->streamIndex[1]);

    ASSERT_EQ(2u, tables->framerateCount);
    EXPECT_EQ(1u, tables->framerateIndex[0]);
    EXPECT_EQ(0u, tables->framerateIndex[1]);
    EXPECT_EQ(1, tables->framerates[1].drop_frame);

    ASSERT_EQ(3u, tables->resolutionCount);
    EXPECT_EQ(2u, tables->resolutionIndex[0]);
    EXPECT_EQ(1u, tables->resolutionIndex[1]);
    EXPECT_EQ(0u, tables->resolutionIndex[2]);
    // The matched entry's bit-rate limits replace the record's.
    EXPECT_EQ(8000000u, tables->resolutions[0].max_bitrate);
    EXPECT_EQ(0x400u | 0x800, tables->resolutions[0].header.present & 0xC00);
    // Sub-windows default to 1 unless given; sub-window and scaling all given.
    EXPECT_EQ(1, tables->resolutions[0].h_sub_window);
    EXPECT_EQ(1, tables->resolutions[0].v_sub_window);
    EXPECT_EQ(2, tables->resolutions[1].v_sub_window);
    EXPECT_EQ(0x10u, tables->resolutions[2].header.present & 0x10);

    ASSERT_EQ(1u, tables->bitrateCount);
    const BitrateConfig& vbr = tables->bitrates[0];
    EXPECT_STREQ("variable, 4 to 6 Mbit/s", vbr.header.desc);
    EXPECT_EQ(0x100u, vbr.header.present & 0x100);
    // QMin 2, Duplicate, QMax 31, no MBBrc, window 300.
    EXPECT_EQ(2u | 0x80 | (31u << 8) | (300u << 16), vbr.rate_control);

    // Links name capability positions (bit rates their place in the file),
    // partners named before their own sections included.
    std::vector<std::string> expected = {
        "1,1->2,2", "1,1->2,1", "1,1->4,1", "1,1->4,0", "1,1->3,0", "1,1->2,any deny", "1,1->4,any deny",
        "1,1->3,any deny", "1,0->2,0", "1,0->4,1", "1,0->2,any deny", "1,0->4,any deny", "4,1->2,2", "4,1->2,0",
        "4,1->2,any deny", "2,2->3,0", "2,2->3,any deny",
    };
    EXPECT_EQ(expected, LinkLines(*caps));

    // So the combinations follow the file's rules, standard by standard.
    ASSERT_EQ(PROFILE_OK, BuildConfigCombinations(caps.get(), 0, kPalB));
    EXPECT_EQ(std::vector<std::string>({ "0/0/1", "1/2/1" }), Combinations(*caps));
    ASSERT_EQ(PROFILE_OK, BuildConfigCombinations(caps.get(), 0, kNtscM));
    EXPECT_EQ(std::vector<std::string>({ "1/1/0" }), Combinations(*caps));
    FreeConfigCombinations(caps.get());
    EXPECT_EQ(nullptr, caps->combinations);
}

TEST(VideoProfiles, LineRules)
{
    struct Row
    {
        const char* text;
        int status;
        const char* name;  // the stream's name when loaded
        const char* desc;
    } rows[] = {
        // Empty, comments only.
        { "", PROFILE_OK, nullptr, nullptr },
        { "// nothing\n   \n\t// more\n", PROFILE_OK, nullptr, nullptr },
        // Mixed-case header; blanks go everywhere outside quotes.
        { "[StreamSetting]\nname = a b\ndesc=\"two  words\"\ncompress_mode=4\nmpeg4_mode=1\nsequence=1\n", PROFILE_OK,
          "ab", "two  words" },
        // Everything after the first '=' is the value; a comment behind it goes.
        { "[streamsetting]\nname=S\ndesc=x=y // note\ncompress_mode=4\nmpeg4_mode=1\nsequence=1\n", PROFILE_OK, "S",
          "x=y" },
        // Slashes inside quotes do not start a comment; "a/b" keeps its slash.
        { "[streamsetting]\nname=S\ndesc=\"http://x\"/z\ncompress_mode=4\nmpeg4_mode=1\nsequence=1\n", PROFILE_OK,
          "S", "http://x/z" },
        // A header with more text on its line.
        { "[streamsetting] x\n", PROFILE_OUTSIDE_SECTION, nullptr, nullptr },
        { "[streamsetting]\nname=S\n[streamsetting]x\n", PROFILE_MALFORMED_IN_SECTION, nullptr, nullptr },
        { "name=S\n", PROFILE_OUTSIDE_SECTION, nullptr, nullptr },
        { "[streamsetting]\nname=S\njunk\n", PROFILE_MALFORMED_IN_SECTION, nullptr, nullptr },
        // Keys are exact and case-sensitive.
        { "[streamsetting]\nName=S\n", PROFILE_UNKNOWN_STREAM_KEY, nullptr, nullptr },
        { "[bitratesetting]\nq=1\n", PROFILE_UNKNOWN_BITRATE_KEY, nullptr, nullptr },
        { "[resolutionsetting]\nfpscfg=F\n", PROFILE_UNKNOWN_RESOLUTION_KEY, nullptr, nullptr },
        { "[frameratesetting]\nctlcfgs=B\n", PROFILE_UNKNOWN_FRAMERATE_KEY, nullptr, nullptr },
        { "[frameratesetting]\nname=F\ntv_standard=pal\n", PROFILE_BAD_STANDARD, nullptr, nullptr },
    };
    for (const Row& row : rows)
    {
        Load load = LoadText(row.text);
        EXPECT_EQ(row.status, load.nStatus) << row.text;
        EXPECT_EQ(row.status == PROFILE_OK, load.bLoaded) << row.text;
        if (row.status == PROFILE_OUTSIDE_SECTION)
        {
            // The caller's tables are left as they were.
            EXPECT_EQ(0xEEEEEEEEu, load.tables->streamCount) << row.text;
        }
        if (row.name != nullptr)
        {
            ASSERT_EQ(1u, load.tables->streamCount) << row.text;
            EXPECT_STREQ(row.name, load.tables->streams[0].header.name);
            EXPECT_STREQ(row.desc, load.tables->streams[0].header.desc);
        }
        else if (row.status == PROFILE_OK)
        {
            EXPECT_EQ(0u, load.tables->streamCount);
            EXPECT_EQ(0u, load.tables->bitrateCount);
        }
    }
}

TEST(VideoProfiles, RecordChecks)
{
    const std::string s = "[streamsetting]\nname=S\n";
    const std::string f = "[frameratesetting]\nname=F\n";
    const std::string r = "[resolutionsetting]\nname=R\n";
    const std::string b = "[bitratesetting]\nname=B\n";
    struct Row
    {
        std::string text;
        int status;
    } rows[] = {
        { "[streamsetting]\ncompress_mode=4\n", PROFILE_NO_NAME },
        { "[streamsetting]\nname=\ncompress_mode=4\n", PROFILE_NO_NAME },
        { std::string(kStream) + kStream, PROFILE_DUPLICATE_NAME },
        // Same name, other kind: fine.
        { std::string(kStream) + "[bitratesetting]\nname=S\ntarget_bitrate=1\nQ=0\n", PROFILE_OK },
        { s + "sequence=1\n", PROFILE_NO_COMPRESS_MODE },
        { s + "compress_mode=2\n", PROFILE_BAD_COMPRESS_MODE },
        { s + "compress_mode=68\nmpeg4_mode=1\n", PROFILE_BAD_SEQUENCE },
        { s + "compress_mode=8\nsequence=4\n", PROFILE_BAD_SEQUENCE },
        { s + "compress_mode=68\nsequence=3\n", PROFILE_BAD_MPEG4_MODE },
        { s + "compress_mode=4\nsequence=3\nmpeg4_mode=4\n", PROFILE_BAD_MPEG4_MODE },
        { s + "compress_mode=3\nsequence=1\ndeinterlace_mode=2\n", PROFILE_BAD_DEINTERLACE },
        { s + "compress_mode=1\nsequence=1\ndeinterlace_mode=3\n", PROFILE_BAD_DEINTERLACE },
        { s + "compress_mode=3\nsequence=1\nsearch_range=48\n", PROFILE_BAD_SEARCH_RANGE },
        { s + "compress_mode=3\nsequence=1\naspect_ratio=0\n", PROFILE_BAD_ASPECT_RATIO },
        { f + "frame_rate=25025\n", PROFILE_FRAMERATE_INCOMPLETE },
        { f + "tv_standard=None\n", PROFILE_FRAMERATE_INCOMPLETE },
        { r + "width=720\ntv_standard=PAL\n", PROFILE_RESOLUTION_INCOMPLETE },
        { r + "width=720\nheight=576\ntv_standard=PAL\nh_sub_offset=1\n", PROFILE_BAD_SUB_WINDOW },
        { b + "target_bitrate=5\n", PROFILE_BITRATE_INCOMPLETE },
        { b + "target_bitrate=7\nQ=1\npeak_bitrate=6\n", PROFILE_TARGET_ABOVE_PEAK },
        // Unsigned: -1 is the largest peak there is.
        { b + "target_bitrate=7\nQ=1\npeak_bitrate=-1\n", PROFILE_OK },
        { b + "target_bitrate=5\nQ=1\nconverge_speed=101\n", PROFILE_BAD_CONVERGE_SPEED },
        { b + "target_bitrate=5\nQ=1\nlambda=101\n", PROFILE_BAD_LAMBDA },
        { b + "target_bitrate=5\nQ=1\nlambda=100\nconverge_speed=100\n", PROFILE_OK },
        { b + "target_bitrate=5\nQ=1\nIQ=1\nPQ=2\n", PROFILE_BAD_QUANTISERS },
        { b + "target_bitrate=5\nQ=1\nIQ=1\nPQ=2\nBQ=33\n", PROFILE_BAD_QUANTISERS },
        { b + "target_bitrate=5\nQ=1\nIQ=0\nPQ=2\nBQ=3\n", PROFILE_BAD_QUANTISERS },
        { b + "target_bitrate=5\nQ=1\nIQ=32\nPQ=1\nBQ=3\n", PROFILE_OK },
    };
    for (const Row& row : rows)
    {
        Load load = LoadText(row.text);
        EXPECT_EQ(row.status, load.nStatus) << row.text;
    }
}

TEST(VideoProfiles, ACapabilityEntryMustMatch)
{
    struct Row
    {
        std::string text;
        DWORD index;  // of the first record, or -1 when rejected
    } rows[] = {
        { kStream, 0 },
        // Entry 0 lets only mpeg4_mode count; entry 1 wants DVD 1 and sequence 2.
        { "[streamsetting]\nname=S\ncompress_mode=4\nmpeg4_mode=2\nsequence=1\n", DWORD(-1) },
        { "[streamsetting]\nname=S\ncompress_mode=1\nsequence=2\nDVD_compliant=7\ngop_size=99\n", 1 },
        { "[streamsetting]\nname=S\ncompress_mode=1\nsequence=2\n", DWORD(-1) },
        // Standards: every bit of the record's in the entry's; None only with None.
        { "[frameratesetting]\nname=F\ntv_standard=NTSC\nframe_rate=30000\ndrop_frame=1\n", 0 },
        { "[frameratesetting]\nname=F\ntv_standard=NTSC\nframe_rate=30000\n", DWORD(-1) },
        { "[frameratesetting]\nname=F\ntv_standard=None\nframe_rate=25025\n", DWORD(-1) },
        { "[resolutionsetting]\nname=R\ntv_standard=PAL\nwidth=352\nheight=288\n", DWORD(-1) },
        { "[resolutionsetting]\nname=R\ntv_standard=PAL\nwidth=352\nheight=288\nh_sub_offset=8\nv_sub_offset=4\n"
          "h_scale_enb=1\nv_scale_enb=1\n",
          0 },
    };
    for (const Row& row : rows)
    {
        Load load = LoadText(row.text);
        const VideoProfileTables& t = *load.tables;
        DWORD count = t.streamCount + t.framerateCount + t.resolutionCount;
        if (row.index == DWORD(-1))
        {
            // Unmatched: left out, and the load still succeeds.
            EXPECT_EQ(0u, count) << row.text;
            EXPECT_TRUE(load.bLoaded) << row.text;
            continue;
        }
        ASSERT_EQ(1u, count) << row.text;
        DWORD index = t.streamCount ? t.streamIndex[0] : t.framerateCount ? t.framerateIndex[0] : t.resolutionIndex[0];
        EXPECT_EQ(row.index, index) << row.text;
    }
}

TEST(VideoProfiles, AnUnmatchedConfigurationIsLeftOutWhereverItStands)
{
    const std::string unmatched = "[resolutionsetting]\nname=Q\ntv_standard=PAL\nwidth=1\nheight=1\nctlcfg=B\n";
    for (const std::string& text : { unmatched + kResolution + kBitrate, std::string(kResolution) + kBitrate + unmatched })
    {
        Load load = LoadText(text);
        EXPECT_TRUE(load.bLoaded) << text;
        EXPECT_EQ(PROFILE_OK, load.nStatus);
        ASSERT_EQ(1u, load.tables->resolutionCount);
        EXPECT_STREQ("R", load.tables->resolutions[0].header.name);
        // Its links go with it.
        EXPECT_EQ(0u, load.caps->linkCount);
    }
}

TEST(VideoProfiles, TruncatedFiles)
{
    // Cut inside the last section's lines, or right after its header.
    Load cutKey = LoadText(std::string(kFrameRate) + "[resolutionsetting]\nname=R\ntv_standard=PAL\nwidth=72");
    EXPECT_EQ(PROFILE_RESOLUTION_INCOMPLETE, cutKey.nStatus);
    EXPECT_FALSE(cutKey.bLoaded);
    Load cutHeader = LoadText(std::string(kFrameRate) + "[resolutionsetting]");
    EXPECT_EQ(PROFILE_NO_NAME, cutHeader.nStatus);
    Load cutName = LoadText(std::string(kFrameRate) + "[bitratesetting]\nname=B\ntarget_bitrate=1\nQ=2");
    EXPECT_TRUE(cutName.bLoaded);
    EXPECT_EQ(1u, cutName.tables->bitrateCount);
    // A missing file.
    std::unique_ptr<EncoderCapabilityTable> caps = DriverTable();
    VideoProfileTables tables;
    EXPECT_FALSE(LoadVideoProfilesFrom("C:\\no\\such\\video_profiles.txt", caps.get(), &tables));
}

TEST(VideoProfiles, LongValuesAndLinesAreCutNotOverflowed)
{
    std::string longName(100, 'n');
    std::string longDesc(400, 'd');
    Load load = LoadText("[bitratesetting]\nname=" + longName + "\ndesc=" + longDesc + "\ntarget_bitrate=1\nQ=2\n");
    ASSERT_TRUE(load.bLoaded);
    EXPECT_EQ(std::string(63, 'n'), load.tables->bitrates[0].header.name);
    EXPECT_EQ(std::string(255, 'd'), load.tables->bitrates[0].header.desc);
    // A line longer than 999 characters: the rest is read as a line of its
    // own, here one without '=' inside a section.
    Load longLine = LoadText("[bitratesetting]\nname=B\ndesc=" + std::string(1200, 'x') + "\n");
    EXPECT_EQ(PROFILE_MALFORMED_IN_SECTION, longLine.nStatus);
    int nLine = 0;
    GetVideoProfileStatus(&nLine);
    EXPECT_EQ(4, nLine);
}

TEST(VideoProfiles, CountsAreBounded)
{
    // A 31st stream.
    std::string text;
    for (int i = 0; i < 31; ++i)
        text += "[streamsetting]\nname=S" + std::to_string(i) + "\ncompress_mode=4\nmpeg4_mode=1\nsequence=1\n";
    Load many = LoadText(text);
    EXPECT_EQ(PROFILE_TOO_MANY, many.nStatus);
    EXPECT_FALSE(many.bLoaded);
    EXPECT_EQ(30u, many.tables->streamCount);

    // A driver table claiming more entries and links than it holds: read up
    // to what it holds; the link list is full.
    std::unique_ptr<EncoderCapabilityTable> caps = DriverTable();
    caps->streamCount = 1000;
    caps->linkCount = 5000;
    Load full = LoadText(std::string(kStream) + "rescfg=R\n", std::move(caps));
    EXPECT_EQ(PROFILE_LINKS_FULL, full.nStatus);
    EXPECT_EQ(300u, full.caps->linkCount);
    EXPECT_EQ(PROFILE_OK, BuildConfigCombinations(full.caps.get(), 0, kPalB));
    EXPECT_EQ(30u * 1 * 2, full.caps->combinationCount);
    FreeConfigCombinations(full.caps.get());

    // 299 links: room for one more, not for the closing one.
    caps = DriverTable();
    caps->linkCount = 299;
    Load last = LoadText(std::string(kStream) + "rescfg=R\n", std::move(caps));
    EXPECT_EQ(PROFILE_LINKS_FULL, last.nStatus);
    caps = DriverTable();
    caps->linkCount = 298;
    Load fits = LoadText(std::string(kResolution) + kStream + "rescfg=R\n", std::move(caps));
    EXPECT_EQ(PROFILE_OK, fits.nStatus);
    EXPECT_EQ(300u, fits.caps->linkCount);
}

TEST(VideoProfiles, TwoPartnersOfAKindAllowOnlyThem)
{
    Load load = LoadText(std::string(kStream) + "rescfg=R\nrescfg=Other\n" + kResolution);
    ASSERT_TRUE(load.bLoaded);
    // "Other" names no configuration of the file: nothing allows it.
    EXPECT_EQ(std::vector<std::string>({ "1,0->2,2", "1,0->2,any deny" }), LinkLines(*load.caps));
    DWORD allowed[4] = { CONFIG_KIND_STREAM, 0, CONFIG_KIND_RESOLUTION, 2 };
    DWORD other[4] = { CONFIG_KIND_STREAM, 0, CONFIG_KIND_RESOLUTION, 0 };
    DWORD otherStream[4] = { CONFIG_KIND_STREAM, 1, CONFIG_KIND_RESOLUTION, 0 };
    EXPECT_EQ(PROFILE_OK, CheckConfigLink(load.caps.get(), allowed));
    EXPECT_EQ(PROFILE_FORBIDDEN, CheckConfigLink(load.caps.get(), other));
    EXPECT_EQ(PROFILE_OK, CheckConfigLink(load.caps.get(), otherStream));
}

TEST(VideoProfiles, CheckConfigLinkTakesTheFirstMatchingLink)
{
    std::unique_ptr<EncoderCapabilityTable> caps = DriverTable();
    caps->linkCount = 3;
    caps->links[0] = { 1, CONFIG_ID_ANY, 4, 1, 0 };
    caps->links[1] = { 1, 0, 4, CONFIG_ID_ANY, 0x100 };  // only the low byte counts
    caps->links[2] = { 1, 0, 4, CONFIG_ID_ANY, 1 };
    DWORD first[4] = { 1, 0, 4, 1 };
    DWORD second[4] = { 1, 0, 4, 0 };
    DWORD otherKinds[4] = { 4, 0, 1, 0 };
    EXPECT_EQ(PROFILE_OK, CheckConfigLink(caps.get(), first));
    EXPECT_EQ(PROFILE_OK, CheckConfigLink(caps.get(), second));
    caps->links[1].deny = 0x101;
    EXPECT_EQ(PROFILE_FORBIDDEN, CheckConfigLink(caps.get(), second));
    EXPECT_EQ(PROFILE_OK, CheckConfigLink(caps.get(), otherKinds));

    // Without links every pair combines; an empty table combines nothing.
    caps->linkCount = 0;
    EXPECT_EQ(PROFILE_OK, BuildConfigCombinations(caps.get(), 0, kPalB));
    EXPECT_EQ(std::vector<std::string>({ "0/0/1", "0/2/1", "1/0/1", "1/2/1" }), Combinations(*caps));
    caps->streamCount = 0;
    EXPECT_EQ(PROFILE_NO_MATCH, BuildConfigCombinations(caps.get(), 0, kPalB));
    EXPECT_EQ(0u, caps->combinationCount);
}

TEST(VideoProfiles, SequenceHeaderOfAConfiguration)
{
    struct Row
    {
        DWORD width, height, frameRate;
        BYTE dvd, aspect;
        BYTE expected[12];
    } rows[] = {
        { 720, 576, 25025, 1, 3, { 0x00, 0x00, 0x01, 0xB3, 0x2D, 0x02, 0x40, 0x33, 0xFF, 0xFF, 0xF2, 0xA8 } },
        { 720, 480, 30000, 0, 3, { 0x00, 0x00, 0x01, 0xB3, 0x2D, 0x01, 0xE0, 0x24, 0xFF, 0xFF, 0xF2, 0xA8 } },
        { 352, 288, 24000, 1, 1, { 0x00, 0x00, 0x01, 0xB3, 0x16, 0x01, 0x20, 0x11, 0xFF, 0xFF, 0xF2, 0xA8 } },
        { 352, 240, 60060, 0, 0, { 0x00, 0x00, 0x01, 0xB3, 0x16, 0x00, 0xF0, 0x28, 0xFF, 0xFF, 0xF2, 0xA8 } },
        { 640, 480, 12345, 0, 0, { 0x00, 0x00, 0x01, 0xB3, 0x28, 0x01, 0xE0, 0x24, 0xFF, 0xFF, 0xF2, 0xA8 } },
    };
    for (const Row& row : rows)
    {
        EncoderConfig config = {};
        config.resolution.width = row.width;
        config.resolution.height = row.height;
        config.framerate.frame_rate = row.frameRate;
        config.stream.DVD_compliant = row.dvd;
        config.stream.aspect_ratio = row.aspect;
        const BYTE* pHeader = nullptr;
        ASSERT_EQ(12, BuildMpegSequenceHeader(&config, &pHeader));
        EXPECT_EQ(0, memcmp(row.expected, pHeader, 12)) << row.width << "x" << row.height;
    }
    EXPECT_EQ(0x78563412u, SwapByteOrder(0x12345678));
}

TEST(VideoProfiles, LoadsTheFileInTheWindowsFolder)
{
    char szPath[MAX_PATH];
    GetWindowsDirectoryA(szPath, MAX_PATH);
    std::string path = std::string(szPath) + "\\video_profiles.txt";
    std::string kept = path + ".kept";
    MoveFileExA(path.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING);
    std::unique_ptr<EncoderCapabilityTable> caps = DriverTable();
    std::unique_ptr<VideoProfileTables> tables(new VideoProfileTables);
    EXPECT_FALSE(LoadVideoProfiles(caps.get(), tables.get()));
    ASSERT_TRUE(CopyFileA(ONDRIX_TEST_DIR "/video_profiles.txt", path.c_str(), FALSE));
    EXPECT_TRUE(LoadVideoProfiles(caps.get(), tables.get()));
    EXPECT_EQ(2u, tables->streamCount);
    DeleteFileA(path.c_str());
    MoveFileExA(kept.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}
}
