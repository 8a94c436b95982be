#pragma once

#include "hardware/bus/RegisterAccess.h"

class CTunerModule;

// Small bus steps the tuner models share.

// Some transports report failure as a positive 1, so a tuner counts only
// S_OK as a transfer that happened.
inline bool IsBusOk(HRESULT hr) { return hr == S_OK; }

// The PLL divider (IF + f) x 0.016 (steps of 62.5 kHz), truncated, formed as
// the base tuning forms it so both give the same byte for the same frequency.
WORD PllTVDivider(int nIF, float frequency);
// The band byte of a frequency by the module's two split points.
BYTE PllBandByte(const CTunerModule& tuner, float frequency);
// TRUE when the frequency lies in the module's TV range (both limits included).
BOOL IsInTVRange(const CTunerModule& tuner, float frequency);
BOOL IsInFMRange(const CTunerModule& tuner, float frequency);

// One demodulator register through a three-byte bus write {device, sub, value}.
HRESULT DemodBusWrite(CRegisterAccess* pBus, BYTE device, BYTE subAddress, BYTE value);

// How a model sends the three bytes of its demodulator's registers 0, 1, 2.
enum DemodWriteForm
{
    DEMOD_REGISTER_WRITES, // WriteByte(device, register, value)
    DEMOD_BUS_WRITES,      // I2CWrite {device, register, value}
};

// Sends registers 0, 1, 2 in turn; with bStopAtFailure the first failed write
// ends the sequence. Each write's result goes to results[i] (E_FAIL for writes
// not made); returns the number of writes made.
int WriteDemodRegisters(CRegisterAccess* pBus, BYTE device, const BYTE values[3], DemodWriteForm form,
                        bool bStopAtFailure, HRESULT results[3]);

// The demodulator's AFC byte, a = (byte >> 1) & 15, turned into a status code.
enum DemodAfcDecoder { AFC_DECODER_A, AFC_DECODER_B, AFC_DECODER_C, AFC_DECODER_D, AFC_DECODER_COUNT };
extern const int g_DemodAfcCodes[AFC_DECODER_COUNT][16];

// One byte read at the demodulator's address, decoded; FALSE when the read failed.
BOOL ReadDemodAfc(CRegisterAccess* pBus, BYTE address, DemodAfcDecoder decoder, DWORD* pCode);
