#pragma once

#include "platform/dshow/KsPropertySet.h"
#include "platform/sim/cardfilter/SimCardTable.h"

// The Raptor card driver's set {16017E0E-CE9F-44B0-A203-05D05724A12B}: an I2C
// write phase (property 0) and read phase (property 1) over the card's chip
// bus, and 32-bit registers (5 read, 6 write), GPIO lines 0-15 and 16-31 in
// the low halves of 0xC7008100 and 0xC7008104, a write's upper half naming
// the lines it changes.
void SimAddRaptorDriver(CKsPropertySet* pProps, CSimTVCard* pCard);

// The 713x BDA driver's I2C set {FBB1C466-BE03-470F-9A8F-A2AA0FA2C0EE}
// (property 0, the bytes by address in the caller's memory) and register set
// {9490E589-6B17-44EC-9435-5E3587F9FBCE} (property 1). The card's tuner sits
// behind a gate at 0xA0: a transfer there that leads with 0xC1 goes on to the
// tuner at 0xC0, everything else reaches the EEPROM.
void SimAdd713xBdaDriver(CKsPropertySet* pProps, CSimTVCard* pCard);

// The Raptor encoder's property set {CFA8C7E7-5FF7-40D3-9B37-C45CBCC9BD53}:
// properties 0 to 15 keep the bytes last set and hand them back.
void SimAddRaptorEncoder(CKsPropertySet* pProps);
