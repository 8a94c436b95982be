#pragma once

#include <windows.h>
#include <strmif.h>

// What the recording queue needs of the filter that holds it: the way downstream.
class CRecordQueueOwner
{
public:
    // A fresh output sample carrying the current input sample's times and flags.
    virtual HRESULT GetOutputSample(IMediaSample** ppOut) = 0;
    virtual HRESULT DeliverDownstream(IMediaSample* pSample) = 0;
    virtual void ClearSampleSkipped() = 0;

protected:
    ~CRecordQueueOwner() = default;
};
