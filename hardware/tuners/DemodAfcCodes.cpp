#include "hardware/tuners/TunerBusOps.h"

// Status codes by the demodulator's AFC value a = 0..15, one row per decoder.
const int g_DemodAfcCodes[AFC_DECODER_COUNT][16] =
{
    //  0  1  2  3  4  5  6  7  8  9 10 11 12 13 14 15
    {   3, 2, 2, 2, 4, 4, 4, 4, 0, 0, 0, 0, 1, 1, 1, 3 }, // A
    {   3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 3 }, // B
    {   3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 3 }, // C
    {   3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3 }, // D
};
