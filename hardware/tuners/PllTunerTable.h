#pragma once

#include <windows.h>

class CTunerModule;

// The constants of one PLL tuner model (frequencies in kHz). The plain models
// are driven by the base unchanged; the models with IF demodulators, offsets
// and FM sections of their own start from a row of the same shape.
struct PllTunerRow
{
    enum { MAX_STANDARDS = 9 };

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
    // 0 keeps the base's initial standard.
    DWORD dwInitialStandard;
    // AnalogVideoStandard masks in the model's order; 0 ends a shorter list.
    DWORD adwStandards[MAX_STANDARDS];
};

// The plain models' rows.
extern const PllTunerRow g_PllTunerTable[];
extern const int g_nPllTunerTableCount;

// The row of a plain model's type id, or null.
const PllTunerRow* FindPllTunerRow(int nTypeId);
// Stores the row's values into the module.
void ApplyPllTunerRow(CTunerModule& tuner, const PllTunerRow& row);
