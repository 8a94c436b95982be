#pragma once

#include "hardware/tuners/PllTunerTable.h"

// The rows of the PLL tuner models with operations of their own.
extern const PllTunerRow g_TunerModelTable[];
extern const int g_nTunerModelTableCount;

// The row of a tuner type id, or null.
const PllTunerRow* FindTunerModelRow(int nTypeId);
// Stores the row of the type id into the module; FALSE when there is none.
BOOL ApplyTunerModelRow(CTunerModule& tuner, int nTypeId);
