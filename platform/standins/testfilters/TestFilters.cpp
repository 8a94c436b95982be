#include "platform/standins/testfilters/TestFilters.h"

namespace {

template <class T>
HRESULT HandOut(T* obj, HRESULT hr, IBaseFilter** ppFilter, T** ppObject)
{
    if (!obj) return FAILED(hr) ? hr : E_OUTOFMEMORY;
    obj->NonDelegatingAddRef();
    if (SUCCEEDED(hr)) hr = obj->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(ppFilter));
    if (SUCCEEDED(hr) && ppObject) *ppObject = obj;
    obj->NonDelegatingRelease();
    return hr;
}

}  // namespace

HRESULT CreateBytePushSource(const char* path, DWORD chunkBytes, IBaseFilter** ppFilter, CBytePushSource** ppObject)
{
    if (!ppFilter) return E_POINTER;
    *ppFilter = nullptr;
    HRESULT hr = S_OK;
    CBytePushSource* obj = static_cast<CBytePushSource*>(CBytePushSource::CreateInstance(nullptr, &hr));
    if (obj && SUCCEEDED(hr)) {
        obj->SetChunkSize(chunkBytes);
        if (path) hr = obj->LoadFile(path);
    }
    return HandOut(obj, hr, ppFilter, ppObject);
}

HRESULT CreateFileAppendSink(const char* path, IBaseFilter** ppFilter, CFileAppendSink** ppObject)
{
    if (!ppFilter) return E_POINTER;
    *ppFilter = nullptr;
    HRESULT hr = S_OK;
    CFileAppendSink* obj = static_cast<CFileAppendSink*>(CFileAppendSink::CreateInstance(nullptr, &hr));
    if (obj && SUCCEEDED(hr) && path) hr = obj->SetFile(path);
    return HandOut(obj, hr, ppFilter, ppObject);
}

HRESULT CreateCopyTransform(IBaseFilter** ppFilter, CCopyTransform** ppObject)
{
    if (!ppFilter) return E_POINTER;
    *ppFilter = nullptr;
    HRESULT hr = S_OK;
    CCopyTransform* obj = static_cast<CCopyTransform*>(CCopyTransform::CreateInstance(nullptr, &hr));
    return HandOut(obj, hr, ppFilter, ppObject);
}
