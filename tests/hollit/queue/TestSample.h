#pragma once

#include <windows.h>
#include <strmif.h>
#include <vfwmsgs.h>

#include <vector>

// A media sample over its own bytes, as an allocator would hand it out.
class CTestSample : public IMediaSample
{
public:
    explicit CTestSample(int size) : m_ref(1), m_buffer(size), m_actual(0) {}

    static CTestSample* FromBytes(const BYTE* data, int n)
    {
        CTestSample* s = new CTestSample(n);
        if (n > 0)
            memcpy(s->m_buffer.data(), data, n);
        s->m_actual = n;
        return s;
    }

    LONG RefCount() const { return m_ref; }
    std::vector<BYTE> Bytes() const { return std::vector<BYTE>(m_buffer.begin(), m_buffer.begin() + m_actual); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IMediaSample) {
            *ppv = static_cast<IMediaSample*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_ref); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG r = InterlockedDecrement(&m_ref);
        if (r == 0)
            delete this;
        return r;
    }
    STDMETHODIMP GetPointer(BYTE** pp) override
    {
        if (pp == nullptr)
            return E_POINTER;
        *pp = m_buffer.empty() ? nullptr : m_buffer.data();
        return S_OK;
    }
    STDMETHODIMP_(LONG) GetSize() override { return static_cast<LONG>(m_buffer.size()); }
    STDMETHODIMP GetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return VFW_E_SAMPLE_TIME_NOT_SET; }
    STDMETHODIMP SetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return S_OK; }
    STDMETHODIMP IsSyncPoint() override { return S_FALSE; }
    STDMETHODIMP SetSyncPoint(BOOL) override { return S_OK; }
    STDMETHODIMP IsPreroll() override { return S_FALSE; }
    STDMETHODIMP SetPreroll(BOOL) override { return S_OK; }
    STDMETHODIMP_(LONG) GetActualDataLength() override { return m_actual; }
    STDMETHODIMP SetActualDataLength(LONG n) override
    {
        if (n < 0 || n > static_cast<LONG>(m_buffer.size()))
            return VFW_E_BUFFER_OVERFLOW;
        m_actual = n;
        return S_OK;
    }
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** pp) override
    {
        if (pp)
            *pp = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE*) override { return S_OK; }
    STDMETHODIMP IsDiscontinuity() override { return S_FALSE; }
    STDMETHODIMP SetDiscontinuity(BOOL) override { return S_OK; }
    STDMETHODIMP GetMediaTime(LONGLONG*, LONGLONG*) override { return VFW_E_MEDIA_TIME_NOT_SET; }
    STDMETHODIMP SetMediaTime(LONGLONG*, LONGLONG*) override { return S_OK; }

private:
    virtual ~CTestSample() = default;

    volatile LONG m_ref;
    std::vector<BYTE> m_buffer;
    LONG m_actual;
};
