#pragma once

#include "platform/sim/cardfilter/SimCardTable.h"

// The QM57 driver behind its device interface of class
// {4F397D29-7F2F-42A9-AB90-1791384014C4}: register reads (0x226000) and
// writes (0x22A004) with 8- or 16-bit sub-addresses, block reads and writes of
// a tuner channel, and GPIO port writes (0x226458; port 3 is lines 0-7, port 4
// lines 8-15). pContext is the card.
HRESULT SimQM57Request(void* pContext, ULONG code, void* pIn, ULONG inLength, void* pOut, ULONG outLength,
                       ULONG* pReturned);

extern const GUID SIMGUID_QM57Interface;
