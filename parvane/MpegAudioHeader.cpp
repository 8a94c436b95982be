#include "parvane/MpegAudioHeader.h"

BOOL CMpegAudioHeader::Parse(const BYTE* p, int bytes, int* frameLength, double* duration)
{
    if (!p || bytes < 3)
        return FALSE;
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return FALSE;
    int version = (p[1] >> 3) & 0x03;     // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved
    int layerBits = (p[1] >> 1) & 0x03;   // 3 layer I, 2 layer II, 1 layer III
    int rateIndex = p[2] >> 4;
    int srIndex = (p[2] >> 2) & 0x03;
    if (version == 1 || layerBits == 0 || rateIndex == 15 || srIndex == 3)
        return FALSE;

    int layer = 4 - layerBits;
    unsigned sampleRate = kMpegAudioSampleRates[srIndex];
    if (version == 2)
        sampleRate /= 2;
    else if (version == 0)
        sampleRate /= 4;
    int samples = layer == 1 ? 384 : (layer == 3 && version != 3) ? 576 : 1152;
    if (duration)
        *duration = (double)samples / sampleRate;
    if (frameLength)
    {
        unsigned kbps = kMpegAudioBitRates[version == 3 ? 0 : 1][layer - 1][rateIndex];
        int padding = (p[2] >> 1) & 0x01;
        if (kbps == 0)
            *frameLength = 0;   // free format: the length is not in the header
        else if (layer == 1)
            *frameLength = (int)((12 * kbps * 1000 / sampleRate + padding) * 4);
        else
            *frameLength = (int)(samples / 8 * kbps * 1000 / sampleRate + padding);
    }
    return TRUE;
}
