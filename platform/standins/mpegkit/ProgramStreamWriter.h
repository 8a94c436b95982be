#pragma once
#include <windows.h>
#include <vector>

// Writes elementary-stream data as an MPEG-2 program stream: each piece in
// packs of its own (pack header, one PES packet), the first carrying the
// piece's presentation time. Clock references follow the time stamps a
// little ahead of them and never go back.
class CProgramStreamWriter
{
public:
    enum { MAX_PAYLOAD = 4000 };

    CProgramStreamWriter();

    void Reset();
    // llPts: 90 kHz, or -1 for none.
    void AddPacket(BYTE streamId, LONGLONG llPts, const BYTE* pData, DWORD cbData, std::vector<BYTE>& out);
    void AddEnd(std::vector<BYTE>& out);

    static void PutPackHeader(LONGLONG llScr, DWORD dwMuxRate, BYTE* p);
    static void PutPts(LONGLONG llPts, BYTE* p);

private:
    LONGLONG m_llScr;
};
