#pragma once

#include <windows.h>

// The picture the card's video decoder makes of what it receives: one YUY2
// frame of two fields, the even lines the first field and the odd lines the
// second, half a frame time later. In source pixels, whatever the capture size:
//  - eight vertical colour bars whose colours belong to the source (each tuned
//    station, each outside input its own);
//  - in the top quarter, a white square of SQUARE_SIZE at (SQUARE_X, BLOCK_Y)
//    and beside it, at (STRIPES_X, BLOCK_Y), a block of one-line stripes (dark
//    even lines, light odd lines): still detail that only a weave keeps;
//  - in the bottom quarter, a white bar BAR_WIDTH wide that moves BAR_STEP
//    pixels each field time, so the two fields of a frame disagree where it is;
//  - on the tuner input, reception noise of up to NOISE in the luma.
// Tuned off any station the tuner gives snow. A decoder set to another colour
// system than the source's loses the colour; to another line count the picture
// also rolls. The decoder's brightness, contrast, hue and saturation apply.
class CSimPicture
{
public:
    enum
    {
        SQUARE_X = 32,
        BLOCK_Y = 32,
        SQUARE_SIZE = 64,
        STRIPES_X = 128,
        STRIPE_DARK = 40,
        STRIPE_LIGHT = 220,
        BAR_WIDTH = 16,
        BAR_STEP = 8,
        NOISE = 8,
    };

    // Frame number n of the current input, drawn into a YUY2 buffer.
    static void Draw(BYTE* pBuffer, int width, int height, LONGLONG frame);

    // 0 none, 1 the NTSC family, 2 PAL, 3 SECAM (AnalogVideoStandard bits).
    static int ColourSystem(LONG standard);
    // 525 or 625.
    static int LineCount(LONG standard);
};
