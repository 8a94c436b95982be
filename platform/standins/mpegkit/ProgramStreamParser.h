#pragma once
#include <windows.h>
#include <vector>

// Splits an MPEG-1 system stream or MPEG-2 program stream, fed in pieces of
// any size, into its packs and PES packets. Bytes before the first start code
// (or between a damaged unit and the next start code) are skipped.
class CProgramStreamParser
{
public:
    struct Packet
    {
        BYTE streamId;
        BOOL bHasPts;
        LONGLONG llPts;  // 90 kHz
        const BYTE* pPayload;
        DWORD cbPayload;
    };

    class Handler
    {
    public:
        virtual ~Handler() {}
        // llOffset: where the pack header starts, counted over everything fed since Reset.
        virtual void OnPack(LONGLONG llOffset, LONGLONG llScr) {}
        virtual void OnPacket(const Packet& packet) = 0;
    };

    CProgramStreamParser();

    void Feed(const BYTE* pData, DWORD cbData, Handler& handler);
    // Forgets a unit cut short, as after a flush; offsets count from zero again.
    void Reset();

    // Time stamp and clock reference fields (5 and 6 bytes), in 90 kHz ticks.
    static LONGLONG ReadPts(const BYTE* p);
    static LONGLONG ReadScr(const BYTE* p, BOOL bMpeg2);

private:
    // The length of the unit at p (a start code), 0 when more bytes are
    // needed to tell, -1 when p holds no unit.
    static int UnitLength(const BYTE* p, size_t cbAvailable);
    static void ParsePacket(const BYTE* p, int cb, Handler& handler);

    std::vector<BYTE> m_pending;
    LONGLONG m_llPendingOffset;
};
