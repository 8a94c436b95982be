#pragma once

#include <windows.h>

class CTunerModule;

// The constants of one PLL tuner model with operations of its own (frequencies
// in kHz). The models with IF demodulators, offsets and FM sections of their
// own start from these values like the plain models start from theirs.
struct TunerModelRow
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

extern const TunerModelRow g_TunerModelTable[];
extern const int g_nTunerModelTableCount;

// The row of a tuner type id, or null.
const TunerModelRow* FindTunerModelRow(int nTypeId);
// Stores the row of the type id into the module; FALSE when there is none.
BOOL ApplyTunerModelRow(CTunerModule& tuner, int nTypeId);
