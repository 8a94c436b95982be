#pragma once

#include "hardware/bus/2388xRegisterAccess.h"

// Transport of the 2388x cards that carry a microcontroller on their GPIO
// lines: the 2388x transport whose GPIO writes keep the audio-input lines
// (bits 12-14) as they are, whatever the mask, so that no exchange with the
// microcontroller disturbs the sound. The commands beyond the bus answer 0
// or E_FAIL without doing anything.
class CMcuRegisterAccess : public C2388xRegisterAccess
{
public:
    enum { AUDIO_LINES = 0x7000 };

    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT WriteGpioDelayed(DWORD value, DWORD mask, DWORD delayMs) override;
    HRESULT Command7(DWORD value) override;
    HRESULT Command8(DWORD value) override;
    HRESULT Command9() override;
    HRESULT Command10(DWORD value) override;
    HRESULT SetGpioLine(LONG on) override;
    HRESULT Reserved16(DWORD a, DWORD b) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;
    HRESULT Reserved18(DWORD value) override;
    HRESULT Reserved21(ULONG_PTR value) override;
    HRESULT Reserved22(ULONG_PTR value) override;
    HRESULT Reserved23(ULONG_PTR value) override;
    HRESULT Reserved24(ULONG_PTR value) override;
};
