#pragma once

#include <windows.h>

// Least size of a data block's buffer: the largest input buffer any filter instance has seen.
// Starts at 2048 and is raised by the filter's DecideBufferSize.
extern volatile LONG g_lLargestInputBufferSize;

// One pack-aligned piece of the recorded stream, reused through the pool.
class CDataBlock
{
public:
    enum State { NoBuffer = -1, Free = 0, Filled = 1, Pending = 2 };
    // Marks of the first block of a batch handed on for delivery.
    enum Batch { BatchStart = 1, NewTimeBase = 2, LeadIn = 4, Closing = 8 };

    CDataBlock();
    virtual ~CDataBlock();

    CDataBlock(const CDataBlock&) = delete;
    CDataBlock& operator=(const CDataBlock&) = delete;

    // Replaces the contents; FALSE (and the block emptied) when no buffer could be had.
    BOOL Fill(const BYTE* data, int n);
    // Adds bytes at the end; FALSE when the block has no buffer or the buffer cannot grow.
    BOOL Append(const BYTE* data, int n);
    void Truncate(int n);
    void Clear();
    void Mark(BOOL pending);
    void FreeBuffer();
    // Batch marks (cleared with the block) and a value that goes with them: the lost-B mode a
    // new time base starts with, or which closing a closing batch belongs to.
    void SetBatch(int marks, int value)
    {
        m_batch = marks;
        m_batchValue = value;
    }
    int GetBatch() const { return m_batch; }
    int GetBatchValue() const { return m_batchValue; }

    int GetState() const { return m_state; }
    BYTE* GetData() const { return m_pData; }
    int GetCapacity() const { return m_capacity; }
    int GetLength() const { return m_length; }

private:
    int m_state;
    BYTE* m_pData;
    int m_capacity;
    int m_length;
    int m_batch;
    int m_batchValue;
    CRITICAL_SECTION m_lock;
};
