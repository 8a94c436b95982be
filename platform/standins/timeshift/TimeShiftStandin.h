#pragma once
#include <windows.h>
#include <unknwn.h>

// The companion "Time Shift" filter's own declarations, as its makers give
// them: the class, the control interface and, for tests of ours, a way to
// wait for the input's end.

// {C234F3EE-E66E-4519-8339-C99EFAD354E0}
static const CLSID CLSID_TimeShiftStandin =
    { 0xC234F3EE, 0xE66E, 0x4519, { 0x83, 0x39, 0xC9, 0x9E, 0xFA, 0xD3, 0x54, 0xE0 } };
// {FD5010A2-8EBE-11CE-8183-00AA00577DA1}
static const IID IID_ITimeShiftControl =
    { 0xFD5010A2, 0x8EBE, 0x11CE, { 0x81, 0x83, 0x00, 0xAA, 0x00, 0x57, 0x7D, 0xA1 } };
// {6E1D2B40-7F3A-4C55-9B0E-31A4C2D8E701}
static const IID IID_ITimeShiftStandinState =
    { 0x6E1D2B40, 0x7F3A, 0x4C55, { 0x9B, 0x0E, 0x31, 0xA4, 0xC2, 0xD8, 0xE7, 0x01 } };

// Positions are byte counts in the buffered window: 0 is its oldest byte.
struct ITimeShiftControl : public IUnknown
{
    // Play-back goes on from the pack that starts at or before the position.
    virtual HRESULT STDMETHODCALLTYPE SetReadPosition(LONGLONG* pllPosition) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPositions(LONGLONG* pllReadPos, LONGLONG* pllCurBufLen,
                                                   LONGLONG* pllTotalBufLen) = 0;
    // The buffer file's size; the reserve value is kept and told back by GetReserve.
    virtual HRESULT STDMETHODCALLTYPE SetBufferSize(LONGLONG* pllSize, DWORD dwReserve) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetReserve(DWORD* pdwReserve) = 0;
    virtual HRESULT STDMETHODCALLTYPE TogglePause() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFileNames(LPCSTR pszMediaFile, LPCSTR pszIndexFile) = 0;
};

struct ITimeShiftStandinState : public IUnknown
{
    // S_OK once the input has ended within the time, S_FALSE otherwise.
    virtual HRESULT STDMETHODCALLTYPE WaitForInputEnd(DWORD dwMilliseconds) = 0;
    // Packs indexed so far.
    virtual HRESULT STDMETHODCALLTYPE GetIndexedPacks(LONGLONG* pllPacks) = 0;
};

// One record of the index file per 64 KiB block of the buffer, at the
// block's place in the ring: the block's position in the stream, and the
// position of the first pack that starts in it (-1 for none).
struct TimeShiftIndexRecord
{
    LONGLONG llBlock;
    LONGLONG llFirstPack;
};

enum { TIMESHIFT_BLOCK_BYTES = 65536 };
