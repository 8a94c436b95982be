#pragma once

#include "platform/dshow/KsPropertySet.h"
#include "platform/sim/cardfilter/SimCardTable.h"

// The USB bridge driver of the Trident, Seldrin and Tavesh boxes: property 0
// of {85551A18-A51C-4F2D-955F-3F36372ADB5C} takes a USB control request on its
// Set and hands back the request's IN bytes on the Get that follows. The
// requests reach the card's chip bus: I2C at a sub-address (0x10), a byte
// without one (9), the EEPROM's own request (14), bridge registers (7) and
// GPIO lines (3).
void SimAddUsbRequestDriver(CKsPropertySet* pProps, CSimTVCard* pCard, const SimCardRow& card);
