#include "hollit/DataBlockPool.h"

#include "platform/dshow/CritSec.h"

#include <new>

CDataBlockPool::CDataBlockPool()
{
    InitializeCriticalSection(&m_lock);
}

CDataBlockPool::~CDataBlockPool()
{
    FreeAll();
    DeleteCriticalSection(&m_lock);
}

void CDataBlockPool::Grow(int k)
{
    CScopedLock lock(&m_lock);
    for (int i = 0; i < k; ++i) {
        std::unique_ptr<CDataBlock> block(new (std::nothrow) CDataBlock);
        if (!block)
            return;
        m_free.push_back(block.get());
        m_blocks.push_back(std::move(block));
    }
}

CDataBlock* CDataBlockPool::FillFree(const BYTE* data, int n)
{
    if (m_free.empty())
        Grow(10);
    if (m_free.empty())
        return nullptr;
    CDataBlock* block = m_free.front();
    if (!block->Fill(data, n))
        return nullptr;
    m_free.pop_front();
    return block;
}

BOOL CDataBlockPool::NewBlock(const BYTE* data, int n)
{
    CScopedLock lock(&m_lock);
    CDataBlock* block = FillFree(data, n);
    if (block)
        m_filled.push_back(block);
    return block != nullptr;
}

BOOL CDataBlockPool::AddPending(const BYTE* data, int n, int batchMarks, int batchValue)
{
    CScopedLock lock(&m_lock);
    CDataBlock* block = FillFree(data, n);
    if (!block)
        return FALSE;
    block->SetBatch(batchMarks | CDataBlock::BatchStart, batchValue);
    block->Mark(TRUE);
    m_pending.push_back(block);
    return TRUE;
}

void CDataBlockPool::FilledToPendingByPack(int batchMarks, int batchValue)
{
    CScopedLock lock(&m_lock);
    BlockQueue filled;
    filled.swap(m_filled);
    for (CDataBlock* block : filled) {
        const BYTE* bytes = block->GetData();
        const int length = block->GetLength();
        int start = 0;
        while (start < length) {
            int next = start + 4;
            while (next + 4 <= length && !(bytes[next] == 0 && bytes[next + 1] == 0 && bytes[next + 2] == 1 &&
                                           bytes[next + 3] == 0xBA))
                ++next;
            if (next + 4 > length)
                next = length;
            AddPending(bytes + start, next - start, batchMarks, batchValue);
            start = next;
        }
        block->Clear();
        m_free.push_back(block);
    }
}

BOOL CDataBlockPool::Store(const BYTE* data, int n)
{
    CScopedLock lock(&m_lock);
    CDataBlock* current = m_filled.empty() ? nullptr : m_filled.back();
    // A block takes whole packs while its buffer has room; a full one is left as it is, so a
    // buffer is never copied to grow.
    if (current && current->GetLength() + n <= current->GetCapacity())
        return current->Append(data, n);
    return NewBlock(data, n);
}

BOOL CDataBlockPool::TakeBack(int n, std::vector<BYTE>& out)
{
    CScopedLock lock(&m_lock);
    CDataBlock* current = m_filled.empty() ? nullptr : m_filled.back();
    if (!current || n <= 0 || current->GetLength() < n)
        return FALSE;
    const int keep = current->GetLength() - n;
    out.assign(current->GetData() + keep, current->GetData() + keep + n);
    if (keep == 0)
        RemoveCurrent();
    else
        current->Truncate(keep);
    return TRUE;
}

CDataBlock* CDataBlockPool::Current()
{
    CScopedLock lock(&m_lock);
    return m_filled.empty() ? nullptr : m_filled.back();
}

void CDataBlockPool::RemoveCurrent()
{
    CScopedLock lock(&m_lock);
    if (m_filled.empty())
        return;
    CDataBlock* block = m_filled.back();
    m_filled.pop_back();
    block->Clear();
    m_free.push_back(block);
}

void CDataBlockPool::MoveToFree(BlockQueue& from)
{
    for (CDataBlock* block : from) {
        block->Clear();
        m_free.push_back(block);
    }
    from.clear();
}

void CDataBlockPool::DropFilled()
{
    CScopedLock lock(&m_lock);
    MoveToFree(m_filled);
}

void CDataBlockPool::DropPending()
{
    CScopedLock lock(&m_lock);
    MoveToFree(m_pending);
}

void CDataBlockPool::FilledToPending(int batchMarks, int batchValue)
{
    CScopedLock lock(&m_lock);
    if (!m_filled.empty())
        m_filled.front()->SetBatch(batchMarks | CDataBlock::BatchStart, batchValue);
    for (CDataBlock* block : m_filled) {
        block->Mark(TRUE);
        m_pending.push_back(block);
    }
    m_filled.clear();
}

int CDataBlockPool::TakePending(BlockQueue& out)
{
    CScopedLock lock(&m_lock);
    const int count = static_cast<int>(m_pending.size());
    out.insert(out.end(), m_pending.begin(), m_pending.end());
    m_pending.clear();
    return count;
}

void CDataBlockPool::Release(BlockQueue& taken)
{
    CScopedLock lock(&m_lock);
    MoveToFree(taken);
}

void CDataBlockPool::FreeAll()
{
    CScopedLock lock(&m_lock);
    m_free.clear();
    m_filled.clear();
    m_pending.clear();
    for (auto& block : m_blocks)
        block->FreeBuffer();
    m_blocks.clear();
}

int CDataBlockPool::GetFilledCount()
{
    CScopedLock lock(&m_lock);
    return static_cast<int>(m_filled.size());
}

int CDataBlockPool::GetPendingCount()
{
    CScopedLock lock(&m_lock);
    return static_cast<int>(m_pending.size());
}

int CDataBlockPool::GetFreeCount()
{
    CScopedLock lock(&m_lock);
    return static_cast<int>(m_free.size());
}

int CDataBlockPool::GetBlockCount()
{
    CScopedLock lock(&m_lock);
    return static_cast<int>(m_blocks.size());
}
