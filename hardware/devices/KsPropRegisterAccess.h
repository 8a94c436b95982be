#pragma once

#include "hardware/bus/VendorPropRegisterAccess.h"

// Bus access of the Philips 713x cards: the vendor property set on the card's
// capture filter. It speaks the set exactly as the generic vendor-property
// transport does, except that GPIO writes do not pause (the delayed write
// pauses as long as asked) and properties 7 to 10 carry commands.
class CKsPropRegisterAccess : public CVendorPropRegisterAccess
{
public:
    CKsPropRegisterAccess();
    ~CKsPropRegisterAccess() override;

    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT WriteGpioDelayed(DWORD value, DWORD mask, DWORD delayMs) override;
    HRESULT Command7(DWORD value) override;
    HRESULT Command8(DWORD value) override;
    HRESULT Command9() override;
    HRESULT Command10(DWORD value) override;
};
