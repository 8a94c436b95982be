#include "hollit/RecordQueue.h"

#include "platform/dshow/CritSec.h"
#include "hollit/StartCodeSearch.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

const BYTE kPackCode = 0xBA;
const BYTE kSystemCode = 0xBB;
const BYTE kSequenceCode = 0xB3;
const BYTE kGopCode = 0xB8;
const BYTE kPictureCode = 0x00;
// Parvane's first-flag value for chunks that lie beyond a cut.
const int kClosingChunks = 2;

}

CRecordQueue::CRecordQueue(CRecordQueueOwner* owner, RestampProc restamp)
    : m_pOwner(owner), m_restamp(restamp), m_deliver(1), m_createThread(1), m_lostB(1), m_first(1),
      m_lastTime(0.0), m_lostBMode(1), m_synced(0), m_started(0), m_samplesReceived(0), m_samplesDelivered(0),
      m_bytesReceived(0), m_bytesDelivered(0), m_stop(0), m_delivering(0), m_hrDeliver(S_OK), m_carryLength(0),
      m_inPack(FALSE), m_packHasSystem(FALSE), m_packOpensGroup(FALSE), m_sequenceAt(0), m_heldHasSystem(FALSE),
      m_lastStored(0), m_lastGroupDelivered(FALSE),
      m_closing(FALSE), m_closingId(0), m_closedId(0), m_newTimeBase(TRUE), m_newLostBMode(1)
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

HRESULT CRecordQueue::ReceiveData(IMediaSample*, const BYTE* data, int len, HRESULT result)
{
    if (m_pOwner == nullptr)
        return S_OK;
    // Once the way downstream has failed, the recording is broken: say so to the source.
    if (FAILED(m_hrDeliver))
        return m_hrDeliver;
    {
        // PauseRecord drops the group from another thread: every change of it happens under this lock.
        CScopedLock lock(&m_stateLock);
        ++m_samplesReceived;
        if (FAILED(result))
            return result;
        if (data == nullptr)
            return len > 0 ? E_POINTER : result;
        if (len <= 0)
            return result;
        m_bytesReceived += len;

        // The last bytes of the sample before are looked at again with this one, so that a start
        // code split between two samples is seen where it begins.
        m_scan.assign(m_carry, m_carry + m_carryLength);
        m_scan.insert(m_scan.end(), data, data + len);
        const BYTE* bytes = m_scan.data();
        const int length = static_cast<int>(m_scan.size());
        int taken = 0;
        for (int c = FindStartCodePrefix(bytes, 0, length); c >= 0 && c + 3 < length;
             c = FindStartCodePrefix(bytes, c + 3, length)) {
            const BYTE code = bytes[c + 3];
            if (code != kPackCode && code != kSystemCode && code != kGopCode && code != kSequenceCode &&
                code != kPictureCode)
                continue;
            TakeBytes(bytes + taken, c - taken);
            taken = c;
            OnStartCode(code);
        }
        const int keep = std::min(3, length - taken);
        TakeBytes(bytes + taken, length - keep - taken);
        m_carryLength = keep;
        memcpy(m_carry, bytes + length - keep, keep);
    }
    if (!m_pThread && m_pool.GetPendingCount() > 0) {
        Deliver();
        if (FAILED(m_hrDeliver))
            return m_hrDeliver;
    }
    return result;
}

void CRecordQueue::TakeBytes(const BYTE* data, int n)
{
    // Bytes before the first pack header belong to no pack.
    if (n > 0 && m_inPack)
        m_pack.insert(m_pack.end(), data, data + n);
}

void CRecordQueue::OnStartCode(BYTE code)
{
    if (code == kPackCode) {
        EndPack();
        m_inPack = TRUE;
        m_sequenceAt = m_sequenceAt == 1 ? 2 : 0;
        return;
    }
    if (!m_inPack)
        return;
    if (code == kSystemCode)
        m_packHasSystem = TRUE;
    else if (code == kSequenceCode)
        m_sequenceAt = 1;
    else if (code == kPictureCode)
        m_sequenceAt = 0;
    else if (code == kGopCode)
        OnGopHeader();
}

void CRecordQueue::EndPack()
{
    if (m_inPack && !m_pack.empty()) {
        if (m_synced) {
            m_lastStored = static_cast<int>(m_pack.size());
            m_pool.Store(m_pack.data(), m_lastStored);
        } else {
            ReleaseHeld();
            m_held.swap(m_pack);
            m_heldHasSystem = m_packHasSystem;
        }
    }
    ForgetPack();
}

void CRecordQueue::ReleaseHeld()
{
    const int n = static_cast<int>(m_held.size());
    if (n > 0) {
        if (!m_started && m_heldHasSystem) {
            // Before the first group of pictures only the packs carrying the system header go on.
            m_pool.AddPending(m_held.data(), n, CDataBlock::LeadIn, 0);
        } else if (m_closing && m_closedId != m_closingId) {
            m_pool.AddPending(m_held.data(), n, CDataBlock::Closing, m_closingId);
        }
    }
    m_held.clear();
    m_heldHasSystem = FALSE;
}

void CRecordQueue::HoldLastStored()
{
    ReleaseHeld();
    if (m_lastStored > 0 && !m_pool.TakeBack(m_lastStored, m_held))
        m_held.clear();
    m_lastStored = 0;
}

void CRecordQueue::ForgetPack()
{
    m_pack.clear();
    m_inPack = FALSE;
    m_packHasSystem = FALSE;
    m_packOpensGroup = FALSE;
}

void CRecordQueue::OnGopHeader()
{
    // A pack cannot be cut: a second GOP header in the pack that opened a group stays in it, and
    // so does one in a pack whose group a pause dropped.
    if (m_packOpensGroup)
        return;
    // When the sequence header that leads the GOP began in the pack before, the group begins
    // there: a group delivered after a gap needs it.
    const BOOL fromPrevious = m_sequenceAt == 2;
    if (m_synced) {
        if (fromPrevious)
            HoldLastStored();
        CloseGroup();
    }
    if (!fromPrevious)
        ReleaseHeld();
    m_synced = 1;
    m_started = 1;
    m_packOpensGroup = TRUE;
    if (!m_held.empty()) {
        m_lastStored = static_cast<int>(m_held.size());
        m_pool.Store(m_held.data(), m_lastStored);
    }
    m_held.clear();
    m_heldHasSystem = FALSE;
}

void CRecordQueue::CloseGroup()
{
    m_lastStored = 0;
    if (m_pool.GetFilledCount() == 0)
        return;
    if (!m_deliver) {
        DropGroup();
        return;
    }
    m_closing = FALSE;
    m_pool.FilledToPending(m_newTimeBase ? CDataBlock::NewTimeBase : 0, m_newLostBMode);
    m_newTimeBase = FALSE;
    m_lastGroupDelivered = TRUE;
}

void CRecordQueue::DropGroup()
{
    // The opening pack of a dropped group holds the end of the last picture delivered, and its
    // first packs the ends of the audio frames delivered last: a closing follows that group.
    if (m_lastGroupDelivered) {
        m_closing = TRUE;
        ++m_closingId;
    }
    if (m_closing && m_closedId != m_closingId)
        m_pool.FilledToPendingByPack(CDataBlock::Closing, m_closingId);
    else
        m_pool.DropFilled();
    m_lastStored = 0;
    m_lastGroupDelivered = FALSE;
    // What follows a gap begins a new time base, and its first B pictures lost their reference.
    m_newTimeBase = TRUE;
    m_newLostBMode = m_lostB;
}

void CRecordQueue::ResetSync()
{
    // The pack in progress stays: the next GOP header may still come in it.
    CScopedLock lock(&m_stateLock);
    if (m_synced) {
        // Its last pack may hold the sequence header of the group that comes next.
        HoldLastStored();
        DropGroup();
    }
    m_synced = 0;
    m_newTimeBase = TRUE;
    m_newLostBMode = m_lostB;
}

void CRecordQueue::Rearm()
{
    CScopedLock lock(&m_stateLock);
    m_lastTime = 0.0;
    m_started = 0;
    m_synced = 0;
    m_samplesReceived = 0;
    m_samplesDelivered = 0;
    m_bytesReceived = 0;
    m_bytesDelivered = 0;
    m_first = 1;
    m_hrDeliver = S_OK;
    m_carryLength = 0;
    ForgetPack();
    m_sequenceAt = 0;
    m_held.clear();
    m_lastStored = 0;
    m_lastGroupDelivered = FALSE;
    m_closing = FALSE;
    m_newTimeBase = TRUE;
    m_newLostBMode = m_lostB;
}

HRESULT CRecordQueue::FlushHeld(DWORD idleMs)
{
    {
        CScopedLock lock(&m_stateLock);
        TakeBytes(m_carry, m_carryLength);
        m_carryLength = 0;
        EndPack();
        if (m_synced)
            CloseGroup();
        else
            ReleaseHeld();
    }
    if (!m_pThread && m_pool.GetPendingCount() > 0)
        Deliver();
    WaitPendingWhileDelivering(idleMs);
    return m_hrDeliver;
}

void CRecordQueue::Discard()
{
    CScopedLock lock(&m_stateLock);
    m_pool.DropFilled();
    m_pool.DropPending();
    m_pool.FreeAll();
    m_carryLength = 0;
    ForgetPack();
    m_held.clear();
    m_lastStored = 0;
    m_closing = FALSE;
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
    CDataBlockPool::BlockQueue taken;
    if (m_pool.TakePending(taken) == 0)
        return 0;
    int delivered = 0;
    while (!taken.empty()) {
        CDataBlockPool::BlockQueue batch;
        do {
            batch.push_back(taken.front());
            taken.pop_front();
        } while (!taken.empty() && !(taken.front()->GetBatch() & CDataBlock::BatchStart));
        if (SUCCEEDED(m_hrDeliver) && m_pOwner != nullptr)
            delivered += DeliverBatch(batch);
        m_pool.Release(batch);
    }
    return delivered;
}

int CRecordQueue::DeliverBatch(CDataBlockPool::BlockQueue& batch)
{
    const int marks = batch.front()->GetBatch();
    const LONG value = batch.front()->GetBatchValue();
    if ((marks & CDataBlock::Closing) && m_closedId == value)
        return 0;
    // The packs before the first group go on as they came.
    if (!(marks & CDataBlock::LeadIn) && m_restamp) {
        int packs;
        {
            // A pause must not change the lost-B mode or the first flag in the middle of a re-stamping.
            CScopedLock lock(&m_stateLock);
            if (marks & CDataBlock::Closing) {
                int closing = kClosingChunks;
                packs = m_restamp(batch, &m_lastTime, &m_lostBMode, &closing);
                if (closing == 0)
                    InterlockedExchange(&m_closedId, value);
            } else {
                if (marks & CDataBlock::NewTimeBase) {
                    m_first = 1;
                    m_lostBMode = value;
                }
                packs = m_restamp(batch, &m_lastTime, &m_lostBMode, &m_first);
            }
        }
        if (packs < 0) {
            OutputDebugStringA("Hollit: re-stamping is not possible; delivery stopped\n");
            NoteFailure(E_FAIL);
            return 0;
        }
        if (packs == 0) {
            // Nothing in it to keep: it is left out, the recording goes on.
            return 0;
        }
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

BOOL CRecordQueue::WaitPending(DWORD timeoutMs)
{
    if (!m_pThread)
        return TRUE;
    // A batch still on its way counts as pending: end-of-stream must not overtake it.
    const DWORD start = GetTickCount();
    while (m_pool.GetPendingCount() > 0 || m_delivering > 0) {
        if (timeoutMs != INFINITE && GetTickCount() - start >= timeoutMs)
            return FALSE;
        Sleep(10);
    }
    return TRUE;
}

BOOL CRecordQueue::WaitPendingWhileDelivering(DWORD idleMs)
{
    if (idleMs == INFINITE)
        return WaitPending();
    if (!m_pThread)
        return TRUE;
    DWORD start = GetTickCount();
    LONG delivered = m_samplesDelivered;
    while (m_pool.GetPendingCount() > 0 || m_delivering > 0) {
        if (m_samplesDelivered != delivered) {
            delivered = m_samplesDelivered;
            start = GetTickCount();
        } else if (GetTickCount() - start >= idleMs) {
            return FALSE;
        }
        Sleep(10);
    }
    return TRUE;
}
