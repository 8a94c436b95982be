#pragma once

#include "dshow/DeinterlaceInterface.h"
#include "dshow/FilterNode.h"

// The wrapper of the companion deinterlace filter behind the capture pin:
// deinterlacing, its quality, half rate and noise reduction, and snapshots
// of the current picture.
class CDeinterlaceFilter : public CFilterNode
{
public:
    enum { QUALITY_NORMAL = 1022, REDUCE_MAX = 10 };

    CDeinterlaceFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CDeinterlaceFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CDeinterlaceFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CDeinterlaceFilter() override;

    // TRUE when the filter has its private interface.
    BOOL Initfilter() override;

    BOOL SetHighQuality(BOOL bHigh);
    BOOL GetHighQuality(LONG* plHigh);
    BOOL SetNoiseReduce(BOOL bOn);
    BOOL GetNoiseReduce(BOOL* pbOn);
    BOOL SetHalfRate(BOOL bOn);
    BOOL GetHalfRate(BOOL* pbOn);
    BOOL EnableDeinterlace(BOOL bOn);
    BOOL IsDeinterlaceEnabled(BOOL* pbOn);
    // Level 0 to 10; 0 also switches noise reduction off.
    BOOL SetReduceValue(LONG lLevel);
    BOOL GetReduceValue(LONG* plLevel);
    // Type 1 bitmap, 2 JPEG with the quality given.
    BOOL SaveSnapshot(LPCSTR pszFile, LONG lType, LONG lQuality);

private:
    ComPtr<IDeinterlace> m_pDeinterlace;
};
