#pragma once

#include <windows.h>

#include <vector>

// A short encoded clip played as an endless live stream: each pass is the
// clip again with its clock references, time stamps and GOP time codes moved
// on by the clip's length, so the stream never steps back in time.
class CSimMpegClip
{
public:
    CSimMpegClip();

    // An MPEG-1 system stream or MPEG-2 program stream of whole packs.
    BOOL Load(const char* pszPath);
    BOOL IsLoaded() const { return !m_data.empty(); }
    BOOL IsMpeg2() const { return m_bMpeg2; }

    // Starts again at the first pack of the first pass.
    void Rewind();
    // Copies whole packs into the buffer of cbMax bytes: at least one, and
    // more while fewer than cbWanted bytes are in. The time of the first, in
    // 90 kHz ticks from the start of the stream, goes to *pllDue. 0 when the
    // next pack does not fit the buffer.
    DWORD Next(BYTE* pBuffer, DWORD cbMax, DWORD cbWanted, LONGLONG* pllDue);

    // Passes begun so far (the first is 0).
    LONGLONG Pass() const { return m_pass; }

    // Length of one pass in 90 kHz ticks and in pictures.
    LONGLONG PassTicks() const { return m_llPassTicks; }
    int PassPictures() const { return m_nPictures; }

private:
    struct Pack
    {
        size_t offset;
        size_t size;
        LONGLONG scr;  // 90 kHz base
    };

    // Moves one pack on by the passes before it; returns its new clock reference.
    LONGLONG Restamp(BYTE* p, size_t size, LONGLONG ticks, int pictures);

    std::vector<BYTE> m_data;
    std::vector<Pack> m_packs;
    BOOL m_bMpeg2;
    LONGLONG m_llPassTicks;
    int m_nPictures;
    int m_nFramesPerSecond;
    size_t m_nextPack;
    LONGLONG m_pass;
    // The time a 2048-byte sector takes at the stream's mux rate, and the clock
    // reference of the pack sent last (-1 before the first).
    LONGLONG m_llPackTicks;
    LONGLONG m_llLastScr;
};
