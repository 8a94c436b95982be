#include "hardware/bus/PX63RegisterAccess.h"

#include "hardware/bus/ScopedLock.h"

namespace {
// Mode and the number of packed bytes in word A, by the number of data bytes.
const struct
{
    BYTE mode;
    int bytesInA;
} kPieceModes[PX63_PIECE_BYTES + 1] = {
    { 0x21, 0 }, { 0x29, 0 }, { 0x31, 0 }, { 0x39, 0 }, { 0x07, 4 }, { 0x0F, 4 }, { 0x17, 4 }, { 0x1F, 4 },
};
}  // namespace

PX63Piece PX63PackPiece(BYTE subAddress, const BYTE* pData, int count)
{
    BYTE bytes[PX63_PIECE_BYTES + 1];
    bytes[0] = subAddress;
    for (int i = 0; i < count; ++i)
        bytes[i + 1] = pData[i];
    PX63Piece piece;
    piece.mode = kPieceModes[count].mode;
    piece.wordA = 0;
    piece.wordB = 0;
    int nA = kPieceModes[count].bytesInA;
    for (int i = 0; i < nA; ++i)
        piece.wordA = (piece.wordA << 8) | bytes[i];
    for (int i = nA; i <= count; ++i)
        piece.wordB = (piece.wordB << 8) | bytes[i];
    return piece;
}

CPX63RegisterAccess::CPX63RegisterAccess()
{
}

CPX63RegisterAccess::~CPX63RegisterAccess()
{
}

HRESULT CPX63RegisterAccess::I2CRead(BYTE* pBuffer, LONG)
{
    CScopedLock lock(&m_csBus);
    if (pBuffer == NULL)
        return E_POINTER;
    DWORD answer = 0;
    if (!PX63ControlRead(m_pFilter, pBuffer[0] >> 1, PX63_MODE_STATUS, 0, &answer))
        return E_FAIL;
    // Callers read the status where every other transport leaves it, and may
    // have room for no more than that one byte.
    pBuffer[0] = static_cast<BYTE>(answer >> 16);
    return S_OK;
}

HRESULT CPX63RegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_csBus);
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 2)
        return E_INVALIDARG;
    DWORD device = pBuffer[0] >> 1;
    BYTE subAddress = pBuffer[1];
    const BYTE* pData = pBuffer + 2;
    int remaining = length - 2;
    HRESULT hr = S_OK;
    // Every piece is sent, and the first failure is reported.
    do
    {
        int count = remaining < PX63_PIECE_BYTES ? remaining : PX63_PIECE_BYTES;
        PX63Piece piece = PX63PackPiece(subAddress, pData, count);
        if (!PX63ControlWrite(m_pFilter, device, piece.mode, piece.wordA, piece.wordB) && hr == S_OK)
            hr = E_FAIL;
        pData += count;
        remaining -= count;
    } while (remaining > 0);
    return hr;
}

HRESULT CPX63RegisterAccess::SetGpioLine(LONG on)
{
    CScopedLock lock(&m_csBus);
    BYTE state = on ? 1 : 0;
    return MpegBoxSetProperty(m_pFilter, PROPSETID_MpegBoxEncoder, PX63_PROPERTY_LINE, NULL, 0, &state, 1) ? 1 : 0;
}
