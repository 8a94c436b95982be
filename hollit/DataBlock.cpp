#include "hollit/DataBlock.h"

#include <algorithm>
#include <cstring>
#include <new>

volatile LONG g_lLargestInputBufferSize = 2048;

CDataBlock::CDataBlock()
    : m_state(NoBuffer), m_pData(nullptr), m_capacity(0), m_length(0), m_batch(0), m_batchValue(0)
{
    InitializeCriticalSection(&m_lock);
}

CDataBlock::~CDataBlock()
{
    delete[] m_pData;
    DeleteCriticalSection(&m_lock);
}

BOOL CDataBlock::Fill(const BYTE* data, int n)
{
    if (n < 0 || (n > 0 && data == nullptr))
        return FALSE;
    EnterCriticalSection(&m_lock);
    if (m_pData == nullptr || m_capacity < n) {
        delete[] m_pData;
        const int size = std::max<int>(n, g_lLargestInputBufferSize);
        m_pData = new (std::nothrow) BYTE[size];
        if (m_pData == nullptr) {
            m_capacity = 0;
            m_length = 0;
            m_state = NoBuffer;
            LeaveCriticalSection(&m_lock);
            return FALSE;
        }
        m_capacity = size;
    }
    if (n > 0)
        memcpy(m_pData, data, n);
    m_length = n;
    m_state = Filled;
    LeaveCriticalSection(&m_lock);
    return TRUE;
}

BOOL CDataBlock::Append(const BYTE* data, int n)
{
    if (n < 0 || (n > 0 && data == nullptr))
        return FALSE;
    EnterCriticalSection(&m_lock);
    if (m_pData == nullptr) {
        LeaveCriticalSection(&m_lock);
        return FALSE;
    }
    if (m_length + n > m_capacity) {
        BYTE* grown = new (std::nothrow) BYTE[m_length + n];
        if (grown == nullptr) {
            LeaveCriticalSection(&m_lock);
            return FALSE;
        }
        memcpy(grown, m_pData, m_length);
        delete[] m_pData;
        m_pData = grown;
        m_capacity = m_length + n;
    }
    if (n > 0)
        memcpy(m_pData + m_length, data, n);
    m_length += n;
    m_state = Filled;
    LeaveCriticalSection(&m_lock);
    return TRUE;
}

void CDataBlock::Truncate(int n)
{
    EnterCriticalSection(&m_lock);
    if (n >= 0 && n <= m_length)
        m_length = n;
    LeaveCriticalSection(&m_lock);
}

void CDataBlock::Clear()
{
    EnterCriticalSection(&m_lock);
    m_length = 0;
    m_state = Free;
    m_batch = 0;
    LeaveCriticalSection(&m_lock);
}

void CDataBlock::Mark(BOOL pending)
{
    EnterCriticalSection(&m_lock);
    m_state = pending ? Pending : Filled;
    LeaveCriticalSection(&m_lock);
}

void CDataBlock::FreeBuffer()
{
    EnterCriticalSection(&m_lock);
    delete[] m_pData;
    m_pData = nullptr;
    m_capacity = 0;
    m_length = 0;
    m_state = NoBuffer;
    m_batch = 0;
    LeaveCriticalSection(&m_lock);
}
