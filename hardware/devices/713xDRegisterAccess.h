#pragma once

#include "hardware/devices/KsPropRegisterAccess.h"

// Transport of the "713x_D TV Card Capture" cards: the 713x vendor property
// transport, unchanged.
class C713xDRegisterAccess : public CKsPropRegisterAccess
{
};
