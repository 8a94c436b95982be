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

    HRESULT PassDownstream(IMediaSample* pSample) override
    {
        BYTE* p = nullptr;
        pSample->GetPointer(&p);
        EnterCriticalSection(&m_lock);
        passed.push_back(Bytes(p, p + pSample->GetActualDataLength()));
        LeaveCriticalSection(&m_lock);
        return passResult;
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
    Bytes Passed() const
    {
        Bytes all;
        for (const Bytes& b : passed)
            all.insert(all.end(), b.begin(), b.end());
        return all;
    }

    std::vector<Bytes> passed;
    std::vector<CTestSample*> held;
    HRESULT passResult = S_OK;
    int failAfter = -1;
    int getFailures = -1;
    int deliverCalls = 0;
    std::atomic<int> skippedCleared{0};

private:
    int m_outSize;
    CRITICAL_SECTION m_lock;
};

// Re-stamping that leaves the bytes alone and records each batch.
struct RestampLog
{
    std::vector<Bytes> batches;
    std::vector<std::vector<int>> chunkLengths;
    std::vector<int> firstFlags;
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
    g_restamp.batches.push_back(all);
    g_restamp.chunkLengths.push_back(lengths);
    g_restamp.firstFlags.push_back(*first);
    *first = 0;
    *lastTime += 1.0;
    (void)lostBMode;
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

struct FirstGroupRow
{
    int sampleSize;
    int passedEnd;      // the bytes passed straight through before the first group: [0, passedEnd)
    int deliveredFrom;  // delivery then runs from here to the stream's end
};

TEST_P(RecordQueueTest, DeliversTheWholeStreamFromTheFirstGroup)
{
    const SyntheticStream s = SyntheticStream::Make(2, 10, 6, 2048, true);
    const std::vector<FirstGroupRow> rows = {
        {2048, 2048, 4096}, {1000, 1000, 4096}, {3000, 3000, 4096}, {4095, 4095, 4096}, {65536, 0, 0},
    };
    for (const FirstGroupRow& row : rows) {
        SCOPED_TRACE(row.sampleSize);
        g_restamp = RestampLog();
        CTestOwner owner(1500);
        CRecordQueue queue(&owner, &RecordingRestamp);
        if (GetParam())
            queue.StartDeliverThread();
        ASSERT_EQ(S_OK, Feed(queue, s, row.sampleSize));
        ASSERT_EQ(S_OK, queue.FlushHeld());
        queue.StopDeliverThread();

        EXPECT_EQ(s.Range(0, row.passedEnd), owner.Passed());
        EXPECT_EQ(s.Range(row.deliveredFrom, static_cast<int>(s.bytes.size())), owner.Delivered());
        for (CTestSample* held : owner.held)
            EXPECT_LE(held->GetActualDataLength(), 1500);
        ASSERT_FALSE(g_restamp.batches.empty());
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
    std::map<int, int> actions;  // sample index -> 1 PauseRecord, 2 ResumeRecord, 3 deliver off, 4 deliver on
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
        {"delivery off across a boundary", {{8, 3}, {14, 4}}, {0, 2, 3, 4, 5, 6, 7, 8, 9}, {0}},
    };
    for (const PauseRow& row : rows) {
        SCOPED_TRACE(row.name);
        g_restamp = RestampLog();
        CTestOwner owner(2048);
        CRecordQueue queue(&owner, &RecordingRestamp);
        if (GetParam())
            queue.StartDeliverThread();
        std::map<int, std::function<void()>> actions;
        for (const auto& a : row.actions) {
            switch (a.second) {
            case 1: actions[a.first] = [&] { queue.SetDeliver(0); queue.ResetSync(); }; break;
            case 2: actions[a.first] = [&] { queue.SetDeliver(1); }; break;
            case 3: actions[a.first] = [&] { queue.SetDeliver(0); }; break;
            case 4: actions[a.first] = [&] { queue.SetDeliver(1); }; break;
            }
        }
        ASSERT_EQ(S_OK, Feed(queue, s, 2048, actions));
        ASSERT_EQ(S_OK, queue.FlushHeld());
        queue.StopDeliverThread();

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
        if (GetParam())
            queue.StartDeliverThread();
        ASSERT_EQ(S_OK, Feed(queue, s, size));
        ASSERT_EQ(S_OK, queue.FlushHeld());
        queue.StopDeliverThread();
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
        if (GetParam())
            queue.StartDeliverThread();
        ASSERT_EQ(S_OK, Feed(queue, s, size));
        ASSERT_EQ(S_OK, queue.FlushHeld());
        queue.StopDeliverThread();
        EXPECT_EQ(s.bytes, owner.Delivered());
        ExpectCutAtEveryGroup(s);
    }
}

TEST_P(RecordQueueTest, EachPieceOfAChunkIsItsOwnSample)
{
    // One GOP of two 2560-byte packs per 5120-byte sample: every batch is one 5120-byte block,
    // 2.5 output buffers of 2048 bytes.
    const SyntheticStream s = SyntheticStream::Make(0, 4, 2, 2560, false);
    CTestOwner owner(2048);
    CRecordQueue queue(&owner, &RecordingRestamp);
    if (GetParam())
        queue.StartDeliverThread();
    ASSERT_EQ(S_OK, Feed(queue, s, 5120));
    ASSERT_EQ(S_OK, queue.FlushHeld());
    queue.StopDeliverThread();

    ASSERT_EQ(12u, owner.held.size());
    for (size_t i = 0; i < owner.held.size(); ++i) {
        EXPECT_EQ(i % 3 == 2 ? 1024 : 2048, owner.held[i]->GetActualDataLength());
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(owner.held[i], owner.held[j]);
    }
    EXPECT_EQ(s.bytes, owner.Delivered());
    EXPECT_EQ(12, queue.GetSamplesDelivered());
    EXPECT_EQ(static_cast<LONGLONG>(s.bytes.size()), queue.GetBytesDelivered());
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
    g_restamp.result = 0;
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

TEST_P(RecordQueueTest, PassThroughResultIsReturned)
{
    const SyntheticStream s = SyntheticStream::Make(1, 1, 2, 2048, true);
    CTestOwner owner(2048);
    owner.passResult = S_FALSE;
    CRecordQueue queue(&owner, &RecordingRestamp);
    CTestSample* first = CTestSample::FromBytes(s.bytes.data(), 2048);
    EXPECT_EQ(S_FALSE, queue.Receive(first));
    first->Release();
    EXPECT_EQ(1u, owner.passed.size());
    EXPECT_EQ(1, queue.GetSamplesDelivered());
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
