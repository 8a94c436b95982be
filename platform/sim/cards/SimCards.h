#pragma once

#include "platform/sim/cardfilter/SimCardTable.h"

// The simulated cards of OndrixSimCards.ax: one row per card, one per driver
// filter. A card is shared by every filter whose row names it.
extern const SimCardRow g_simCards[];
extern const int g_cSimCards;
extern const SimFilterRow g_simFilters[];
extern const int g_cSimFilters;
