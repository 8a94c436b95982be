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
    void FilledToPending();
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

    std::vector<std::unique_ptr<CDataBlock>> m_blocks;
    BlockQueue m_free;
    BlockQueue m_filled;
    BlockQueue m_pending;
    CRITICAL_SECTION m_lock;
};
