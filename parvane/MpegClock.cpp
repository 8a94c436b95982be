#include "parvane/MpegClock.h"

#include <math.h>
#include <string.h>

const double CMpegClock::kTickSeconds = 0.000011111111111111112;
const double CMpegClock::kSysTickSeconds = 3.7037037037037036e-8;

namespace
{
// A time written back from its own reading must not come out one tick short because of the
// binary representation of the product; a thousandth of a tick is far below any real step.
const double kTickSlack = 1e-3;
const double kPictureSlack = 1e-6;

BYTE ToBcd(unsigned value)
{
    value %= 100;
    return (BYTE)(((value / 10) << 4) | (value % 10));
}

unsigned FromBcd(BYTE b)
{
    return (b >> 4) * 10 + (b & 0x0F);
}
}

unsigned __int64 CMpegClock::SecondsToTicks(double seconds)
{
    if (!(seconds > 0))
        return 0;
    unsigned __int64 ticks = (unsigned __int64)(seconds * 90000.0 + kTickSlack);
    if (ticks >= 0x100000000ULL)
        ticks = 0x100000000ULL | (ticks & 0xFFFFFFFFULL);
    return ticks;
}

unsigned __int64 CMpegClock::ReadStampTicks(const BYTE* p)
{
    return ((unsigned __int64)((p[0] >> 1) & 0x07) << 30)
         | ((unsigned __int64)p[1] << 22)
         | ((unsigned __int64)(p[2] >> 1) << 15)
         | ((unsigned __int64)p[3] << 7)
         | (unsigned __int64)(p[4] >> 1);
}

void CMpegClock::WriteStampTicks(BYTE* p, unsigned __int64 t)
{
    p[0] = (BYTE)((p[0] & 0xF0) | ((t >> 29) & 0x0E) | 0x01);
    p[1] = (BYTE)(t >> 22);
    p[2] = (BYTE)(((t >> 14) & 0xFE) | 0x01);
    p[3] = (BYTE)(t >> 7);
    p[4] = (BYTE)(((t << 1) & 0xFE) | 0x01);
}

void CMpegClock::WriteStamp(BYTE* p, double seconds)
{
    WriteStampTicks(p, SecondsToTicks(seconds));
}

void CMpegClock::WriteMpeg1Scr(BYTE* pack, double seconds)
{
    pack[4] = 0x20;
    WriteStamp(pack + 4, seconds);
}

unsigned __int64 CMpegClock::ReadScrBaseTicks(const BYTE* p)
{
    return ((unsigned __int64)((p[0] >> 3) & 0x07) << 30)
         | ((unsigned __int64)(p[0] & 0x03) << 28)
         | ((unsigned __int64)p[1] << 20)
         | ((unsigned __int64)((p[2] >> 3) & 0x1F) << 15)
         | ((unsigned __int64)(p[2] & 0x03) << 13)
         | ((unsigned __int64)p[3] << 5)
         | (unsigned __int64)((p[4] >> 3) & 0x1F);
}

double CMpegClock::ReadScrField(const BYTE* p)
{
    unsigned __int64 base = ReadScrBaseTicks(p);
    unsigned ext = ((p[4] & 0x03) << 7) | (p[5] >> 1);
    return (double)(base * 300 + ext) * kSysTickSeconds;
}

void CMpegClock::WriteScrField(BYTE* p, double seconds, BOOL keepTopBits)
{
    unsigned __int64 base = 0;
    unsigned ext = 0;
    if (seconds > 0)
    {
        // Split one 27 MHz count so that the extension always stays within 0-299.
        unsigned __int64 total = (unsigned __int64)(seconds * 27000000.0 + kTickSlack * 300);
        base = total / 300;
        ext = (unsigned)(total % 300);
        if (base >= 0x100000000ULL)
            base = 0x100000000ULL | (base & 0xFFFFFFFFULL);
    }
    BYTE top = keepTopBits ? (BYTE)(p[0] & 0xC0) : (BYTE)0x40;
    p[0] = (BYTE)(top | ((base >> 27) & 0x38) | 0x04 | ((base >> 28) & 0x03));
    p[1] = (BYTE)(base >> 20);
    p[2] = (BYTE)(((base >> 12) & 0xF8) | 0x04 | ((base >> 13) & 0x03));
    p[3] = (BYTE)(base >> 5);
    p[4] = (BYTE)(((base << 3) & 0xF8) | 0x04 | ((ext >> 7) & 0x03));
    p[5] = (BYTE)(((ext << 1) & 0xFE) | 0x01);
}

DWORD CMpegClock::GetBig32(const BYTE* p)
{
    return ((DWORD)p[0] << 24) | ((DWORD)p[1] << 16) | ((DWORD)p[2] << 8) | p[3];
}

void CMpegClock::PutBig32(BYTE* p, DWORD v)
{
    p[0] = (BYTE)(v >> 24);
    p[1] = (BYTE)(v >> 16);
    p[2] = (BYTE)(v >> 8);
    p[3] = (BYTE)v;
}

double CMpegClock::ReadTicks32(const BYTE* p)
{
    return GetBig32(p) * kTickSeconds;
}

void CMpegClock::WriteTicks32(BYTE* p, double seconds)
{
    DWORD ticks = 0;
    if (seconds > 0)
        ticks = (DWORD)(unsigned __int64)(seconds * 90000.0 + kTickSlack);
    PutBig32(p, ticks);
}

double CMpegClock::BcdRate(const BYTE* p, double sequenceRate)
{
    switch (p[3] >> 6)
    {
    case 1: return 25.0;
    case 3: return 30.0;
    default: return sequenceRate;
    }
}

double CMpegClock::ReadBcdTime(const BYTE* p, double sequenceRate)
{
    double rate = BcdRate(p, sequenceRate);
    unsigned frames = ((p[3] >> 4) & 0x03) * 10 + (p[3] & 0x0F);
    double t = FromBcd(p[0]) * 3600.0 + FromBcd(p[1]) * 60.0 + FromBcd(p[2]);
    if (rate > 0)
        t += frames / rate;
    return t;
}

void CMpegClock::WriteBcdTime(BYTE* p, double seconds, double rate, BYTE flagBits)
{
    double s = seconds > 0 ? seconds + kPictureSlack : 0;
    unsigned hours = (unsigned)(s * 0.0002777777777777778);
    s -= hours * 3600.0;
    unsigned minutes = (unsigned)(s * 0.016666666666666666);
    unsigned whole = (unsigned)(s - minutes * 60.0);
    unsigned frames = 0;
    if (rate > 0)
        frames = (unsigned)(rate * (s - minutes * 60.0 - whole));
    if (whole > 59)
        whole = 59;
    p[0] = ToBcd(hours);
    p[1] = ToBcd(minutes);
    p[2] = ToBcd(whole);
    p[3] = (BYTE)((flagBits & 0xC0) | (ToBcd(frames) & 0x3F));
}

double CMpegClock::ReadGopTime(const BYTE* gop, double frameRate)
{
    const BYTE* t = gop + 4;
    unsigned hours = (t[0] >> 2) & 0x1F;
    unsigned minutes = ((t[0] & 0x03) << 4) | (t[1] >> 4);
    unsigned seconds = ((t[1] & 0x07) << 3) | (t[2] >> 5);
    unsigned pictures = ((t[2] & 0x1F) << 1) | (t[3] >> 7);
    double s = hours * 3600.0 + minutes * 60.0 + seconds;
    if (frameRate > 0)
        s += pictures / frameRate;
    return s;
}

void CMpegClock::WriteGopTime(BYTE* gop, double seconds, double frameRate)
{
    BYTE* t = gop + 4;
    // A time that came out of a subtraction a hair below a whole picture still names it.
    double s = seconds > 0 ? seconds + kPictureSlack : 0;
    unsigned hours = (unsigned)(s / 3600.0);
    double rest = s - hours * 3600.0;
    unsigned minutes = (unsigned)(rest / 60.0);
    rest -= minutes * 60.0;
    unsigned whole = (unsigned)rest;
    unsigned pictures = frameRate > 0 ? (unsigned)((rest - whole) * frameRate) : 0;
    hours &= 0x1F;
    minutes = minutes > 59 ? 59 : minutes;
    whole = whole > 59 ? 59 : whole;
    pictures &= 0x3F;
    t[0] = (BYTE)((t[0] & 0x80) | (hours << 2) | (minutes >> 4));
    t[1] = (BYTE)(((minutes & 0x0F) << 4) | (t[1] & 0x08) | (whole >> 3));
    t[2] = (BYTE)(((whole & 0x07) << 5) | (pictures >> 1));
    t[3] = (BYTE)(((pictures & 0x01) << 7) | (t[3] & 0x7F));
}

double CMpegClock::FrameRateOfCode(int code)
{
    static const double kRates[9] = {
        0.0, 24000.0 / 1001.0, 24.0, 25.0, 30000.0 / 1001.0, 30.0, 50.0, 60000.0 / 1001.0, 60.0 };
    if (code > 8)
        return 30.0;
    if (code < 0)
        return 0.0;
    return kRates[code];
}

void CMpegClock::ParseSequenceHeader(const BYTE* h, MpegSequenceInfo* info)
{
    if (!h || !info)
        return;
    info->width = (h[4] << 4) | (h[5] >> 4);
    info->height = ((h[5] & 0x0F) << 8) | h[6];
    info->aspectCode = (BYTE)(h[7] >> 4);
    info->frameRateCode = (BYTE)(h[7] & 0x0F);
    info->bitRate = (h[8] << 10) | (h[9] << 2) | (h[10] >> 6);
    info->constrained = (h[11] >> 2) & 0x01;
    info->frameRate = FrameRateOfCode(info->frameRateCode);
}
