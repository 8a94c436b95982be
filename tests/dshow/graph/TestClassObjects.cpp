#include "tests/dshow/graph/TestClassObjects.h"

#include "platform/dshow/Streams.h"
#include "platform/standins/testfilters/TestFilters.h"

#include <new>
#include <vector>

const CLSID CLSID_TestVideoSource = { 0x7e2c11a0, 0x51d4, 0x4b9a, { 0x86, 0x1f, 0x0c, 0x3e, 0x52, 0x90, 0x11, 0x01 } };
const CLSID CLSID_TestStuckSink = { 0x7e2c11a0, 0x51d4, 0x4b9a, { 0x86, 0x1f, 0x0c, 0x3e, 0x52, 0x90, 0x11, 0x02 } };
const CLSID CLSID_TestRgbSource = { 0x7e2c11a0, 0x51d4, 0x4b9a, { 0x86, 0x1f, 0x0c, 0x3e, 0x52, 0x90, 0x11, 0x03 } };

namespace {

volatile LONG g_bStuck = 0;
volatile LONG g_nStuckDisconnects = 0;

class CStuckPin : public CBaseInputPin
{
public:
    CStuckPin(CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr)
        : CBaseInputPin("Stuck pin", pFilter, pLock, phr, L"In")
    {
    }
    HRESULT CheckMediaType(const CMediaType*) override { return S_OK; }
    STDMETHODIMP Receive(IMediaSample*) override { return S_OK; }
    STDMETHODIMP Disconnect() override
    {
        if (g_bStuck)
        {
            InterlockedIncrement(&g_nStuckDisconnects);
            return VFW_E_NOT_STOPPED;
        }
        return CBaseInputPin::Disconnect();
    }
};

class CStuckSink : public CBaseFilter
{
public:
    explicit CStuckSink(HRESULT* phr)
        : CBaseFilter("Stuck sink", nullptr, &m_lock, CLSID_TestStuckSink, phr)
    {
        m_pPin = new CStuckPin(this, &m_lock, phr);
    }
    ~CStuckSink() override { delete m_pPin; }
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? m_pPin : nullptr; }

private:
    CCritSec m_lock;
    CStuckPin* m_pPin;
};

class CTestClassFactory : public IClassFactory
{
public:
    explicit CTestClassFactory(ClassObjectRegistration::PFN_CREATE pfn) : m_cRef(1), m_pfn(pfn) {}
    virtual ~CTestClassFactory() {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory)
        {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_cRef); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = InterlockedDecrement(&m_cRef);
        if (n == 0)
            delete this;
        return n;
    }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        return m_pfn(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    volatile LONG m_cRef;
    ClassObjectRegistration::PFN_CREATE m_pfn;
};

}  // namespace

void SetSinksStuck(bool bStuck)
{
    InterlockedExchange(&g_bStuck, bStuck ? 1 : 0);
    InterlockedExchange(&g_nStuckDisconnects, 0);
}

LONG StuckDisconnectCalls()
{
    return g_nStuckDisconnects;
}

ClassObjectRegistration::ClassObjectRegistration(REFCLSID clsid, PFN_CREATE pfnCreate)
    : m_dwCookie(0)
{
    CTestClassFactory* pFactory = new CTestClassFactory(pfnCreate);
    m_hr = CoRegisterClassObject(clsid, pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_dwCookie);
    pFactory->Release();
}

ClassObjectRegistration::~ClassObjectRegistration()
{
    if (m_dwCookie != 0)
        CoRevokeClassObject(m_dwCookie);
}

HRESULT CreateTestVideoSource(REFIID riid, void** ppv)
{
    IBaseFilter* pFilter = nullptr;
    CBytePushSource* pSource = nullptr;
    HRESULT hr = CreateBytePushSource(nullptr, 4096, &pFilter, &pSource);
    if (FAILED(hr))
        return hr;
    std::vector<BYTE> bytes(4096 * 4, 0x80);
    pSource->SetBytes(bytes.data(), bytes.size());
    AM_MEDIA_TYPE mt = {};
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_YUY2;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = 4096;
    hr = pSource->SetOutputType(mt);
    if (SUCCEEDED(hr))
        hr = pFilter->QueryInterface(riid, ppv);
    pFilter->Release();
    return hr;
}

HRESULT CreateTestRgbSource(REFIID riid, void** ppv)
{
    const LONG kWidth = 64, kHeight = 48;
    const DWORD kFrame = kWidth * kHeight * 4;
    IBaseFilter* pFilter = nullptr;
    CBytePushSource* pSource = nullptr;
    HRESULT hr = CreateBytePushSource(nullptr, kFrame, &pFilter, &pSource);
    if (FAILED(hr))
        return hr;
    std::vector<BYTE> bytes(kFrame * 4, 0x40);
    pSource->SetBytes(bytes.data(), bytes.size());
    VIDEOINFOHEADER vih = {};
    vih.AvgTimePerFrame = 400000;
    vih.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih.bmiHeader.biWidth = kWidth;
    vih.bmiHeader.biHeight = kHeight;
    vih.bmiHeader.biPlanes = 1;
    vih.bmiHeader.biBitCount = 32;
    vih.bmiHeader.biCompression = BI_RGB;
    vih.bmiHeader.biSizeImage = kFrame;
    AM_MEDIA_TYPE mt = {};
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB32;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = kFrame;
    mt.formattype = FORMAT_VideoInfo;
    mt.cbFormat = sizeof(vih);
    mt.pbFormat = reinterpret_cast<BYTE*>(&vih);
    hr = pSource->SetOutputType(mt);
    if (SUCCEEDED(hr))
        hr = pFilter->QueryInterface(riid, ppv);
    pFilter->Release();
    return hr;
}

HRESULT CreateTestStuckSink(REFIID riid, void** ppv)
{
    HRESULT hr = S_OK;
    CStuckSink* pSink = new (std::nothrow) CStuckSink(&hr);
    if (pSink == nullptr)
        return E_OUTOFMEMORY;
    pSink->NonDelegatingAddRef();
    if (SUCCEEDED(hr))
        hr = pSink->NonDelegatingQueryInterface(riid, ppv);
    pSink->NonDelegatingRelease();
    return hr;
}

HRESULT CreateNothing(REFIID, void**)
{
    return E_FAIL;
}
