#pragma once

#include "platform/dshow/Streams.h"

// A pin that only stands for a wire between two chips of the card (analog
// video and audio, the digital 656 and I2S buses): it connects with one media
// type and carries no samples.
class CSimLinkPin : public CBasePin
{
public:
    CSimLinkPin(CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName, PIN_DIRECTION dir,
                const GUID& majorType, const GUID& subType);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;

private:
    GUID m_majorType;
    GUID m_subType;
};

// Connects the output pin to the input pin through the graph unless it is
// already connected there.
HRESULT SimConnectLink(IFilterGraph* pGraph, IPin* pOut, IPin* pIn);
// The pin of the filter with that name, or null (a reference).
IPin* SimFindPin(IBaseFilter* pFilter, LPCWSTR pszName);

// The card's digital buses between decoder and encoder.
extern const GUID SIMSUBTYPE_BT656;
extern const GUID SIMSUBTYPE_I2S;
