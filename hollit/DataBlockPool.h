#pragma once

#include "hollit/DataBlock.h"

#include <deque>
#include <memory>
#include <vector>

// Every data block of one filter, and the free, filled and pending queues that move them along.
// Blocks keep their buffers between uses; the pool only grows while streaming.
class CDataBlockPool
{
public:
    typedef std::deque<CDataBlock*> BlockQueue;

    CDataBlockPool();
    ~CDataBlockPool();

    CDataBlockPool(const CDataBlockPool&) = delete;
    CDataBlockPool& operator=(const CDataBlockPool&) = delete;

    void Grow(int k);
    // Fills a free block with the bytes and puts it at the back of the filled queue.
    BOOL NewBlock(const BYTE* data, int n);
    // The block at the back of the filled queue, or null.
    CDataBlock* Current();
    void RemoveCurrent();
    void DropFilled();
    void DropPending();
    // Every filled block goes to the back of the pending queue; the first one carries the marks.
    void FilledToPending(int batchMarks = CDataBlock::BatchStart, int batchValue = 0);
    // A block of its own at the back of the pending queue, a batch by itself.
    BOOL AddPending(const BYTE* data, int n, int batchMarks, int batchValue);
    // Every filled block, pack by pack (a pack begins at each 00 00 01 BA), goes to the back of
    // the pending queue as batches of one pack each.
    void FilledToPendingByPack(int batchMarks, int batchValue);
    // Appends to the current block while it has room, else fills a new one.
    BOOL Store(const BYTE* data, int n);
    // Takes the last n bytes stored (a whole pack: one block holds them) back out of the filled
    // queue into out; FALSE when the current block holds fewer.
    BOOL TakeBack(int n, std::vector<BYTE>& out);
    // Moves the pending blocks, in order, into the caller's queue; returns their number.
    int TakePending(BlockQueue& out);
    // Clears the blocks of a taken batch and puts them back on the free queue.
    void Release(BlockQueue& taken);
    void FreeAll();

    int GetFilledCount();
    int GetPendingCount();
    int GetFreeCount();
    int GetBlockCount();

private:
    void MoveToFree(BlockQueue& from);
    // A free block (the pool grows when there is none) filled with the bytes and taken off the
    // free queue; null when none could be had. Under the pool lock.
    CDataBlock* FillFree(const BYTE* data, int n);

    std::vector<std::unique_ptr<CDataBlock>> m_blocks;
    BlockQueue m_free;
    BlockQueue m_filled;
    BlockQueue m_pending;
    CRITICAL_SECTION m_lock;
};
