#pragma once

#include "platform/dshow/KsPropertySet.h"
#include "platform/sim/cardfilter/SimCardTable.h"

// The hardware-encoder driver of the MPEG-2 and PX63 boxes: the control
// request (property 20 of {D2185A40-0398-11D3-A53E-00A0C9EF506A}) over the
// card's chip bus, the line of property 25, the encoder settings it keeps,
// the version text and the firmware download set
// {EE6C0342-E3A9-11D2-A53E-00A0C9EF506A}.
void SimAddEncoderDriver(CKsPropertySet* pProps, CSimTVCard* pCard, const SimCardRow& card);
