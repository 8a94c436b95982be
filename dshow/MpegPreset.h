#pragma once

#include <windows.h>

// An MPEG encoder preset: what ApplyPreset gives the encoder.
struct MpegPreset
{
    LONG nType;  // 0 MPEG-1, 1 VCD, 2 MPEG-2, 3 SVCD, 4 DVD
    LONG bPal;
    LONG bMpeg2;
    LONG nHeaderCode;
    double dBitRate;
    double dMaxBitRate;
    LONG nWidth;
    LONG nHeight;
    LONG nAudioValue;
    LONG nLastValue;
};

BOOL FillMPEG1Preset(MpegPreset* pPreset, BOOL bPal);
BOOL FillVCDPreset(MpegPreset* pPreset, BOOL bPal);
BOOL FillMPEG2Preset(MpegPreset* pPreset, BOOL bPal);
BOOL FillSVCDPreset(MpegPreset* pPreset, BOOL bPal);
BOOL FillDVDPreset(MpegPreset* pPreset, BOOL bPal);
BOOL FillDVDPreset2(MpegPreset* pPreset, BOOL bPal);
