#pragma once

#include <windows.h>
#include <strmif.h>
#include <ks.h>

#include <string.h>

#include <functional>
#include <vector>

// A filter stand-in whose IKsPropertySet records every Set and Get with the
// buffer it was given, and answers Gets through a handler. It can also hand
// out a kernel-streaming object handle through IKsObject.
class CRecordingPropertySet : public IKsPropertySet
{
public:
    struct Call
    {
        bool bSet;
        GUID set;
        DWORD id;
        DWORD instanceLength;
        DWORD dataLength;
        bool bSameBuffer;          // instance and data were one buffer
        std::vector<BYTE> data;    // the data buffer as it arrived
        std::vector<BYTE> instance;  // the instance bytes as they arrived
    };
    // Fills a Get's data (or changes a Set's view of it); returns its result.
    typedef std::function<HRESULT(bool bSet, DWORD id, BYTE* pData, DWORD length)> Handler;
    // The same, for drivers whose requests depend on the set and the instance.
    typedef std::function<HRESULT(bool bSet, const GUID& set, DWORD id, const BYTE* pInstance, DWORD cbInstance,
                                  BYTE* pData, DWORD length)>
        RequestHandler;

    CRecordingPropertySet();
    ~CRecordingPropertySet();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IKsPropertySet
    STDMETHODIMP Set(REFGUID set, DWORD id, LPVOID pInstance, DWORD cbInstance, LPVOID pData, DWORD cbData) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, LPVOID pInstance, DWORD cbInstance, LPVOID pData, DWORD cbData,
                     DWORD* pcbReturned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* pSupport) override;

    void SetHandler(const Handler& handler) { m_handler = handler; }
    void SetRequestHandler(const RequestHandler& handler) { m_requestHandler = handler; }
    // QuerySupported answers S_OK with these flags; anything not added is
    // E_PROP_ID_UNSUPPORTED.
    void AddSupported(const GUID& set, DWORD id,
                      DWORD support = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET);
    // A non-null handle makes the object answer IKsObject.
    void SetObjectHandle(HANDLE h) { m_hObject = h; }

    const std::vector<Call>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }
    ULONG RefCount() const { return m_cRef; }

private:
    // Keeps the call and passes the buffer to the handler.
    HRESULT Record(bool bSet, REFGUID set, DWORD id, LPVOID pInstance, DWORD cbInstance, LPVOID pData, DWORD cbData);

    class CKsObject;

    ULONG m_cRef;
    struct Support
    {
        GUID set;
        DWORD id;
        DWORD flags;
    };

    Handler m_handler;
    RequestHandler m_requestHandler;
    std::vector<Call> m_calls;
    std::vector<Support> m_supported;
    HANDLE m_hObject;
    CKsObject* m_pKsObject;
};

// The little-endian 32-bit word at offset of a recorded buffer.
inline DWORD Dword(const std::vector<BYTE>& data, size_t offset)
{
    DWORD v = 0;
    memcpy(&v, &data[offset], 4);
    return v;
}
