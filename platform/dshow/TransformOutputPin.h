#pragma once
#include "platform/dshow/BaseOutputPin.h"

class CTransformFilter;

// The output of a CTransformFilter: offers and checks types through the filter.
class CTransformOutputPin : public CBaseOutputPin
{
public:
    CTransformOutputPin(const char* pObjectName, CTransformFilter* pTransformFilter, HRESULT* phr, LPCWSTR pName);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT SetMediaType(const CMediaType* pmt) override;
    HRESULT CheckConnect(IPin* pPin) override;
    HRESULT BreakConnect() override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp) override;

protected:
    CTransformFilter* m_pTransformFilter;
};
