#pragma once

#include "hardware/tuners/XceiveScript.h"

class CTunerModule;

// What the Xceive tuner classes share about the chip itself.

// The settings of an Xceive model: no band bytes, letter 'E', addresses
// 0xC3/0xC2, its range and AFC codes and the eighteen standards it lists.
void ApplyXceiveSettings(CTunerModule& tuner, int nTypeId);

// The standard image of a single standard, 0 for a combination or a standard
// the chip has no image for: the long images 5 to 9 or the short ones 1 to 4.
int XceiveLongImageFor(DWORD standard);
int XceiveShortImageFor(DWORD standard);
// The base script that goes with a standard image: the M/N one for M/N.
const XceiveScript& XceiveBaseFor(int image);

// Reset line low for the time given, then released; the release decides.
BOOL ResetXceive(CRegisterAccess* pBus, DWORD lowMs);
BOOL HoldXceiveReset(CRegisterAccess* pBus);
// The chip's own status through the address byte: the status request, 50 ms,
// then a four-byte read whose second byte is 1 when locked. The code is 0
// when the request or the read failed.
BOOL ReadXceiveStatus(CRegisterAccess* pBus, DWORD* pCode);
