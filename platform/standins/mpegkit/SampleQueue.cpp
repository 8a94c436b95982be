#include "platform/standins/mpegkit/SampleQueue.h"

#include <process.h>

CSampleQueue::CSampleQueue(CBaseOutputPin* pPin)
    : m_pPin(pPin), m_hThread(NULL), m_bStop(FALSE), m_bFlushing(FALSE)
{
    InitializeCriticalSection(&m_cs);
    m_hWork = CreateEvent(NULL, FALSE, FALSE, NULL);
    m_hRoom = CreateEvent(NULL, TRUE, TRUE, NULL);
    m_hIdle = CreateEvent(NULL, TRUE, TRUE, NULL);
}

CSampleQueue::~CSampleQueue()
{
    Stop();
    CloseHandle(m_hWork);
    CloseHandle(m_hRoom);
    CloseHandle(m_hIdle);
    DeleteCriticalSection(&m_cs);
}

HRESULT CSampleQueue::Start()
{
    if (m_hThread != NULL)
        return S_OK;
    m_bStop = FALSE;
    m_bFlushing = FALSE;
    SetEvent(m_hRoom);
    m_hThread = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, ThreadProc, this, 0, NULL));
    return m_hThread != NULL ? S_OK : E_OUTOFMEMORY;
}

void CSampleQueue::Stop()
{
    if (m_hThread == NULL)
        return;
    EnterCriticalSection(&m_cs);
    m_bStop = TRUE;
    LeaveCriticalSection(&m_cs);
    SetEvent(m_hWork);
    SetEvent(m_hRoom);
    WaitForSingleObject(m_hThread, INFINITE);
    CloseHandle(m_hThread);
    m_hThread = NULL;
    DropAll();
}

void CSampleQueue::DropAll()
{
    EnterCriticalSection(&m_cs);
    for (Item& item : m_items)
    {
        if (item.pSample != NULL)
            item.pSample->Release();
    }
    m_items.clear();
    SetEvent(m_hRoom);
    LeaveCriticalSection(&m_cs);
}

void CSampleQueue::Push(const Item& item)
{
    EnterCriticalSection(&m_cs);
    m_items.push_back(item);
    if (m_items.size() >= MAX_QUEUED)
        ResetEvent(m_hRoom);
    LeaveCriticalSection(&m_cs);
    SetEvent(m_hWork);
}

HRESULT CSampleQueue::Deliver(IMediaSample* pSample)
{
    for (;;)
    {
        EnterCriticalSection(&m_cs);
        BOOL bStop = m_bStop || m_hThread == NULL;
        BOOL bFlushing = m_bFlushing;
        BOOL bRoom = m_items.size() < MAX_QUEUED;
        LeaveCriticalSection(&m_cs);
        if (bStop)
            return VFW_E_NOT_RUNNING;
        if (bFlushing)
            return S_FALSE;
        if (bRoom)
            break;
        WaitForSingleObject(m_hRoom, INFINITE);
    }
    pSample->AddRef();
    Push({ ITEM_SAMPLE, pSample, 0, 0, 0.0 });
    return S_OK;
}

void CSampleQueue::DeliverEndOfStream()
{
    Push({ ITEM_EOS, NULL, 0, 0, 0.0 });
}

void CSampleQueue::DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    Push({ ITEM_SEGMENT, NULL, tStart, tStop, dRate });
}

void CSampleQueue::BeginFlush()
{
    EnterCriticalSection(&m_cs);
    m_bFlushing = TRUE;
    LeaveCriticalSection(&m_cs);
    DropAll();
    m_pPin->DeliverBeginFlush();
}

void CSampleQueue::EndFlush()
{
    WaitForSingleObject(m_hIdle, INFINITE);
    DropAll();
    m_pPin->DeliverEndFlush();
    EnterCriticalSection(&m_cs);
    m_bFlushing = FALSE;
    LeaveCriticalSection(&m_cs);
}

unsigned __stdcall CSampleQueue::ThreadProc(void* pv)
{
    static_cast<CSampleQueue*>(pv)->Run();
    return 0;
}

void CSampleQueue::Run()
{
    for (;;)
    {
        EnterCriticalSection(&m_cs);
        if (m_bStop)
        {
            LeaveCriticalSection(&m_cs);
            return;
        }
        if (m_items.empty())
        {
            LeaveCriticalSection(&m_cs);
            WaitForSingleObject(m_hWork, INFINITE);
            continue;
        }
        Item item = m_items.front();
        m_items.pop_front();
        SetEvent(m_hRoom);
        ResetEvent(m_hIdle);
        LeaveCriticalSection(&m_cs);

        switch (item.kind)
        {
        case ITEM_SAMPLE:
            m_pPin->Deliver(item.pSample);
            item.pSample->Release();
            break;
        case ITEM_EOS:
            m_pPin->DeliverEndOfStream();
            break;
        case ITEM_SEGMENT:
            m_pPin->DeliverNewSegment(item.tStart, item.tStop, item.dRate);
            break;
        }
        SetEvent(m_hIdle);
    }
}
