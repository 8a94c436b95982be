#pragma once

#include "hollit/DataBlockPool.h"
#include "hollit/DeliverThread.h"
#include "hollit/RecordQueueOwner.h"

#include <memory>

// Cuts the recorded program stream into pack-aligned blocks, hands whole groups of pictures on
// (re-stamped) while delivering, and drops them while paused.
class CRecordQueue
{
public:
    // Re-stamps the blocks of one batch in place; the number of packs re-stamped, 0 or less on failure.
    typedef int (*RestampProc)(const CDataBlockPool::BlockQueue& batch, double* lastTime, int* lostBMode,
                               int* first);

    CRecordQueue(CRecordQueueOwner* owner, RestampProc restamp);
    virtual ~CRecordQueue();

    CRecordQueue(const CRecordQueue&) = delete;
    CRecordQueue& operator=(const CRecordQueue&) = delete;

    HRESULT Receive(IMediaSample* pSample);
    // The same on bytes already taken from a sample (the sample goes on unchanged when passed through).
    HRESULT ReceiveData(IMediaSample* pSample, const BYTE* data, int len, HRESULT result);

    void ResetSync();
    // Rearms the queue for a new run: fresh time base, counters, no failure remembered.
    void Rearm();
    // Closes the group in progress (delivered or dropped) and waits until it has gone downstream.
    HRESULT FlushHeld();
    // Drops what is held and frees every block.
    void Discard();

    int Deliver();
    void StartDeliverThread();
    void StopDeliverThread();
    void WaitPending();

    // The first failure of a delivery since the run began, S_OK when none.
    HRESULT GetDeliverResult() const { return m_hrDeliver; }

    // Single words read and written without a lock.
    LONG GetDeliver() const { return m_deliver; }
    void SetDeliver(LONG value) { m_deliver = value; }
    LONG GetCreateThread() const { return m_createThread; }
    void SetCreateThread(LONG value) { m_createThread = value; }
    LONG GetLostB() const { return m_lostB; }
    void SetLostB(LONG value) { m_lostB = value; }

    int GetSamplesReceived() const { return m_samplesReceived; }
    int GetSamplesDelivered() const { return m_samplesDelivered; }
    LONGLONG GetBytesReceived() const { return m_bytesReceived; }
    LONGLONG GetBytesDelivered() const { return m_bytesDelivered; }
    BOOL IsSynced() const { return m_synced; }
    BOOL IsStarted() const { return m_started; }
    BOOL HasDeliverThread() const { return m_pThread != nullptr; }
    double GetLastTime() const { return m_lastTime; }
    int GetFirst() const { return m_first; }
    CDataBlockPool& GetPool() { return m_pool; }

private:
    static void DeliverThreadProc(void* self);
    // Both run under the state lock; TRUE when a batch became pending and is to be delivered here.
    BOOL OnGopBoundary();
    // Closes the group before a GOP header whose pack began in an earlier sample; *d = bytes placed.
    BOOL CutBeforeGroup(const BYTE* data, int len, int* d);
    BOOL Append(const BYTE* data, int n);
    int DeliverPending();
    void NoteFailure(HRESULT hr);

    CRecordQueueOwner* m_pOwner;
    RestampProc m_restamp;
    volatile LONG m_deliver;
    volatile LONG m_createThread;
    volatile LONG m_lostB;
    int m_first;
    double m_lastTime;
    int m_lostBMode;
    volatile LONG m_synced;
    volatile LONG m_started;
    CRITICAL_SECTION m_stateLock;
    int m_samplesReceived;
    int m_samplesDelivered;
    LONGLONG m_bytesReceived;
    LONGLONG m_bytesDelivered;
    std::unique_ptr<CDeliverThread> m_pThread;
    volatile LONG m_stop;
    volatile LONG m_delivering;
    volatile HRESULT m_hrDeliver;
    CDataBlockPool m_pool;
};
