#pragma once

#include "hollit/DataBlockPool.h"
#include "hollit/DeliverThread.h"
#include "hollit/RecordQueueOwner.h"

#include <memory>
#include <vector>

// Cuts the recorded program stream into pack-aligned blocks, hands whole groups of pictures on
// (re-stamped) while delivering, and drops them while paused.
//
// The stream is taken pack by pack, whatever the sample size: the pack in progress is kept on
// its own until the next pack header shows where it ends, so a group always begins at the pack
// that holds its GOP header, also when that pack began samples earlier. Bytes before the first
// pack header are no part of any pack and are skipped.
class CRecordQueue
{
public:
    // Re-stamps the blocks of one batch in place; the number of packs re-stamped, 0 when the batch
    // holds nothing to re-stamp, below 0 when re-stamping is not possible at all.
    typedef int (*RestampProc)(const CDataBlockPool::BlockQueue& batch, double* lastTime, int* lostBMode,
                               int* first);

    CRecordQueue(CRecordQueueOwner* owner, RestampProc restamp);
    virtual ~CRecordQueue();

    CRecordQueue(const CRecordQueue&) = delete;
    CRecordQueue& operator=(const CRecordQueue&) = delete;

    HRESULT Receive(IMediaSample* pSample);
    // The same on bytes already taken from a sample.
    HRESULT ReceiveData(IMediaSample* pSample, const BYTE* data, int len, HRESULT result);

    void ResetSync();
    // Rearms the queue for a new run: fresh time base, counters, no failure remembered.
    void Rearm();
    // Closes the group in progress (delivered or dropped) and waits until it has gone downstream,
    // giving up once nothing has gone for idleMs.
    HRESULT FlushHeld(DWORD idleMs = INFINITE);
    // Drops what is held and frees every block.
    void Discard();

    int Deliver();
    void StartDeliverThread();
    void StopDeliverThread();
    // Waits until what is pending has gone downstream; FALSE when it has not within the time.
    BOOL WaitPending(DWORD timeoutMs = INFINITE);
    // The same, but the time runs from the last sample that went downstream.
    BOOL WaitPendingWhileDelivering(DWORD idleMs);

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
    // The steps of the pack parser; all run under the state lock.
    void TakeBytes(const BYTE* data, int n);
    void OnStartCode(BYTE code);
    void EndPack();
    // Hands on the held pack as a pack outside any group: before the first group, or closing.
    void ReleaseHeld();
    // Takes the last pack of the group gathered back out of it, to be held.
    void HoldLastStored();
    void OnGopHeader();
    // Hands the group gathered so far on, or drops it while delivery is off.
    void CloseGroup();
    void DropGroup();
    void ForgetPack();
    int DeliverPending();
    int DeliverBatch(CDataBlockPool::BlockQueue& batch);
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
    volatile LONG m_samplesDelivered;
    LONGLONG m_bytesReceived;
    LONGLONG m_bytesDelivered;
    std::unique_ptr<CDeliverThread> m_pThread;
    volatile LONG m_stop;
    volatile LONG m_delivering;
    volatile HRESULT m_hrDeliver;
    CDataBlockPool m_pool;

    // The pack parser: the last bytes of the stream, held back until the next sample shows
    // whether they begin a start code; the pack in progress and what it holds.
    BYTE m_carry[3];
    int m_carryLength;
    std::vector<BYTE> m_scan;
    std::vector<BYTE> m_pack;
    BOOL m_inPack;
    BOOL m_packHasSystem;
    BOOL m_packOpensGroup;      // the pack in progress holds the GOP header of the group gathered
    // A sequence header met since the last picture: 0 none, 1 in the pack in progress, 2 in the
    // pack before it. A group begins at the pack holding the sequence header that leads its GOP.
    int m_sequenceAt;
    // Outside a group the last pack completed is held back until the next GOP header shows
    // whether it opens the group; in a group, how long the last pack stored is.
    std::vector<BYTE> m_held;
    BOOL m_heldHasSystem;
    int m_lastStored;
    BOOL m_lastGroupDelivered;
    // After a delivered group, the packs that a pause drops go on as closing batches (each pack
    // its own): what they hold of the last picture and audio frames left open is kept. Closings
    // are numbered; the deliver side notes the one that has nothing open any more.
    BOOL m_closing;
    LONG m_closingId;
    volatile LONG m_closedId;
    // The next batch handed on begins a new time base, with this lost-B mode.
    BOOL m_newTimeBase;
    int m_newLostBMode;
};
