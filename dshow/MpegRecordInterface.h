#pragma once

#include <windows.h>
#include <oaidl.h>

// The dual interface of the recording pause filter, in its vtable order.
// {F1667F44-EBA7-415D-8502-10B9043BE2C7}
static const IID IID_IMpegRecordFilter =
    { 0xF1667F44, 0xEBA7, 0x415D, { 0x85, 0x02, 0x10, 0xB9, 0x04, 0x3B, 0xE2, 0xC7 } };

struct IMpegRecordFilter : public IDispatch
{
    virtual HRESULT STDMETHODCALLTYPE PauseRecord() = 0;
    virtual HRESULT STDMETHODCALLTYPE ResumeRecord() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EnableDeliverSampleToNextFilter(long* pVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_EnableDeliverSampleToNextFilter(long newVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EnableCreateDeliverThread(long* pVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_EnableCreateDeliverThread(long newVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EnableLostBFrame(long* pVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_EnableLostBFrame(long newVal) = 0;
};
