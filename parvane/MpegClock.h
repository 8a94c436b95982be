#pragma once

#include <windows.h>
#include "parvane/ParvaneApi.h"

// Reading and writing the time fields of program streams: 33-bit 90 kHz stamps, the MPEG-2
// SCR with its 27 MHz extension, the GOP time code and the BCD time codes of DVD navigation
// packets. Every writer keeps the marker bits valid and writes negative times as 0.
class CMpegClock
{
public:
    static const double kTickSeconds;       // 1 / 90000
    static const double kSysTickSeconds;    // 1 / 27000000

    static double TicksToSeconds(unsigned __int64 ticks) { return ticks * kTickSeconds; }
    static unsigned __int64 SecondsToTicks(double seconds);

    // PTS, DTS and the MPEG-1 SCR share one 5-byte layout; the top nibble of the first byte
    // is the caller's (kept by WriteStamp).
    static unsigned __int64 ReadStampTicks(const BYTE* p);
    static double ReadStamp(const BYTE* p) { return TicksToSeconds(ReadStampTicks(p)); }
    static void WriteStamp(BYTE* p, double seconds);
    static void WriteStampTicks(BYTE* p, unsigned __int64 ticks);

    // MPEG-1 pack header: p points at 00 00 01 BA.
    static double ReadMpeg1Scr(const BYTE* pack) { return ReadStamp(pack + 4); }
    static void WriteMpeg1Scr(BYTE* pack, double seconds);

    // The 6-byte MPEG-2 SCR field (pack header bytes 4-9); ESCR keeps its two reserved top bits.
    static double ReadScrField(const BYTE* p);
    static void WriteScrField(BYTE* p, double seconds, BOOL keepTopBits);
    static double ReadMpeg2Scr(const BYTE* pack) { return ReadScrField(pack + 4); }
    static void WriteMpeg2Scr(BYTE* pack, double seconds) { WriteScrField(pack + 4, seconds, FALSE); }
    static unsigned __int64 ReadScrBaseTicks(const BYTE* p);

    // Big-endian 32-bit 90 kHz fields of the navigation packets.
    static double ReadTicks32(const BYTE* p);
    static void WriteTicks32(BYTE* p, double seconds);
    static void PutBig32(BYTE* p, DWORD value);
    static DWORD GetBig32(const BYTE* p);

    // hh mm ss ff, BCD; the top two bits of ff select 25 (01) or 30 (11) frames per second,
    // otherwise `sequenceRate` is used.
    static double ReadBcdTime(const BYTE* p, double sequenceRate);
    static void WriteBcdTime(BYTE* p, double seconds, double rate, BYTE flagBits);
    static double BcdRate(const BYTE* p, double sequenceRate);

    // gop points at 00 00 01 B8.
    static double ReadGopTime(const BYTE* gop, double frameRate);
    static void WriteGopTime(BYTE* gop, double seconds, double frameRate);

    // header points at 00 00 01 B3 with at least 12 bytes behind it.
    static void ParseSequenceHeader(const BYTE* header, MpegSequenceInfo* info);
    static double FrameRateOfCode(int code);
};
