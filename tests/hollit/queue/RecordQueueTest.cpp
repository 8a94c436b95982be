#include "hollit/DataBlock.h"
#include "hollit/DataBlockPool.h"
#include "hollit/RecordQueue.h"
#include "hollit/StartCodeSearch.h"

#include "SyntheticStream.h"
#include "TestSample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <thread>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

// The downstream side: keeps every sample it is given, as a filter that queues samples would.
class CTestOwner : public CRecordQueueOwner
{
public:
    explicit CTestOwner(int outSize) : m_outSize(outSize) { InitializeCriticalSection(&m_lock); }
    ~CTestOwner()
    {
        for (CTestSample* s : held)
            s->Release();
        DeleteCriticalSection(&m_lock);
    }

    HRESULT GetOutputSample(IMediaSample** ppOut) override
    {
        if (getFailures-- == 0)
            return VFW_E_NOT_COMMITTED;
        *ppOut = new CTestSample(m_outSize);
        return S_OK;
    }
    HRESULT DeliverDownstream(IMediaSample* pSample) override
    {
        EnterCriticalSection(&m_lock);
        ++deliverCalls;
        if (failAfter >= 0 && static_cast<int>(held.size()) >= failAfter) {
            LeaveCriticalSection(&m_lock);
            return STG_E_MEDIUMFULL;
        }
        pSample->AddRef();
        held.push_back(static_cast<CTestSample*>(pSample));
        LeaveCriticalSection(&m_lock);
        return S_OK;
    }
    void ClearSampleSkipped() override { ++skippedCleared; }

    Bytes Delivered() const
    {
        Bytes all;
        for (CTestSample* s : held) {
            Bytes b = s->Bytes();
            all.insert(all.end(), b.begin(), b.end());
        }
        return all;
    }
    std::vector<CTestSample*> held;
    int failAfter = -1;
    int getFailures = -1;
    int deliverCalls = 0;
    std::atomic<int> skippedCleared{0};

private:
    int m_outSize;
    CRITICAL_SECTION m_lock;
};

// Re-stamping that leaves the bytes alone and records each batch. Closing batches (first flag
// 2, the packs after a cut) are recorded apart and keep nothing, as Parvane finds for packs
// that hold neither the end of a picture nor of an audio frame; after `closingPacks` of them
// nothing is left open.
struct RestampLog
{
    std::vector<Bytes> batches;
    std::vector<std::vector<int>> chunkLengths;
    std::vector<int> firstFlags;
    std::vector<int> lostBModes;
    std::vector<Bytes> closings;
    int closingPacks = 1000;
    int result = 1;
};
RestampLog g_restamp;

int RecordingRestamp(const CDataBlockPool::BlockQueue& batch, double* lastTime, int* lostBMode, int* first)
{
    Bytes all;
    std::vector<int> lengths;
    for (CDataBlock* block : batch) {
        all.insert(all.end(), block->GetData(), block->GetData() + block->GetLength());
        lengths.push_back(block->GetLength());
    }
    if (*first == 2) {
        g_restamp.closings.push_back(all);
        if (static_cast<int>(g_restamp.closings.size()) >= g_restamp.closingPacks)
            *first = 0;
        return 0;
    }
    g_restamp.batches.push_back(all);
    g_restamp.chunkLengths.push_back(lengths);
    g_restamp.firstFlags.push_back(*first);
    g_restamp.lostBModes.push_back(*lostBMode);
    *first = 0;
    *lastTime += 1.0;
    return g_restamp.result;
}

class RecordQueueTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override { g_restamp = RestampLog(); }

    // Feeds the stream in samples of n bytes; actions[i] runs before sample i.
    HRESULT Feed(CRecordQueue& queue, const SyntheticStream& s, int n,
                 const std::map<int, std::function<void()>>& actions = {})
    {
        HRESULT last = S_OK;
        int index = 0;
        for (int at = 0; at < static_cast<int>(s.bytes.size()); at += n, ++index) {
            auto action = actions.find(index);
            if (action != actions.end())
                action->second();
            const int len = std::min<int>(n, static_cast<int>(s.bytes.size()) - at);
            CTestSample* sample = CTestSample::FromBytes(s.bytes.data() + at, len);
            last = queue.Receive(sample);
            sample->Release();
            if (FAILED(last))
                return last;
        }
        return last;
    }

    enum Step { Pause = 1, Resume, DeliveryOff, DeliveryOn };

    // Records the stream through the queue, with or without its deliver thread as the test is
    // run, taking the steps before the samples they are keyed by, and ends it as end-of-stream does.
    HRESULT Record(CRecordQueue& queue, const SyntheticStream& s, int n, const std::map<int, int>& steps = {})
    {
        if (GetParam())
            queue.StartDeliverThread();
        std::map<int, std::function<void()>> actions;
        for (const auto& step : steps) {
            const int what = step.second;
            actions[step.first] = [&queue, what] {
                queue.SetDeliver(what == Resume || what == DeliveryOn);
                if (what == Pause)
                    queue.ResetSync();
            };
        }
        HRESULT hr = Feed(queue, s, n, actions);
        if (SUCCEEDED(hr))
            hr = queue.FlushHeld();
        queue.StopDeliverThread();
        return hr;
    }

    // The whole stream was delivered from its first byte: every group must begin a block, and,
    // delivered on the streaming thread, form a batch of its own.
    void ExpectCutAtEveryGroup(const SyntheticStream& s)
    {
        std::vector<int> blockStarts;
        int at = 0;
        for (const std::vector<int>& lengths : g_restamp.chunkLengths) {
            for (int length : lengths) {
                blockStarts.push_back(at);
                at += length;
            }
        }
        for (int start : s.gopPackStart)
            EXPECT_NE(blockStarts.end(), std::find(blockStarts.begin(), blockStarts.end(), start)) << start;
        if (!GetParam()) {
            ASSERT_EQ(s.gopPackStart.size(), g_restamp.batches.size());
            for (size_t b = 0; b < g_restamp.batches.size(); ++b)
                EXPECT_EQ(std::vector<int>({static_cast<int>(b)}), WholeGopsIn(s, g_restamp.batches[b]));
        }
    }

    static std::vector<int> WholeGopsIn(const SyntheticStream& s, const Bytes& bytes)
    {
        // The GOP indexes the bytes are made of, in order; empty when they are not whole GOPs.
        std::vector<int> gops;
        size_t at = 0;
        while (at < bytes.size()) {
            bool found = false;
            for (int g = 0; g < static_cast<int>(s.gopPackStart.size()); ++g) {
                Bytes one = s.Gops(g, g + 1);
                if (at + one.size() <= bytes.size() && std::equal(one.begin(), one.end(), bytes.begin() + at)) {
                    gops.push_back(g);
                    at += one.size();
                    found = true;
                    break;
                }
            }
            if (!found)
                return {};
        }
        return gops;
    }
};

}

struct SearchRow
{
    Bytes data;
    int n;
    int forward;
    int backward;
};

TEST(StartCodeSearch, FindsFirstAndLastWithinBounds)
{
    const Bytes pack = {0x00, 0x00, 0x01, 0xBA};
    const std::vector<SearchRow> rows = {
        {{}, 0, -1, -1},
        {{0x00, 0x00, 0x01}, 3, -1, -1},
        {{0x00, 0x00, 0x01, 0xBA}, 4, 0, 0},
        {{0x00, 0x00, 0x01, 0xBA}, 3, 0, -1},
        {{0x11, 0x00, 0x00, 0x01, 0xBA}, 5, 1, 1},
        {{0x11, 0x00, 0x00, 0x01, 0xBA}, 4, 1, -1},
        {{0x00, 0x00, 0x01, 0xBA, 0x00, 0x00, 0x01, 0xBA, 0x55}, 9, 0, 4},
        {{0x00, 0x00, 0x01, 0xBA, 0x00, 0x00, 0x01, 0xBA, 0x55}, 7, 0, 0},
        {{0x00, 0x00, 0x01, 0xB8, 0x00, 0x00, 0x00, 0x01}, 8, -1, -1},
    };
    for (const SearchRow& row : rows) {
        const BYTE* p = row.data.empty() ? nullptr : row.data.data();
        EXPECT_EQ(row.forward, FindStartCodeForward(p ? p : pack.data(), static_cast<int>(row.data.size()), kPackHeaderCode));
        EXPECT_EQ(row.backward, FindStartCodeBackward(p ? p : pack.data(), row.n, kPackHeaderCode));
    }
    EXPECT_EQ(-1, FindStartCodeForward(nullptr, 8, kPackHeaderCode));
    EXPECT_EQ(-1, FindStartCodeBackward(nullptr, 8, kPackHeaderCode));
}

TEST(StartCodeSearch, FindsPrefixesFromAnyPoint)
{
    const Bytes data = {0x01, 0x00, 0x00, 0x00, 0x01, 0xBA, 0x00, 0x01, 0x00, 0x00, 0x01};
    const int n = static_cast<int>(data.size());
    EXPECT_EQ(2, FindStartCodePrefix(data.data(), 0, n)) << "the zeros nearest the 01";
    EXPECT_EQ(2, FindStartCodePrefix(data.data(), 2, n));
    EXPECT_EQ(8, FindStartCodePrefix(data.data(), 3, n));
    EXPECT_EQ(-1, FindStartCodePrefix(data.data(), 3, n - 1)) << "wholly inside the range only";
    EXPECT_EQ(-1, FindStartCodePrefix(data.data(), 9, n));
    EXPECT_EQ(-1, FindStartCodePrefix(nullptr, 0, n));
}

TEST(StartCodeSearch, CountsOverlappingMatches)
{
    const Bytes data = {0xAA, 0xAA, 0xAA, 0xAA, 0x00, 0x00, 0x01, 0xBB, 0x00, 0x00, 0x01, 0xBB};
    const BYTE twoA[2] = {0xAA, 0xAA};
    EXPECT_EQ(3, CountPatternMatches(data.data(), static_cast<int>(data.size()), twoA, 2));
    EXPECT_EQ(2, CountPatternMatches(data.data(), static_cast<int>(data.size()), kSystemHeaderCode, 4));
    EXPECT_EQ(1, CountPatternMatches(data.data(), 8, kSystemHeaderCode, 4));
    EXPECT_EQ(0, CountPatternMatches(data.data(), 7, kSystemHeaderCode, 4));
    EXPECT_EQ(0, CountPatternMatches(nullptr, 7, kSystemHeaderCode, 4));
}

TEST(DataBlock, BuffersGrowOnlyWhenNeeded)
{
    CDataBlock block;
    EXPECT_EQ(CDataBlock::NoBuffer, block.GetState());
    Bytes ten(10, 0x33), big(5000, 0x44);
    EXPECT_FALSE(block.Append(ten.data(), 10));

    const LONG saved = g_lLargestInputBufferSize;
    g_lLargestInputBufferSize = 2048;
    ASSERT_TRUE(block.Fill(ten.data(), 10));
    EXPECT_EQ(2048, block.GetCapacity());
    EXPECT_EQ(10, block.GetLength());
    EXPECT_EQ(CDataBlock::Filled, block.GetState());
    BYTE* first = block.GetData();

    ASSERT_TRUE(block.Append(ten.data(), 2038));
    EXPECT_EQ(2048, block.GetCapacity());
    EXPECT_EQ(first, block.GetData());
    ASSERT_TRUE(block.Append(ten.data(), 1));
    EXPECT_EQ(2049, block.GetCapacity());
    EXPECT_EQ(2049, block.GetLength());

    ASSERT_TRUE(block.Fill(big.data(), 5000));
    EXPECT_EQ(5000, block.GetCapacity());
    EXPECT_EQ(0x44, block.GetData()[4999]);
    ASSERT_TRUE(block.Fill(ten.data(), 10));
    EXPECT_EQ(5000, block.GetCapacity());

    block.Mark(TRUE);
    EXPECT_EQ(CDataBlock::Pending, block.GetState());
    block.Mark(FALSE);
    EXPECT_EQ(CDataBlock::Filled, block.GetState());
    block.Truncate(4);
    EXPECT_EQ(4, block.GetLength());
    block.Clear();
    EXPECT_EQ(CDataBlock::Free, block.GetState());
    EXPECT_EQ(0, block.GetLength());
    block.FreeBuffer();
    EXPECT_EQ(CDataBlock::NoBuffer, block.GetState());
    EXPECT_EQ(0, block.GetCapacity());
    EXPECT_EQ(nullptr, block.GetData());

    g_lLargestInputBufferSize = 65536;
    ASSERT_TRUE(block.Fill(ten.data(), 10));
    EXPECT_EQ(65536, block.GetCapacity());
    g_lLargestInputBufferSize = saved;
}

TEST(DataBlockPool, MovesBlocksThroughTheQueues)
{
    CDataBlockPool pool;
    EXPECT_EQ(nullptr, pool.Current());
    const BYTE a[3] = {1, 2, 3}, b[2] = {4, 5};
    ASSERT_TRUE(pool.NewBlock(a, 3));
    EXPECT_EQ(10, pool.GetBlockCount());
    EXPECT_EQ(9, pool.GetFreeCount());
    ASSERT_TRUE(pool.NewBlock(b, 2));
    EXPECT_EQ(2, pool.Current()->GetLength());
    pool.RemoveCurrent();
    EXPECT_EQ(3, pool.Current()->GetLength());
    EXPECT_EQ(9, pool.GetFreeCount());

    pool.FilledToPending();
    EXPECT_EQ(0, pool.GetFilledCount());
    EXPECT_EQ(1, pool.GetPendingCount());
    CDataBlockPool::BlockQueue taken;
    EXPECT_EQ(1, pool.TakePending(taken));
    EXPECT_EQ(CDataBlock::Pending, taken.front()->GetState());
    EXPECT_EQ(0, pool.GetPendingCount());
    pool.Release(taken);
    EXPECT_TRUE(taken.empty());
    EXPECT_EQ(10, pool.GetFreeCount());

    for (int i = 0; i < 11; ++i)
        ASSERT_TRUE(pool.NewBlock(a, 3));
    EXPECT_EQ(20, pool.GetBlockCount());
    pool.DropFilled();
    EXPECT_EQ(20, pool.GetFreeCount());
    pool.FreeAll();
    EXPECT_EQ(0, pool.GetBlockCount());
    EXPECT_EQ(nullptr, pool.Current());
}

TEST_P(RecordQueueTest, DeliversTheWholeStreamFromTheFirstGroupWhateverTheSampleSize)
{
    // Two packs before the first group: the first carries the system header and goes on as it
    // came; the second carries neither and is dropped. Every group after them goes on re-stamped.
    const SyntheticStream s = SyntheticStream::Make(2, 10, 6, 2048, true);
    Bytes expected = s.Range(0, 2048);
    const Bytes groups = s.Range(4096, static_cast<int>(s.bytes.size()));
    expected.insert(expected.end(), groups.begin(), groups.end());
    for (int sampleSize : {188, 1000, 2048, 3000, 4095, 65536}) {
        SCOPED_TRACE(sampleSize);
        g_restamp = RestampLog();
        CTestOwner owner(1500);
        CRecordQueue queue(&owner, &RecordingRestamp);
        ASSERT_EQ(S_OK, Record(queue, s, sampleSize));

        EXPECT_EQ(expected, owner.Delivered());
        for (CTestSample* held : owner.held)
            EXPECT_LE(held->GetActualDataLength(), 1500);
        ASSERT_FALSE(g_restamp.batches.empty());
        EXPECT_EQ(s.Gops(0, 1), g_restamp.batches.front()) << "the packs before the first group are not re-stamped";
        EXPECT_EQ(1, g_restamp.firstFlags.front());
        for (size_t i = 1; i < g_restamp.firstFlags.size(); ++i)
            EXPECT_EQ(0, g_restamp.firstFlags[i]);
        for (const Bytes& batch : g_restamp.batches)
            EXPECT_EQ(0, memcmp(batch.data(), kPackHeaderCode, 4));
    }
}

struct PauseRow
{
    const char* name;
    std::map<int, int> actions;  // sample index -> step (1 pause, 2 resume, 3 delivery off, 4 on)
    std::vector<int> gops;       // groups expected downstream
    std::vector<int> newBases;   // groups whose delivery starts a new time base
};

TEST_P(RecordQueueTest, PauseDropsWholeGroups)
{
    // One 2048-byte pack per sample: GOP g occupies samples 6g .. 6g + 5.
    const SyntheticStream s = SyntheticStream::Make(0, 10, 6, 2048, true);
    const std::vector<PauseRow> rows = {
        {"pause and resume inside one group", {{8, 1}, {10, 2}}, {0, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 2}},
        {"resume two groups later", {{8, 1}, {20, 2}}, {0, 3, 4, 5, 6, 7, 8, 9}, {0, 3}},
        {"pause on a group's first sample", {{12, 1}, {13, 2}}, {0, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 2}},
        {"pause one sample before the boundary", {{11, 1}, {12, 2}}, {0, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 2}},
        {"pause right after a boundary", {{13, 1}, {14, 2}}, {0, 1, 3, 4, 5, 6, 7, 8, 9}, {0, 3}},
        {"paused at the end", {{8, 1}}, {0}, {0}},
        {"paused twice", {{8, 1}, {10, 2}, {32, 1}, {37, 2}}, {0, 2, 3, 4, 6, 7, 8, 9}, {0, 2, 6}},
        {"delivery switched off and on inside a group", {{8, 3}, {10, 4}}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {0}},
        // A group dropped without a pause still leaves a gap: what follows it starts a new time base.
        {"delivery off across a boundary", {{8, 3}, {14, 4}}, {0, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 2}},
    };
    for (const PauseRow& row : rows) {
        SCOPED_TRACE(row.name);
        g_restamp = RestampLog();
        CTestOwner owner(2048);
        CRecordQueue queue(&owner, &RecordingRestamp);
        ASSERT_EQ(S_OK, Record(queue, s, 2048, row.actions));

        EXPECT_EQ(row.gops, WholeGopsIn(s, owner.Delivered()));
        EXPECT_EQ(0, queue.GetPool().GetFilledCount());
        EXPECT_EQ(0, queue.GetPool().GetPendingCount());
        // Every pause starts a new time base with the first group delivered after it, never earlier.
        std::vector<int> newBases;
        for (size_t b = 0; b < g_restamp.batches.size(); ++b) {
            if (g_restamp.firstFlags[b])
                newBases.push_back(WholeGopsIn(s, g_restamp.batches[b]).front());
        }
        EXPECT_EQ(row.newBases, newBases);
    }
}

TEST_P(RecordQueueTest, SampleSizeDoesNotChangeWhatIsRecorded)
{
    // Pause in the middle of group 3 and resume in the middle of group 5 (six 2048-byte packs
    // each): groups 3 and 4 are dropped, group 5 goes on at the boundary after the resume. The
    // bytes recorded are the same whether the stream comes in small or large samples.
    const SyntheticStream s = SyntheticStream::Make(0, 10, 6, 2048, false);
    const int pauseAt = 3 * 6 * 2048 + 5000, resumeAt = 5 * 6 * 2048 + 5000;
    for (int size : {188, 376, 1000, 2048, 3000, 4095}) {
        SCOPED_TRACE(size);
        g_restamp = RestampLog();
        CTestOwner owner(4096);
        CRecordQueue queue(&owner, &RecordingRestamp);
        ASSERT_EQ(S_OK, Record(queue, s, size, {{pauseAt / size, Pause}, {resumeAt / size, Resume}}));
        EXPECT_EQ(std::vector<int>({0, 1, 2, 5, 6, 7, 8, 9}), WholeGopsIn(s, owner.Delivered()));
        // The packs that the pause dropped after a delivered group went to re-stamping as a
        // closing, one pack each, in order, from group 3's first pack.
        ASSERT_FALSE(g_restamp.closings.empty());
        for (size_t i = 0; i < g_restamp.closings.size(); ++i)
            EXPECT_EQ(s.Range(3 * 6 * 2048 + static_cast<int>(i) * 2048, 3 * 6 * 2048 + static_cast<int>(i + 1) * 2048),
                      g_restamp.closings[i]) << i;
    }
}

TEST_P(RecordQueueTest, ClosingEndsWhenNothingIsOpen)
{
    // Paused in group 2 and never resumed: the dropped packs go to re-stamping one by one until
    // it finds nothing left open (here after three), then no more.
    const SyntheticStream s = SyntheticStream::Make(0, 6, 6, 2048, false);
    g_restamp.closingPacks = 3;
    CTestOwner owner(2048);
    CRecordQueue queue(&owner, &RecordingRestamp);
    ASSERT_EQ(S_OK, Record(queue, s, 2048, {{14, Pause}}));
    EXPECT_EQ(std::vector<int>({0, 1}), WholeGopsIn(s, owner.Delivered()));
    EXPECT_EQ(3u, g_restamp.closings.size());
}

TEST_P(RecordQueueTest, GroupBeginsAtThePackOfItsSequenceHeader)
{
    // Each GOP's sequence header begins at the end of the pack before its GOP header: a group
    // runs from that pack, so a group delivered after a pause has its sequence header.
    const SyntheticStream s = SyntheticStream::Make(0, 6, 4, 2048, false, 40, true);
    for (int size : {188, 2048, 3000}) {
        SCOPED_TRACE(size);
        g_restamp = RestampLog();
        CTestOwner owner(2048);
        CRecordQueue queue(&owner, &RecordingRestamp);
        ASSERT_EQ(S_OK, Record(queue, s, size, {{5 * 2048 / size, Pause}, {9 * 2048 / size, Resume}}));
        ASSERT_EQ(5u, g_restamp.batches.size());
        Bytes expected = s.Range(s.sequencePack[1], s.sequencePack[2]);
        EXPECT_EQ(expected, g_restamp.batches[1]) << "the first group after the pause";
        EXPECT_EQ(1, g_restamp.firstFlags[1]);
    }
}

TEST_P(RecordQueueTest, BytesBeforeTheFirstPackAreSkipped)
{
    // Noise, a stray pack header and a corrupt one in front of the stream: none of it opens a
    // group or reaches the output, and the recording is whole.
    const SyntheticStream s = SyntheticStream::Make(1, 4, 3, 2048, true);
    Bytes noise(1500, 0x9C);
    const BYTE stray[14] = {0x00, 0x00, 0x01, 0xBA, 0xFF, 0xEE, 0xDD, 0xCC, 0xBB, 0xAA, 0x99, 0x88, 0x77, 0x66};
    memcpy(noise.data() + 500, stray, 14);
    memcpy(noise.data() + 1486, stray, 14);
    SyntheticStream junk = s;
    junk.bytes.insert(junk.bytes.begin(), noise.begin(), noise.end());
    for (int size : {188, 2048, 65536}) {
        SCOPED_TRACE(size);
        g_restamp = RestampLog();
        CTestOwner owner(2048);
        CRecordQueue queue(&owner, &RecordingRestamp);
        ASSERT_EQ(S_OK, Record(queue, junk, size));
        EXPECT_EQ(s.bytes, owner.Delivered());
    }
}

TEST_P(RecordQueueTest, PausedStreamWithoutGroupsHoldsNothing)
{
    const SyntheticStream s = SyntheticStream::Make(0, 1, 40, 2048, false);
    CTestOwner owner(2048);
    CRecordQueue queue(&owner, &RecordingRestamp);
    if (GetParam())
        queue.StartDeliverThread();
    ASSERT_EQ(S_OK, Feed(queue, s, 2048, {{3, [&] { queue.SetDeliver(0); queue.ResetSync(); }}}));
    // Samples 3 .. 39 carry no GOP header: dropped on arrival, not held.
    EXPECT_EQ(0, queue.GetPool().GetFilledCount());
    queue.StopDeliverThread();
    EXPECT_TRUE(owner.Delivered().empty());
}

TEST_P(RecordQueueTest, GroupWhosePackBeganInTheSampleBefore)
{
    // The GOP header sits 1500 bytes into its pack; with these sample sizes some groups have their
    // pack header at the end of the sample before (GOP 1 for 1600 bytes, GOP 4 for 2000).
    const SyntheticStream s = SyntheticStream::Make(0, 8, 3, 2048, false, 1500);
    for (int size : {1600, 2000}) {
        SCOPED_TRACE(size);
        g_restamp = RestampLog();
        CTestOwner owner(4096);
        CRecordQueue queue(&owner, &RecordingRestamp);
        ASSERT_EQ(S_OK, Record(queue, s, size));
        EXPECT_EQ(std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7}), WholeGopsIn(s, owner.Delivered()));
        // Every group is cut at its own pack, also where the GOP header's sample holds no whole
        // pack header (GOP 1 for 1600-byte samples).
        ExpectCutAtEveryGroup(s);
    }
}

TEST_P(RecordQueueTest, StartCodesSplitBetweenSamplesStillCut)
{
    // GOP g begins at 6144 g with its header 40 bytes in. Sample sizes are picked so that some pack
    // header, or some GOP header, is split between two samples; every group must still be cut at
    // its own pack header, one batch per group.
    const SyntheticStream s = SyntheticStream::Make(0, 12, 3, 2048, false, 40);
    auto splits = [&](int size, int offsetInGop) {
        int count = 0;
        for (int g = 1; g < 12; ++g) {
            const int at = 6144 * g + offsetInGop;
            count += (at % size) > size - 4 ? 1 : 0;
        }
        return count;
    };
    int packSplit = 0, gopSplit = 0;
    for (int size = 2100; size < 6000 && (!packSplit || !gopSplit); ++size) {
        if (!packSplit && splits(size, 0) > 0 && splits(size, 40) == 0)
            packSplit = size;
        if (!gopSplit && splits(size, 40) > 0 && splits(size, 0) == 0)
            gopSplit = size;
    }
    ASSERT_NE(0, packSplit);
    ASSERT_NE(0, gopSplit);
    for (int size : {packSplit, gopSplit}) {
        SCOPED_TRACE(size);
        g_restamp = RestampLog();
        CTestOwner owner(4096);
        CRecordQueue queue(&owner, &RecordingRestamp);
        ASSERT_EQ(S_OK, Record(queue, s, size));
        EXPECT_EQ(s.bytes, owner.Delivered());
        ExpectCutAtEveryGroup(s);
    }
}

TEST_P(RecordQueueTest, EachPieceOfAChunkIsItsOwnSample)
{
    // One GOP of two 2560-byte packs per 5120-byte sample, the size of the input buffers: every
    // batch is one 5120-byte block, 2.5 output buffers of 2048 bytes.
    const SyntheticStream s = SyntheticStream::Make(0, 4, 2, 2560, false);
    const LONG saved = g_lLargestInputBufferSize;
    g_lLargestInputBufferSize = 5120;
    CTestOwner owner(2048);
    CRecordQueue queue(&owner, &RecordingRestamp);
    ASSERT_EQ(S_OK, Record(queue, s, 5120));

    ASSERT_EQ(12u, owner.held.size());
    for (size_t i = 0; i < owner.held.size(); ++i) {
        EXPECT_EQ(i % 3 == 2 ? 1024 : 2048, owner.held[i]->GetActualDataLength());
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(owner.held[i], owner.held[j]);
    }
    EXPECT_EQ(s.bytes, owner.Delivered());
    EXPECT_EQ(12, queue.GetSamplesDelivered());
    EXPECT_EQ(static_cast<LONGLONG>(s.bytes.size()), queue.GetBytesDelivered());
    g_lLargestInputBufferSize = saved;
}

TEST_P(RecordQueueTest, DownstreamFailureIsReportedAndStopsDelivery)
{
    const SyntheticStream s = SyntheticStream::Make(0, 10, 6, 2048, false);
    CTestOwner owner(2048);
    owner.failAfter = 8;
    CRecordQueue queue(&owner, &RecordingRestamp);
    if (GetParam())
        queue.StartDeliverThread();
    HRESULT hr = Feed(queue, s, 2048);
    if (GetParam() && SUCCEEDED(hr))
        hr = queue.FlushHeld();
    queue.StopDeliverThread();
    EXPECT_EQ(STG_E_MEDIUMFULL, hr);
    EXPECT_EQ(STG_E_MEDIUMFULL, queue.GetDeliverResult());
    EXPECT_EQ(8u, owner.held.size());
    EXPECT_EQ(9, owner.deliverCalls);

    CTestSample* more = CTestSample::FromBytes(s.bytes.data(), 2048);
    EXPECT_EQ(STG_E_MEDIUMFULL, queue.Receive(more));
    more->Release();
    EXPECT_EQ(9, owner.deliverCalls);

    queue.Rearm();
    EXPECT_EQ(S_OK, queue.GetDeliverResult());
}

TEST_P(RecordQueueTest, RestampFailureStopsDelivery)
{
    const SyntheticStream s = SyntheticStream::Make(0, 4, 6, 2048, false);
    CTestOwner owner(2048);
    g_restamp.result = -1;
    CRecordQueue queue(&owner, &RecordingRestamp);
    if (GetParam())
        queue.StartDeliverThread();
    HRESULT hr = Feed(queue, s, 2048);
    if (SUCCEEDED(hr))
        hr = queue.FlushHeld();
    queue.StopDeliverThread();
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(1u, g_restamp.batches.size());
    EXPECT_TRUE(owner.held.empty());
}

TEST_P(RecordQueueTest, BatchWithNothingToRestampIsLeftOut)
{
    // Re-stamping finds nothing in the first two groups (no sequence header yet, say): they are
    // left out and the recording goes on with the next ones.
    const SyntheticStream s = SyntheticStream::Make(0, 4, 6, 2048, false);
    CTestOwner owner(2048);
    CRecordQueue queue(&owner, [](const CDataBlockPool::BlockQueue& batch, double* lastTime, int* lostBMode, int* first) {
        return RecordingRestamp(batch, lastTime, lostBMode, first) * (g_restamp.batches.size() > 2 ? 1 : 0);
    });
    ASSERT_EQ(S_OK, Record(queue, s, 2048));
    EXPECT_EQ(std::vector<int>({2, 3}), WholeGopsIn(s, owner.Delivered()));
}

TEST_P(RecordQueueTest, NoOutputSampleEndsTheBatch)
{
    const SyntheticStream s = SyntheticStream::Make(0, 4, 6, 2048, false);
    CTestOwner owner(2048);
    owner.getFailures = 3;
    CRecordQueue queue(&owner, &RecordingRestamp);
    if (GetParam())
        queue.StartDeliverThread();
    HRESULT hr = Feed(queue, s, 2048);
    if (SUCCEEDED(hr))
        hr = queue.FlushHeld();
    queue.StopDeliverThread();
    EXPECT_EQ(VFW_E_NOT_COMMITTED, hr);
    EXPECT_EQ(3u, owner.held.size());
    EXPECT_EQ(0, queue.GetPool().GetPendingCount());
}

TEST_P(RecordQueueTest, PausingFromAnotherThreadKeepsGroupsWhole)
{
    const SyntheticStream s = SyntheticStream::Make(0, 60, 5, 2048, false);
    for (int size : {2048, 3000}) {
        SCOPED_TRACE(size);
        g_restamp = RestampLog();
        CTestOwner owner(2048);
        CRecordQueue queue(&owner, &RecordingRestamp);
        if (GetParam())
            queue.StartDeliverThread();
        std::atomic<bool> done(false);
        std::thread ui([&] {
            int n = 0;
            while (!done) {
                if (++n % 2) {
                    queue.SetDeliver(0);
                    queue.ResetSync();
                } else {
                    queue.SetDeliver(1);
                }
                Sleep(0);
            }
        });
        for (int round = 0; round < 4; ++round)
            ASSERT_EQ(S_OK, Feed(queue, s, size));
        done = true;
        ui.join();
        queue.SetDeliver(1);
        ASSERT_EQ(S_OK, queue.FlushHeld());
        queue.StopDeliverThread();
        for (const Bytes& batch : g_restamp.batches)
            EXPECT_FALSE(WholeGopsIn(s, batch).empty());
    }
}

// Downstream that keeps its buffers until the output lets go of its allocator: a delivery waits
// in GetDeliveryBuffer until then, and fails after.
class CBufferKeepingOwner : public CTestOwner
{
public:
    CBufferKeepingOwner()
        : CTestOwner(2048), waiting(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          decommitted(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~CBufferKeepingOwner()
    {
        CloseHandle(waiting);
        CloseHandle(decommitted);
    }
    HRESULT GetOutputSample(IMediaSample**) override
    {
        SetEvent(waiting);
        WaitForSingleObject(decommitted, INFINITE);
        return VFW_E_NOT_COMMITTED;
    }
    HANDLE waiting;
    HANDLE decommitted;
};

TEST(RecordQueue, StoppingIsNotHeldByADeliveryWaitingForABuffer)
{
    g_restamp = RestampLog();
    const SyntheticStream s = SyntheticStream::Make(0, 6, 3, 2048, false);
    CBufferKeepingOwner owner;
    CRecordQueue queue(&owner, &RecordingRestamp);
    queue.StartDeliverThread();
    for (int at = 0; at < static_cast<int>(s.bytes.size()); at += 2048) {
        CTestSample* sample = CTestSample::FromBytes(s.bytes.data() + at, 2048);
        EXPECT_EQ(S_OK, queue.Receive(sample));
        sample->Release();
    }
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(owner.waiting, 30000));
    // The stop's flush gives up at once instead of waiting for the buffer...
    EXPECT_EQ(S_OK, queue.FlushHeld(0));
    EXPECT_FALSE(queue.WaitPending(0));
    // ...so that the output can decommit, which frees the delivery; then the thread ends.
    SetEvent(owner.decommitted);
    queue.StopDeliverThread();
    EXPECT_FALSE(queue.HasDeliverThread());
    EXPECT_EQ(VFW_E_NOT_COMMITTED, queue.GetDeliverResult());
    EXPECT_EQ(0, queue.GetPool().GetPendingCount());
    EXPECT_TRUE(owner.held.empty());
}

TEST(RecordQueue, WithoutOwnerDoesNothing)
{
    CRecordQueue queue(nullptr, &RecordingRestamp);
    EXPECT_EQ(S_OK, queue.Receive(nullptr));
    CTestOwner owner(2048);
    CRecordQueue owned(&owner, &RecordingRestamp);
    EXPECT_EQ(E_POINTER, owned.Receive(nullptr));
}

INSTANTIATE_TEST_SUITE_P(DeliverThread, RecordQueueTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "WithThread" : "Inline"; });
