#pragma once

#include "hardware/bus/RegisterAccess.h"

#include <functional>

// A firmware script of the Xceive tuners, read front to back in big-endian
// words: 0xFFFF ends it, 0x0000 resets the chip, a word with bit 15 set waits
// (word & 0x7FFF) ms, any other word n is a record of n data bytes. A
// record's first byte is a sub-address; the rest goes behind it in writes of
// at most 63 bytes.
// The chip's write address; it reads at 0xC3.
enum { XCEIVE_ADDRESS = 0xC2 };

struct XceiveScript
{
    const BYTE* pData;
    DWORD dwLength;
};

class CXceiveScriptRunner
{
public:
    enum { CHUNK_BYTES = 63, END_WORD = 0xFFFF, RESET_WORD = 0x0000, WAIT_FLAG = 0x8000 };

    // bAddressByte: each write leads with the bus address 0xC2 (else the
    // transport addresses the chip itself); pauseMs follows each write.
    CXceiveScriptRunner(CRegisterAccess* pBus, BOOL bAddressByte, DWORD pauseMs,
                        const std::function<BOOL()>& reset);

    // 1 when the last write or reset succeeded (0 when there was none); the
    // first failed write or reset, or a record running past the script's
    // end, stops the script with 0.
    BOOL Run(const XceiveScript& script);

private:
    CRegisterAccess* m_pBus;
    BOOL m_bAddressByte;
    DWORD m_dwPauseMs;
    std::function<BOOL()> m_reset;
};
