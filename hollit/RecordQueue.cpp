#include "hollit/RecordQueue.h"

#include "hollit/StartCodeSearch.h"
#include "platform/dshow/CritSec.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

// Offset in the block of a start code that the block's end and the sample's start share, or -1.
static int FindSplitStartCode(CDataBlock* block, const BYTE* data, int len, const BYTE code[4])
{
    if (block == nullptr || block->GetData() == nullptr)
        return -1;
    const BYTE* bytes = block->GetData();
    const int n = block->GetLength();
    for (int inBlock = 3; inBlock >= 1; --inBlock) {
        if (n >= inBlock && len >= 4 - inBlock && memcmp(bytes + n - inBlock, code, inBlock) == 0 &&
            memcmp(data, code + inBlock, 4 - inBlock) == 0)
            return n - inBlock;
    }
    return -1;
}

CRecordQueue::CRecordQueue(CRecordQueueOwner* owner, RestampProc restamp)
    : m_pOwner(owner), m_restamp(restamp), m_deliver(1), m_createThread(1), m_lostB(1), m_first(1),
      m_lastTime(0.0), m_lostBMode(1), m_synced(0), m_started(0), m_samplesReceived(0), m_samplesDelivered(0),
      m_bytesReceived(0), m_bytesDelivered(0), m_stop(0), m_delivering(0), m_hrDeliver(S_OK)
{
    InitializeCriticalSection(&m_stateLock);
}

CRecordQueue::~CRecordQueue()
{
    if (m_pThread) {
        InterlockedExchange(&m_stop, 1);
        m_pThread->Stop();
        m_pThread.reset();
    }
    m_pool.FreeAll();
    DeleteCriticalSection(&m_stateLock);
}

void CRecordQueue::NoteFailure(HRESULT hr)
{
    // The first failure is the one worth reporting; later ones follow from it.
    InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&m_hrDeliver), hr, S_OK);
}

HRESULT CRecordQueue::Receive(IMediaSample* pSample)
{
    if (m_pOwner == nullptr)
        return S_OK;
    if (pSample == nullptr)
        return E_POINTER;
    BYTE* data = nullptr;
    HRESULT hr = pSample->GetPointer(&data);
    const int len = pSample->GetActualDataLength();
    return ReceiveData(pSample, data, len, hr);
}

HRESULT CRecordQueue::ReceiveData(IMediaSample* pSample, const BYTE* data, int len, HRESULT result)
{
    if (m_pOwner == nullptr)
        return S_OK;
    // Once the way downstream has failed, the recording is broken: say so to the source.
    if (FAILED(m_hrDeliver))
        return m_hrDeliver;

    BOOL deliverNow = FALSE;
    BOOL passThrough = FALSE;
    {
        // PauseRecord drops the filled blocks from another thread: every change of them happens under this lock.
        CScopedLock lock(&m_stateLock);
        ++m_samplesReceived;
        if (FAILED(result))
            return result;
        if (data == nullptr)
            return len > 0 ? E_POINTER : result;
        if (len <= 0)
            return result;

        int d = 0;
        const int g = FindStartCodeForward(data, len, kGopHeaderCode);
        if (g >= 0) {
            const int p = FindStartCodeBackward(data, g, kPackHeaderCode);
            if (p >= 0) {
                if (p > 0 && m_started) {
                    d = p;
                    if (m_synced)
                        Append(data, p);
                }
                m_synced = 1;
                m_started = 1;
                deliverNow |= OnGopBoundary();
            } else {
                // The pack holding this GOP header began in an earlier sample.
                if (!m_synced)
                    return result;
                deliverNow |= CutBeforeGroup(data, len, &d);
                m_synced = 1;
                m_started = 1;
            }
        } else if (m_synced && FindSplitStartCode(m_pool.Current(), data, len, kGopHeaderCode) >= 0) {
            // A GOP header split between the last sample and this one is a boundary all the same.
            deliverNow |= CutBeforeGroup(data, len, &d);
        }

        if (m_synced) {
            m_bytesReceived += len;
            if (d < len) {
                if (len - d >= 4 && memcmp(data + d, kPackHeaderCode, 4) != 0) {
                    const int k = FindStartCodeForward(data + d, len - d, kPackHeaderCode);
                    if (k > 0) {
                        if (m_pool.GetFilledCount() > 0)
                            Append(data + d, k);
                        d += k;
                    } else if (k < 0) {
                        if (Append(data + d, len - d))
                            d = len;
                    }
                }
                if (d < len)
                    m_pool.NewBlock(data + d, len - d);
            }
        } else if (!m_started) {
            // Before the first group of pictures only samples carrying the stream's system header go on.
            passThrough = CountPatternMatches(data, len, kSystemHeaderCode, 4) > 0;
        }
    }

    if (passThrough) {
        ++m_samplesDelivered;
        return m_pOwner->PassDownstream(pSample);
    }
    if (deliverNow) {
        Deliver();
        if (FAILED(m_hrDeliver))
            return m_hrDeliver;
    }
    return result;
}

BOOL CRecordQueue::CutBeforeGroup(const BYTE* data, int len, int* d)
{
    // The group begins at the current block's last pack header; the bytes of this sample up to
    // its first whole pack header belong to that pack.
    int e = FindStartCodeForward(data, len, kPackHeaderCode);
    if (e < 0)
        e = len;
    *d = e;
    CDataBlock* current = m_pool.Current();
    int last = FindSplitStartCode(current, data, len, kPackHeaderCode);
    if (last < 0 && current != nullptr)
        last = FindStartCodeBackward(current->GetData(), current->GetLength(), kPackHeaderCode);
    if (last < 0) {
        Append(data, e);
        return FALSE;
    }
    // That pack moves whole into a new block, so the next group begins at its pack header.
    const int tail = current->GetLength() - last;
    std::vector<BYTE> joined(static_cast<size_t>(tail) + e);
    memcpy(joined.data(), current->GetData() + last, tail);
    memcpy(joined.data() + tail, data, e);
    if (last == 0)
        m_pool.RemoveCurrent();
    else
        current->Truncate(last);
    const BOOL deliverNow = OnGopBoundary();
    m_pool.NewBlock(joined.data(), static_cast<int>(joined.size()));
    return deliverNow;
}

BOOL CRecordQueue::Append(const BYTE* data, int n)
{
    if (data == nullptr || n <= 0)
        return FALSE;
    CDataBlock* current = m_pool.Current();
    if (current == nullptr)
        return FALSE;
    return current->Append(data, n);
}

BOOL CRecordQueue::OnGopBoundary()
{
    if (!m_deliver) {
        m_pool.DropFilled();
        return FALSE;
    }
    if (m_pool.GetFilledCount() == 0)
        return FALSE;
    m_pool.FilledToPending();
    return m_pThread == nullptr;
}

void CRecordQueue::ResetSync()
{
    // A group that became pending before the reset still belongs to the old time base: the deliver
    // thread sends it first, so the new time base and the lost-B cut fall on the next group.
    WaitPending();
    CScopedLock lock(&m_stateLock);
    m_lostBMode = m_lostB;
    m_synced = 0;
    m_first = 1;
    m_pool.DropFilled();
}

void CRecordQueue::Rearm()
{
    CScopedLock lock(&m_stateLock);
    m_lastTime = 0.0;
    m_started = 0;
    m_samplesReceived = 0;
    m_samplesDelivered = 0;
    m_bytesReceived = 0;
    m_bytesDelivered = 0;
    m_first = 1;
    m_hrDeliver = S_OK;
}

HRESULT CRecordQueue::FlushHeld()
{
    BOOL deliverNow;
    {
        CScopedLock lock(&m_stateLock);
        deliverNow = OnGopBoundary();
    }
    if (deliverNow)
        Deliver();
    WaitPending();
    return m_hrDeliver;
}

void CRecordQueue::Discard()
{
    CScopedLock lock(&m_stateLock);
    m_pool.DropFilled();
    m_pool.DropPending();
    m_pool.FreeAll();
}

int CRecordQueue::Deliver()
{
    // Counted before the batch leaves the pending queue, so WaitPending never sees it nowhere.
    InterlockedIncrement(&m_delivering);
    const int delivered = DeliverPending();
    InterlockedDecrement(&m_delivering);
    return delivered;
}

int CRecordQueue::DeliverPending()
{
    CDataBlockPool::BlockQueue batch;
    if (m_pool.TakePending(batch) == 0)
        return 0;
    if (FAILED(m_hrDeliver) || m_pOwner == nullptr) {
        m_pool.Release(batch);
        return 0;
    }

    int packs;
    {
        // A pause must not change the lost-B mode or the first flag in the middle of a re-stamping.
        CScopedLock lock(&m_stateLock);
        packs = m_restamp ? m_restamp(batch, &m_lastTime, &m_lostBMode, &m_first) : 1;
    }
    if (packs <= 0) {
        OutputDebugStringA("Hollit: re-stamping a group of pictures failed; delivery stopped\n");
        NoteFailure(E_FAIL);
        m_pool.Release(batch);
        return 0;
    }

    m_pOwner->ClearSampleSkipped();
    int delivered = 0;
    HRESULT hr = S_OK;
    for (CDataBlock* block : batch) {
        const BYTE* bytes = block->GetData();
        const int length = block->GetLength();
        for (int offset = 0; offset < length && SUCCEEDED(hr);) {
            // A fresh sample for every piece: a downstream filter may keep the one it was given.
            IMediaSample* out = nullptr;
            hr = m_pOwner->GetOutputSample(&out);
            if (FAILED(hr) || out == nullptr) {
                if (out)
                    out->Release();
                if (SUCCEEDED(hr))
                    hr = E_UNEXPECTED;
                break;
            }
            BYTE* target = nullptr;
            const int size = out->GetSize();
            hr = out->GetPointer(&target);
            if (SUCCEEDED(hr) && (target == nullptr || size <= 0))
                hr = E_UNEXPECTED;
            if (SUCCEEDED(hr)) {
                const int piece = std::min(size, length - offset);
                memcpy(target, bytes + offset, piece);
                hr = out->SetActualDataLength(piece);
                if (SUCCEEDED(hr))
                    hr = m_pOwner->DeliverDownstream(out);
                if (SUCCEEDED(hr)) {
                    ++delivered;
                    ++m_samplesDelivered;
                    m_bytesDelivered += piece;
                }
                offset += piece;
            }
            out->Release();
        }
        if (FAILED(hr))
            break;
    }
    if (FAILED(hr)) {
        char line[96];
        wsprintfA(line, "Hollit: delivery downstream failed 0x%08lX; delivery stopped\n", static_cast<unsigned long>(hr));
        OutputDebugStringA(line);
        NoteFailure(hr);
    }
    m_pool.Release(batch);
    return delivered;
}

void CRecordQueue::DeliverThreadProc(void* self)
{
    CRecordQueue* queue = static_cast<CRecordQueue*>(self);
    for (;;) {
        if (queue->m_pool.GetPendingCount() > 0)
            queue->Deliver();
        else if (queue->m_stop)
            return;
        else
            Sleep(1);
    }
}

void CRecordQueue::StartDeliverThread()
{
    if (m_pThread)
        return;
    std::unique_ptr<CDeliverThread> thread(new (std::nothrow) CDeliverThread(1, &CRecordQueue::DeliverThreadProc, this));
    if (!thread || !thread->Create()) {
        OutputDebugStringA("Hollit: deliver thread not created; delivering on the streaming thread\n");
        return;
    }
    InterlockedExchange(&m_stop, 0);
    thread->SetPriority(THREAD_PRIORITY_HIGHEST);
    m_pThread = std::move(thread);
    m_pThread->Resume();
}

void CRecordQueue::StopDeliverThread()
{
    if (!m_pThread)
        return;
    WaitPending();
    InterlockedExchange(&m_stop, 1);
    m_pThread->SetPriority(THREAD_PRIORITY_TIME_CRITICAL);
    m_pThread->Stop();
    m_pThread.reset();
}

void CRecordQueue::WaitPending()
{
    if (!m_pThread)
        return;
    // A batch still on its way counts as pending: end-of-stream must not overtake it.
    while (m_pool.GetPendingCount() > 0 || m_delivering > 0)
        Sleep(10);
}
