#pragma once

#include "dshow/FilterNode.h"

// The wrapper of the "ACM Wrapper" audio compressor: picks its output format
// by sample rate and sample size through the stream configuration that the
// graph's capture builder finds on it.
class CAcmWrapperFilter : public CFilterNode
{
public:
    CAcmWrapperFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CAcmWrapperFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CAcmWrapperFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CAcmWrapperFilter() override;

    // TRUE only when the builder finds IAMStreamConfig on the filter (S_OK).
    BOOL Initfilter() override;
    // The first type of the first unconnected output pin with a wave format
    // of that rate and sample size; the caller frees it (DeleteMediaType).
    BOOL FindOutputMediaType(AM_MEDIA_TYPE** ppmt, DWORD dwSamplesPerSec, WORD wBitsPerSample);
    // That type as the output format; TRUE only for S_OK.
    BOOL SetOutputFormat(DWORD dwSamplesPerSec, WORD wBitsPerSample);

    // Frees a media type handed out above.
    static void DeleteMediaType(AM_MEDIA_TYPE* pmt);

private:
    ComPtr<IAMStreamConfig> m_pStreamConfig;
};
