#pragma once
#include "platform/standins/mainconcept/MainConceptSdk.h"
#include "platform/standins/mainconcept/McParamSet.h"
#include "platform/standins/mpegkit/Mpeg2Demux.h"

// The MPEG splitter: once its input is connected it has a "Video" output
// for stream 0xE0 and an "Audio" output for stream 0xC0 of the program
// stream; its parameters are kept by number.
class CMcSplitter : public CMpeg2Demux
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

private:
    explicit CMcSplitter(IUnknown* pUnk, HRESULT* phr);
    HRESULT OnInputConnected() override;
    HRESULT AddOutput(LPCWSTR pszName, const GUID& majorType, const GUID& subtype, ULONG streamId);

    CMcParamSet m_params;
};
