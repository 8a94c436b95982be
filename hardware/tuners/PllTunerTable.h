#pragma once

#include <windows.h>

// The constants of one plain PLL tuner model (frequencies in kHz).
struct PllTunerRow
{
    enum { MAX_STANDARDS = 6 };

    int nTypeId;
    int nModelId;
    int cLetter;
    BYTE byI2CRead;
    BYTE byI2CWrite;
    int nTVLow;
    int nTVHigh;
    int nLowBandEnd;
    int nMidBandStart;
    int nMidBandEnd;
    int nHighBandStart;
    BYTE byBandLow;
    BYTE byBandMid;
    BYTE byBandHigh;
    BYTE byControl;
    BYTE byStatusMask;
    int nIF;
    BOOL bHasFM;
    int nFMLow;
    int nFMHigh;
    int nFMIF;
    BYTE byFMControl;
    BYTE byFMBand;
    int anAfcCodes[5];
    int nFMLockCode;
    BOOL bReapplyStandard;
    // AnalogVideoStandard masks in the model's order; 0 ends a shorter list.
    DWORD adwStandards[MAX_STANDARDS];
};

extern const PllTunerRow g_PllTunerTable[];
extern const int g_nPllTunerTableCount;

// The row of a tuner type id, or null.
const PllTunerRow* FindPllTunerRow(int nTypeId);
