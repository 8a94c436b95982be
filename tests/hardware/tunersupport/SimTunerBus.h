#pragma once

#include "tests/hardware/support/ChipBusRegisterAccess.h"

#include <functional>

// The simulated chip bus as a card's bus access, with the slots the tuner
// models add: the reset line (GPIO bit 0x40000 of the bus, and the listener
// told), register bytes read out of the bridge's 32-bit registers, and the
// pulse slot logged as command 18.
class CSimTunerBus : public CChipBusRegisterAccess
{
public:
    enum { RESET_LINE = 0x40000 };

    explicit CSimTunerBus(CSimChipBus* pBus) : CChipBusRegisterAccess(pBus), m_pChips(pBus) {}

    HRESULT SetGpioLine(LONG on) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;
    HRESULT Reserved18(DWORD value) override;

    void OnResetLine(const std::function<void(BOOL)>& listener) { m_listener = listener; }

private:
    CSimChipBus* m_pChips;
    std::function<void(BOOL)> m_listener;
};
