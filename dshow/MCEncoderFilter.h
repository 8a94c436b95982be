#pragma once

#include "dshow/FilterNode.h"
#include "dshow/MCEncoderControls.h"
#include "dshow/MpegPreset.h"

// The wrapper of MainConcept's MPEG encoder (video, audio and multiplexer in
// one filter): presets, the output file and every settings method.
class CMCEncoderFilter : public CFilterNode,
                         public CMCAudioEncoderControl,
                         public CMCMultiplexerControl,
                         public CMCVideoEncoderControl
{
public:
    CMCEncoderFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CMCEncoderFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMCEncoderFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CMCEncoderFilter() override;

    // TRUE only when every settings interface is there.
    BOOL Initfilter() override;
    // The preset's video block, encoder parameters, audio record and
    // multiplex type, stopping at the first refusal.
    BOOL ApplyPreset(const MpegPreset* pPreset);

    BOOL GetVideoParameter96(LONG* plValue) { return GetVideoParameter(96, plValue); }
    BOOL SetVideoParameter96(LONG lValue) { return SetVideoParameter(96, lValue); }
    BOOL GetVideoParameter97(LONG* plValue) { return GetVideoParameter(97, plValue); }
    BOOL SetVideoParameter97(LONG lValue) { return SetVideoParameter(97, lValue); }

    static BOOL FillMPEG1Preset(MpegPreset* pPreset, BOOL bPal) { return ::FillMPEG1Preset(pPreset, bPal); }
    static BOOL FillVCDPreset(MpegPreset* pPreset, BOOL bPal) { return ::FillVCDPreset(pPreset, bPal); }
    static BOOL FillMPEG2Preset(MpegPreset* pPreset, BOOL bPal) { return ::FillMPEG2Preset(pPreset, bPal); }
    static BOOL FillSVCDPreset(MpegPreset* pPreset, BOOL bPal) { return ::FillSVCDPreset(pPreset, bPal); }
    static BOOL FillDVDPreset(MpegPreset* pPreset, BOOL bPal) { return ::FillDVDPreset(pPreset, bPal); }
    static BOOL FillDVDPreset2(MpegPreset* pPreset, BOOL bPal) { return ::FillDVDPreset2(pPreset, bPal); }

private:
    void ReleaseInterfaces();
};
