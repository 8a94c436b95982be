#pragma once

#include "platform/dshow/Streams.h"

// Answers the driver's card-control set (commands, chip-bus bytes and blocks,
// GPIO) on a filter of the card, over the shared card's chip bus.
void SimAddCardControl(CKsPropertySet* pProps);
