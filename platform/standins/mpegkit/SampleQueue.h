#pragma once
#include "platform/dshow/Streams.h"
#include <deque>

// Delivers an output pin's samples, end of stream and new segments on a
// thread of its own, in order, so that one output blocked downstream (a
// renderer holding its first picture while paused) does not hold the others.
// At most a few dozen samples wait; Deliver blocks beyond that until the
// thread takes one, the queue flushes or stops.
class CSampleQueue
{
public:
    enum { MAX_QUEUED = 32 };

    explicit CSampleQueue(CBaseOutputPin* pPin);
    ~CSampleQueue();

    // With streaming: Start when the pin becomes active, Stop when it stops.
    HRESULT Start();
    void Stop();

    // The sample is held (AddRef) until delivered or dropped.
    HRESULT Deliver(IMediaSample* pSample);
    void DeliverEndOfStream();
    void DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate);
    // Drops what waits and passes the flush on at once; EndFlush waits until
    // the thread has finished the delivery it was in.
    void BeginFlush();
    void EndFlush();

private:
    enum Kind { ITEM_SAMPLE, ITEM_EOS, ITEM_SEGMENT };
    struct Item
    {
        Kind kind;
        IMediaSample* pSample;
        REFERENCE_TIME tStart;
        REFERENCE_TIME tStop;
        double dRate;
    };

    static unsigned __stdcall ThreadProc(void* pv);
    void Run();
    void Push(const Item& item);
    void DropAll();

    CBaseOutputPin* m_pPin;
    CRITICAL_SECTION m_cs;
    std::deque<Item> m_items;
    HANDLE m_hThread;
    HANDLE m_hWork;   // auto-reset: something to do
    HANDLE m_hRoom;   // manual-reset: room in the queue, or flushing, or stopping
    HANDLE m_hIdle;   // manual-reset: the thread is not delivering
    BOOL m_bStop;
    BOOL m_bFlushing;
};
