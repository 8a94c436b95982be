#pragma once

#include <windows.h>

// The 4-byte header of an MPEG audio frame (layers I to III, MPEG-1, MPEG-2 and 2.5).
class CMpegAudioHeader
{
public:
    // 1 when p holds a frame header: the 0xFFF sync, a known version and layer, a bit-rate
    // index other than 15 and a known sampling rate. `bytes` must be at least 4 (3 suffices
    // for the header test alone; frameLength then comes out as 0).
    static BOOL Parse(const BYTE* p, int bytes, int* frameLength, double* duration);
    static BOOL IsFrameHeader(const BYTE* p, int bytes) { return Parse(p, bytes, 0, 0); }
};

// Bit rates in kbit/s by [version row][layer - 1][index]; row 0 MPEG-1, row 1 MPEG-2/2.5.
extern const unsigned short kMpegAudioBitRates[2][3][16];
// Sampling rates of MPEG-1 by index; MPEG-2 halves them, MPEG-2.5 quarters them.
extern const unsigned kMpegAudioSampleRates[3];
