#pragma once

#include "dshow/FilterNode.h"

#include <vector>

// The wrapper of the system's "MPEG-2 Demultiplexer" in the time-shift graph:
// it makes the "Video" and "Audio" output pins with fixed MPEG-2 video and
// MPEG audio types and maps the program stream's elementary streams onto
// them. Those pins appear at run time, so the graph re-reads the pin list
// after each connection change.
class CMpeg2DemuxFilter : public CFilterNode
{
public:
    enum { KIND_VIDEO = 0, KIND_AUDIO = 1, VIDEO_STREAM_ID = 0xE0, AUDIO_STREAM_ID = 0xC0 };

    CMpeg2DemuxFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CMpeg2DemuxFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMpeg2DemuxFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CMpeg2DemuxFilter() override;

    DWORD ReservedA(DWORD, DWORD, DWORD) override;
    DWORD ReservedB(DWORD, DWORD, DWORD) override;
    // TRUE when the filter has IMpeg2Demultiplexer.
    BOOL Initfilter() override;

    // Kind 0 makes a video pin, any other kind an audio pin.
    BOOL CreateOutputPin(LPCSTR pszPinName, int nKind);
    // Needs the pin in the node's pin list.
    BOOL MapStream(LPCSTR pszPinName, int nKind);
    HRESULT DeleteOutputPin(LPCSTR pszPinName);
    HRESULT SetOutputPinMediaType(LPCSTR pszPinName, AM_MEDIA_TYPE* pMediaType);

    // The format block of the video pin (218 bytes) and of the audio pin (40).
    static std::vector<BYTE> VideoFormatBlock();
    static std::vector<BYTE> AudioFormatBlock();

private:
    ComPtr<IMpeg2Demultiplexer> m_pDemux;
};
