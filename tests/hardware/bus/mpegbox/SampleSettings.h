#pragma once

#include "hardware/bus/MpegBoxEncoder.h"

#include <string.h>

// Encoder settings with a distinct value in every field the box's settings
// operations carry.
inline MpegBoxSettings SampleSettings()
{
    MpegBoxSettings s;
    memset(&s, 0, sizeof(s));
    s.bStreamOutputMode = 10;
    s.bVideoResolution = 2;
    s.bEncodingMode = 1;
    s.wVideoBitrate = 0x1770;
    s.bVariance = 0x11223344;
    s.dwMuxRate = 0x2710;
    s.dwVBRPadding = 5;
    s.awPictureValues[0] = 0x0102;
    s.awPictureValues[1] = 0x0304;
    s.bMPEGAudLayer = 2;
    s.bAudioSamplingRate = 1;
    s.bAudioDataRate = 0x0D;
    s.bAudioOutputMode = 3;
    s.bCRCState = 1;
    s.bGOPStructure = 4;
    s.bAudioEncodingMode = 6;
    s.bClosedGOP = 1;
    s.dwStorageCap = 4096;
    MpegBoxDefaultPreFilter(&s.PreFilterInfo);
    s.bVideoInMode = 7;
    s.bTVEncodeFormat = 8;
    s.bTVDecodeFormat = 9;
    s.nSharpness = -3;
    s.nBrightness = 128;
    s.nContrast = 64;
    s.nSaturation = 65;
    s.nHue = -1;
    s.bInverseTel = 1;
    s.bTransportOutputMode = 11;
    return s;
}
