#include "platform/sim/blackbird/SimPicture.h"

#include "platform/sim/blackbird/SimBlackBirdCard.h"

#include <dshow.h>
#include <math.h>

namespace
{
const int kBars = 8;
const double kPi = 3.14159265358979323846;

BYTE Clamp(int v)
{
    return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
}

struct Yuv
{
    int y, u, v;
};

// The decoder's picture controls, at their defaults a plain copy.
class CProcAmp
{
public:
    explicit CProcAmp(CSimBlackBirdCard& card)
    {
        m_brightness = (card.GetProcAmp(VideoProcAmp_Brightness) - 5020) / 40;
        m_contrast = card.GetProcAmp(VideoProcAmp_Contrast);
        double angle = (card.GetProcAmp(VideoProcAmp_Hue) - 5020) * kPi / 5000.0;
        double saturation = card.GetProcAmp(VideoProcAmp_Saturation) / 4980.0;
        m_uu = static_cast<int>(cos(angle) * saturation * 1024);
        m_uv = static_cast<int>(-sin(angle) * saturation * 1024);
        m_vu = static_cast<int>(sin(angle) * saturation * 1024);
        m_vv = m_uu;
    }

    Yuv Apply(Yuv in, BOOL bColour) const
    {
        Yuv out;
        out.y = 128 + (in.y - 128) * m_contrast / 2235 + m_brightness;
        if (!bColour)
        {
            out.u = 128;
            out.v = 128;
            return out;
        }
        int u = in.u - 128;
        int v = in.v - 128;
        out.u = 128 + (u * m_uu + v * m_uv) / 1024;
        out.v = 128 + (u * m_vu + v * m_vv) / 1024;
        return out;
    }

private:
    int m_brightness;
    int m_contrast;
    int m_uu, m_uv, m_vu, m_vv;
};
}

int CSimPicture::ColourSystem(LONG standard)
{
    if (standard & (AnalogVideo_NTSC_M | AnalogVideo_NTSC_M_J | AnalogVideo_NTSC_433))
        return 1;
    if (standard & (AnalogVideo_PAL_B | AnalogVideo_PAL_D | AnalogVideo_PAL_G | AnalogVideo_PAL_H |
                    AnalogVideo_PAL_I | AnalogVideo_PAL_M | AnalogVideo_PAL_N | AnalogVideo_PAL_60 |
                    AnalogVideo_PAL_N_COMBO))
        return 2;
    if (standard & 0x000FF000)
        return 3;
    return 0;
}

int CSimPicture::LineCount(LONG standard)
{
    return standard & (AnalogVideo_NTSC_M | AnalogVideo_NTSC_M_J | AnalogVideo_NTSC_433 | AnalogVideo_PAL_M |
                       AnalogVideo_PAL_60)
               ? 525
               : 625;
}

void CSimPicture::Draw(BYTE* pBuffer, int width, int height, LONGLONG frame)
{
    CSimBlackBirdCard& card = CSimBlackBirdCard::Instance();
    LONG input = card.GetRoute(SIM_XBAR_OUT_VIDEO);
    BOOL bTuner = input == SIM_XBAR_VIDEO_TUNER;
    BOOL bPicture = !bTuner || card.IsOnStation();
    LONG decoderStandard = card.GetVideoStandard();
    LONG sourceStandard = card.GetSourceStandard(input);
    BOOL bColour = ColourSystem(decoderStandard) == ColourSystem(sourceStandard);
    BOOL bRolls = LineCount(decoderStandard) != LineCount(sourceStandard);
    CProcAmp procAmp(card);
    if (width < 2 || height < 1)
        return;

    // Each station (and each outside input) has its own colours.
    unsigned seed = bTuner ? static_cast<unsigned>(card.GetTunedFrequency()) : 5000u * (input + 1);
    Yuv bars[kBars];
    for (int bar = 0; bar < kBars; ++bar)
    {
        Yuv raw;
        raw.y = 40 + ((bar * 29 + seed / 250) % 180);
        raw.u = 128 + static_cast<int>(((seed >> 3) + bar * 37) % 96) - 48;
        raw.v = 128 + static_cast<int>(((seed >> 5) + bar * 53) % 96) - 48;
        bars[bar] = procAmp.Apply(raw, bColour);
    }
    const Yuv white = procAmp.Apply(Yuv{ 235, 128, 128 }, bColour);
    const Yuv dark = procAmp.Apply(Yuv{ STRIPE_DARK, 128, 128 }, bColour);
    const Yuv light = procAmp.Apply(Yuv{ STRIPE_LIGHT, 128, 128 }, bColour);

    unsigned noise = static_cast<unsigned>(frame) * 2654435761u + 12345u;
    int roll = bRolls ? static_cast<int>((frame * (height / 10 + 1)) % height) : 0;
    for (int y = 0; y < height; ++y)
    {
        BYTE* pRow = pBuffer + static_cast<size_t>(y) * width * 2;
        int field = y & 1;
        LONGLONG fieldTime = frame * 2 + field;
        int sy = (y + roll) % height;
        int barX = static_cast<int>((fieldTime * BAR_STEP) % width);
        BOOL bBlockRow = sy >= BLOCK_Y && sy < BLOCK_Y + SQUARE_SIZE;
        BOOL bBarRow = sy >= height - height / 4;
        for (int x = 0; x < width; x += 2)
        {
            Yuv px;
            if (!bPicture)
            {
                noise = noise * 1103515245u + 12345u;
                px.y = 16 + static_cast<int>((noise >> 16) % 200);
                px.u = 128;
                px.v = 128;
            }
            else
            {
                px = bars[(x * kBars) / width];
                if (bBlockRow && x >= SQUARE_X && x < SQUARE_X + SQUARE_SIZE)
                    px = white;
                else if (bBlockRow && x >= STRIPES_X && x < STRIPES_X + SQUARE_SIZE)
                    px = (sy & 1) ? light : dark;
                else if (bBarRow && x >= barX && x < barX + BAR_WIDTH)
                    px = white;
                if (bTuner)
                {
                    noise = noise * 1103515245u + 12345u;
                    px.y += static_cast<int>((noise >> 16) % (2 * NOISE + 1)) - NOISE;
                }
            }
            pRow[x * 2] = Clamp(px.y);
            pRow[x * 2 + 1] = Clamp(px.u);
            pRow[x * 2 + 2] = Clamp(px.y + (bPicture ? 0 : 3));
            pRow[x * 2 + 3] = Clamp(px.v);
        }
    }
}
