#include "dshow/MpegPreset.h"

namespace
{
struct PresetRow
{
    LONG nType;
    LONG bMpeg2;
    LONG nHeaderCode;
    double dBitRate;
    double dMaxBitRate;
    LONG nWidth;
    LONG nHeightPal;
    LONG nHeightNtsc;
    LONG nAudioValue;
    LONG nLastValue;
};

// type, MPEG-2, header code, bit rate, maximum, width, height PAL / NTSC, audio value, last value
const PresetRow kMpeg1 = { 0, 0, 2, 4500000, 9800000, 352, 288, 240, 11, 2 };
const PresetRow kVcd = { 1, 0, 1, 1150000, 9800000, 352, 288, 240, 11, 2 };
const PresetRow kMpeg2 = { 2, 1, 2, 4500000, 9800000, 720, 576, 480, 11, 2 };
const PresetRow kSvcd = { 3, 1, 1, 2200000, 9800000, 480, 576, 480, 11, 2 };
const PresetRow kDvd = { 4, 1, 1, 7200000, 9800000, 720, 576, 480, 11, 4 };
const PresetRow kDvd2 = { 4, 1, 1, 4500000, 9800000, 720, 576, 480, 11, 4 };

BOOL Fill(const PresetRow& row, MpegPreset* pPreset, BOOL bPal)
{
    if (pPreset == NULL)
        return FALSE;
    pPreset->nType = row.nType;
    pPreset->bPal = bPal ? 1 : 0;
    pPreset->bMpeg2 = row.bMpeg2;
    pPreset->nHeaderCode = row.nHeaderCode;
    pPreset->dBitRate = row.dBitRate;
    pPreset->dMaxBitRate = row.dMaxBitRate;
    pPreset->nWidth = row.nWidth;
    pPreset->nHeight = bPal ? row.nHeightPal : row.nHeightNtsc;
    pPreset->nAudioValue = row.nAudioValue;
    pPreset->nLastValue = row.nLastValue;
    return TRUE;
}
}

BOOL FillMPEG1Preset(MpegPreset* pPreset, BOOL bPal) { return Fill(kMpeg1, pPreset, bPal); }
BOOL FillVCDPreset(MpegPreset* pPreset, BOOL bPal) { return Fill(kVcd, pPreset, bPal); }
BOOL FillMPEG2Preset(MpegPreset* pPreset, BOOL bPal) { return Fill(kMpeg2, pPreset, bPal); }
BOOL FillSVCDPreset(MpegPreset* pPreset, BOOL bPal) { return Fill(kSvcd, pPreset, bPal); }
BOOL FillDVDPreset(MpegPreset* pPreset, BOOL bPal) { return Fill(kDvd, pPreset, bPal); }
BOOL FillDVDPreset2(MpegPreset* pPreset, BOOL bPal) { return Fill(kDvd2, pPreset, bPal); }
