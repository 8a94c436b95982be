#pragma once

#include "hardware/bus/VendorPropRegisterAccess.h"

// Transport of the QM42 card: the vendor property set, whose reset line this
// card does not wire.
class CQM42RegisterAccess : public CVendorPropRegisterAccess
{
public:
    HRESULT SetGpioLine(LONG on) override;
};
