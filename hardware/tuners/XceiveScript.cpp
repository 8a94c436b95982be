#include "hardware/tuners/XceiveScript.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/TunerBusOps.h"

CXceiveScriptRunner::CXceiveScriptRunner(CRegisterAccess* pBus, BOOL bAddressByte, DWORD pauseMs,
                                         const std::function<BOOL()>& reset)
    : m_pBus(pBus), m_bAddressByte(bAddressByte), m_dwPauseMs(pauseMs), m_reset(reset)
{
}

BOOL CXceiveScriptRunner::Run(const XceiveScript& script)
{
    if (m_pBus == NULL || script.pData == NULL)
        return FALSE;
    BOOL result = FALSE;
    DWORD pos = 0;
    while (pos + 2 <= script.dwLength)
    {
        WORD word = static_cast<WORD>((script.pData[pos] << 8) | script.pData[pos + 1]);
        pos += 2;
        if (word == END_WORD)
            return result;
        if (word == RESET_WORD)
        {
            result = m_reset ? m_reset() : FALSE;
            if (!result)
                return FALSE;
            continue;
        }
        if (word & WAIT_FLAG)
        {
            BusSleep(word & 0x7FFF);
            continue;
        }
        if (pos + word > script.dwLength)
            return FALSE;
        const BYTE* pRecord = script.pData + pos;
        pos += word;
        BYTE buffer[2 + CHUNK_BYTES];
        for (DWORD sent = 1; sent < word; sent += CHUNK_BYTES)
        {
            DWORD count = word - sent < CHUNK_BYTES ? word - sent : CHUNK_BYTES;
            LONG length = 0;
            if (m_bAddressByte)
                buffer[length++] = XCEIVE_ADDRESS;
            buffer[length++] = pRecord[0];
            for (DWORD i = 0; i < count; ++i)
                buffer[length++] = pRecord[sent + i];
            HRESULT hr = m_pBus->I2CWrite(buffer, length);
            if (m_dwPauseMs != 0)
                BusSleep(m_dwPauseMs);
            if (!IsBusOk(hr))
                return FALSE;
            result = TRUE;
        }
    }
    // A script without its end word stops where its bytes do.
    return result;
}
