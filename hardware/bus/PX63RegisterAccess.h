#pragma once

#include "hardware/bus/MpegBoxRegisterAccess.h"

// The PX63 box's driver speaks the MPEG-2 box's control request with modes of
// its own: a status read that answers in bits 16-23 and block writes that pack
// up to seven data bytes into two words.
inline BOOL PX63ControlRead(IUnknown* pFilter, DWORD device, BYTE mode, DWORD wordA, DWORD* pAnswer)
{
    return MpegBoxControlRead(pFilter, device, mode, wordA, pAnswer);
}

inline BOOL PX63ControlWrite(IUnknown* pFilter, DWORD device, BYTE mode, DWORD wordA, DWORD wordB)
{
    return MpegBoxControlWrite(pFilter, device, mode, wordA, wordB);
}

enum
{
    PX63_MODE_STATUS = 0x38,
    PX63_PROPERTY_LINE = 25,
    PX63_PIECE_BYTES = 7,
};

// One piece of a block write: its mode and the words that carry the
// sub-address and its data bytes, big-endian, word A first.
struct PX63Piece
{
    BYTE mode;
    DWORD wordA;
    DWORD wordB;
};
// Packs the sub-address and count (0 to 7) data bytes.
PX63Piece PX63PackPiece(BYTE subAddress, const BYTE* pData, int count);

// Transport of the PX63 box: the MPEG-2 box's, with the PX63 status read and
// block writes, and a line the driver switches through property 25.
class CPX63RegisterAccess : public CMpegBoxRegisterAccess
{
public:
    CPX63RegisterAccess();
    ~CPX63RegisterAccess() override;

    // The status byte of the device at buffer[0], into buffer[0].
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    // Pieces of at most seven data bytes, each to the sub-address buffer[1].
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    // 1 when the driver took the line's new state, else 0.
    HRESULT SetGpioLine(LONG on) override;
};
