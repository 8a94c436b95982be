#pragma once

#include "hardware/tuners/XceiveScript.h"

// The firmware images the Xceive tuners load on a standard change: two base
// images and nine standard images. Standard images 1 to 4 are the short ones
// (B/G/D/I, M/N, D/K, L), 5 to 9 the long ones (M/N, B/G, D/K, I, L).
enum { XCEIVE_STANDARD_IMAGES = 9 };

extern const XceiveScript g_XceiveBaseMN;
extern const XceiveScript g_XceiveBaseOther;
extern const XceiveScript g_XceiveStandards[XCEIVE_STANDARD_IMAGES];

// Standard image n (1 to 9).
inline const XceiveScript& XceiveStandardImage(int n) { return g_XceiveStandards[n - 1]; }
