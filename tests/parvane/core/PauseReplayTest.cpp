#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "tests/parvane/core/PackBuilder.h"
#include "tests/parvane/core/ParvaneOrdinals.h"

// Replays a recording through Parvane as the pause filter delivers it: the stream is cut at
// the pack that holds each GOP header, whole GOPs are dropped while paused, and every
// delivered GOP is re-stamped in place (ordinal 17) in blocks of a few packs. The outputs and
// a manifest go to the build folder, where check-restamped.py reads them with ffprobe.
namespace
{
typedef std::vector<BYTE> Bytes;

std::string FixtureDir()
{
    return std::string(ONDRIX_BINARY_DIR) + "/parvane-fixtures/";
}

std::string OutputDir()
{
    return std::string(ONDRIX_BINARY_DIR) + "/parvane-restamped/";
}

bool ReadFile(const std::string& path, Bytes* out)
{
    std::ifstream f(path.c_str(), std::ios::binary);
    if (!f)
        return false;
    out->assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return true;
}

// Positions of the packs that hold a GOP header, in file order.
std::vector<size_t> GopPacks(const Bytes& b)
{
    std::vector<size_t> packs;
    size_t lastPack = (size_t)-1;
    for (size_t i = 0; i + 4 <= b.size(); ++i)
    {
        if (b[i] != 0 || b[i + 1] != 0 || b[i + 2] != 1)
            continue;
        if (b[i + 3] == 0xBA)
            lastPack = i;
        else if (b[i + 3] == 0xB8 && lastPack != (size_t)-1 && (packs.empty() || packs.back() != lastPack))
            packs.push_back(lastPack);
    }
    return packs;
}

std::vector<size_t> PacksIn(const Bytes& b, size_t from, size_t to)
{
    std::vector<size_t> packs;
    for (size_t i = from; i + 4 <= to; ++i)
    {
        if (b[i] == 0 && b[i + 1] == 0 && b[i + 2] == 1 && b[i + 3] == 0xBA)
            packs.push_back(i);
    }
    return packs;
}

struct Replay
{
    const char* fixture;
    const char* output;
    int lostB;
    // One letter per GOP: K delivered, P dropped (paused).
    const char* plan;
    int packsPerBlock;
};

class PauseReplay : public ::testing::TestWithParam<Replay>
{
protected:
    static void SetUpTestSuite()
    {
        s_dll = new ParvaneOrdinals();
        s_bound = s_dll->Load();
        CreateDirectoryA(OutputDir().c_str(), nullptr);
    }
    static void TearDownTestSuite()
    {
        delete s_dll;
    }
    static ParvaneOrdinals* s_dll;
    static int s_bound;
};
ParvaneOrdinals* PauseReplay::s_dll = nullptr;
int PauseReplay::s_bound = 0;

TEST_P(PauseReplay, DeliversKeptGopsRestamped)
{
    const Replay& r = GetParam();
    ASSERT_EQ(26, s_bound);
    Bytes source;
    ASSERT_TRUE(ReadFile(FixtureDir() + r.fixture, &source)) << r.fixture;
    std::vector<size_t> gops = GopPacks(source);
    ASSERT_GE(gops.size(), strlen(r.plan)) << "the fixture has fewer GOPs than the plan";

    Bytes work = source;
    // What comes before the first GOP (system header packs) passes through unchanged.
    Bytes out(work.begin(), work.begin() + gops[0]);
    std::string kept;

    s_dll->ResetMpegFile();
    double last = 0.0;
    int first = 1;
    int lostB = r.lostB;
    bool paused = false;
    int restamped = 0;
    for (size_t g = 0; g < gops.size(); ++g)
    {
        char step = g < strlen(r.plan) ? r.plan[g] : 'K';
        if (step == 'P')
        {
            if (!paused)
            {
                paused = true;
                first = 1;                 // what the pause filter's reset does
                lostB = r.lostB;
            }
            continue;
        }
        paused = false;
        size_t from = gops[g];
        size_t to = g + 1 < gops.size() ? gops[g + 1] : work.size();
        std::vector<size_t> packs = PacksIn(work, from, to);
        CChunkList list;
        for (size_t p = 0; p < packs.size(); p += r.packsPerBlock)
        {
            size_t end = p + r.packsPerBlock < packs.size() ? packs[p + r.packsPerBlock] : to;
            list.Add(&work[packs[p]], (int)(end - packs[p]));
        }
        int n = s_dll->RestampChunks(list.List(), &last, &lostB, &first);
        EXPECT_EQ((int)packs.size(), n) << "GOP " << g;
        restamped += n;
        EXPECT_EQ(0, first);
        out.insert(out.end(), work.begin() + from, work.begin() + to);
        kept += (kept.empty() ? "" : ",") + std::to_string(g);
    }
    EXPECT_GT(restamped, 0);
    s_dll->ResetMpegFile();

    std::string outPath = OutputDir() + r.output;
    FILE* f = fopen(outPath.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    ASSERT_EQ(out.size(), fwrite(out.data(), 1, out.size(), f));
    fclose(f);

    // Ranges of the source that each GOP covers, for the check of the pictures.
    std::string ranges;
    for (size_t g = 0; g < gops.size(); ++g)
    {
        size_t to = g + 1 < gops.size() ? gops[g + 1] : source.size();
        ranges += (ranges.empty() ? "" : ",") + std::to_string(gops[g]) + "-" + std::to_string(to);
    }
    std::string manifest = OutputDir() + "manifest.txt";
    FILE* m = fopen(manifest.c_str(), "a");
    ASSERT_NE(nullptr, m);
    fprintf(m, "%s %s %d %s %s\n", r.fixture, r.output, r.lostB, kept.c_str(), ranges.c_str());
    fclose(m);
}

const Replay kReplays[] = {
    { "m2-closed.mpg", "m2-closed-pauses.mpg", 0, "KKPPKKPK", 3 },
    { "m2-open.mpg", "m2-open-lostb.mpg", 1, "KKPPKKPK", 4 },
    { "m2-open.mpg", "m2-open-keepb.mpg", 0, "KPKPPK", 1 },
    { "m2-ib.mpg", "m2-ib-lostb.mpg", 1, "KKKPPKKKPKKK", 2 },
    { "m1-system.mpg", "m1-pauses.mpg", 1, "KKPKKPPK", 3 },
    { "m1-system.mpg", "m1-keepb.mpg", 0, "KPPKK", 5 },
    { "dvd-nav.vob", "dvd-pauses.vob", 1, "KPKK", 2 },
    // The same plans over the layout of a multi-threaded encoder.
    { "m2-closed-t3.mpg", "t3-m2-closed-pauses.mpg", 0, "KKPPKKPK", 3 },
    { "m2-open-t3.mpg", "t3-m2-open-lostb.mpg", 1, "KKPPKKPK", 4 },
    { "m2-open-t3.mpg", "t3-m2-open-keepb.mpg", 0, "KPKPPK", 1 },
    { "m2-ib-t3.mpg", "t3-m2-ib-lostb.mpg", 1, "KKKPPKKKPKKK", 2 },
    { "m1-system-t3.mpg", "t3-m1-pauses.mpg", 1, "KKPKKPPK", 3 },
    { "m1-system-t3.mpg", "t3-m1-keepb.mpg", 0, "KPPKK", 5 },
    { "dvd-nav-t3.vob", "t3-dvd-pauses.vob", 1, "KPKK", 2 },
    // There the sequence headers of GOPs 2 and 5 end the pack before their GOP header: this
    // pause ends on a sequence header whose GOP was never delivered and resumes on a GOP
    // whose sequence header was not delivered either.
    { "m2-ib-t3.mpg", "t3-m2-ib-seqtail-lostb.mpg", 1, "KKPPPKKK", 2 },
    { "m2-ib-t3.mpg", "t3-m2-ib-seqtail-keepb.mpg", 0, "KKPPPKKK", 3 },
};

INSTANTIATE_TEST_SUITE_P(Recordings, PauseReplay, ::testing::ValuesIn(kReplays));
}
