#pragma once

#include "hardware/bus/RegisterAccess.h"

class CTunerModule;
struct DemodStandardTable;

// Small bus steps the tuner models share.

// The IF demodulator next to most PLL tuners: written at 0x86, read at 0x87.
enum { DEMOD_ADDRESS = 0x86, DEMOD_READ_ADDRESS = 0x87 };

// The TNJ3321 models tune this far above the carrier asked for.
const float TNJ3321_TUNING_OFFSET_KHZ = 250.0f;

// Some transports report failure as a positive 1, so a tuner counts only
// S_OK as a transfer that happened.
inline bool IsBusOk(HRESULT hr) { return hr == S_OK; }

// The PLL divider (IF + f) x 0.016 (steps of 62.5 kHz), truncated; the base
// tuning and the models' own tunings all form it here, so they give the same
// bytes for the same frequency.
WORD PllTVDivider(int nIF, float frequency);
// The band byte of a frequency by the module's two split points.
BYTE PllBandByte(const CTunerModule& tuner, float frequency);
// TRUE when the frequency lies in the module's TV range (both limits included).
BOOL IsInTVRange(const CTunerModule& tuner, float frequency);
BOOL IsInFMRange(const CTunerModule& tuner, float frequency);

// Writes {address, N >> 8, N & 0xFF, control, band} with the divider of the IF
// given, and the auxiliary byte behind them when pAux is not null. A frequency
// outside the TV range is refused.
BOOL WritePllTuning(CTunerModule& tuner, BYTE address, int nIF, float frequency, const BYTE* pAux);
// The auxiliary byte of the six-byte tunings: 0x20 for SECAM L and L', else 0xA0.
BYTE SecamLAuxByte(DWORD standard);
// The radio of the Philips 1216: tuner and demodulator switched to FM, then
// the divider in steps of 50 kHz; FALSE at the first failed write.
BOOL TunePhilipsRadio(CTunerModule& tuner, float frequency);

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
// The table's column for the standard: all three registers are sent and the
// write numbered decidingWrite (0-2) decides.
BOOL WriteDemodTable(CRegisterAccess* pBus, BYTE device, const DemodStandardTable& table, DWORD standard,
                     DemodWriteForm form, int decidingWrite);
// The usual form: register writes at 0x86, the third write deciding.
BOOL WriteDemodStandard(CRegisterAccess* pBus, const DemodStandardTable& table, DWORD standard);
// As WriteDemodTable with register writes and the third write deciding, then
// the demodulator's 100 ms to settle on the new standard.
BOOL WriteDemodTableSettled(CRegisterAccess* pBus, BYTE device, const DemodStandardTable& table, DWORD standard);
// Fixed bytes for registers 0, 1, 2 at 0x86 through bus writes, ending at the
// first failure; the last write made decides.
BOOL WriteDemodSequence(CRegisterAccess* pBus, BYTE r0, BYTE r1, BYTE r2);
// 0xD6, 0x70, then 0x49 for PAL B (and PAL G when asked), 0x4B for PAL D,
// else 0x4A, as a sequence.
BOOL WriteDemodSequenceD(CRegisterAccess* pBus, DWORD standard, BOOL bPalGAsPalB);

// The demodulator's AFC byte, a = (byte >> 1) & 15, turned into a status code.
enum DemodAfcDecoder { AFC_DECODER_A, AFC_DECODER_B, AFC_DECODER_C, AFC_DECODER_D, AFC_DECODER_COUNT };
extern const int g_DemodAfcCodes[AFC_DECODER_COUNT][16];

// One byte read at the demodulator's address, decoded; FALSE when the read failed.
BOOL ReadDemodAfc(CRegisterAccess* pBus, BYTE address, DemodAfcDecoder decoder, DWORD* pCode);
