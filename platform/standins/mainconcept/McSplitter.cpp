#include "platform/standins/mainconcept/McSplitter.h"

#include <new>

CUnknown* CALLBACK CMcSplitter::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CMcSplitter* p = new (std::nothrow) CMcSplitter(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CMcSplitter::CMcSplitter(IUnknown* pUnk, HRESULT* phr)
    : CMpeg2Demux("MPEG Splitter", pUnk, CLSID_McMpegSplitter, phr), m_params(GetOwner())
{
}

STDMETHODIMP CMcSplitter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMcSplitterParams)
        return GetInterface(static_cast<IMcParams*>(&m_params), ppv);
    return CMpeg2Demux::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CMcSplitter::AddOutput(LPCWSTR pszName, const GUID& majorType, const GUID& subtype, ULONG streamId)
{
    CMediaType mt(&majorType);
    mt.SetSubtype(&subtype);
    IPin* pPin = nullptr;
    HRESULT hr = CreateOutputPin(&mt, const_cast<LPWSTR>(pszName), &pPin);
    if (FAILED(hr))
        return hr;
    IMPEG2StreamIdMap* pMap = nullptr;
    hr = pPin->QueryInterface(IID_IMPEG2StreamIdMap, reinterpret_cast<void**>(&pMap));
    if (SUCCEEDED(hr))
    {
        hr = pMap->MapStreamId(streamId, MPEG2_PROGRAM_ELEMENTARY_STREAM, 0, 0);
        pMap->Release();
    }
    pPin->Release();
    return hr;
}

HRESULT CMcSplitter::OnInputConnected()
{
    if (GetPinCount() > 1)
        return S_OK;
    HRESULT hr = AddOutput(L"Video", MEDIATYPE_Video, MEDIASUBTYPE_MPEG2_VIDEO, 0xE0);
    if (SUCCEEDED(hr))
        hr = AddOutput(L"Audio", MEDIATYPE_Audio, MEDIASUBTYPE_MPEG1AudioPayload, 0xC0);
    return hr;
}
