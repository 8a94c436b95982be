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

BOOL CDataBlockPool::NewBlock(const BYTE* data, int n)
{
    CScopedLock lock(&m_lock);
    if (m_free.empty())
        Grow(10);
    if (m_free.empty())
        return FALSE;
    CDataBlock* block = m_free.front();
    if (!block->Fill(data, n))
        return FALSE;
    m_free.pop_front();
    m_filled.push_back(block);
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

void CDataBlockPool::FilledToPending()
{
    CScopedLock lock(&m_lock);
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
