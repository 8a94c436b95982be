#pragma once
#include "platform/afx/Geometry.h"
#include "platform/afx/StdControls.h"

// The picture sizes the pages offer for the input's standard: 320 x 240, 640 x 480, 720 x 480 for
// NTSC, 352 x 288, 640 x 480, 720 x 576 otherwise. Fills the combo with "%d * %d" rows, each with
// its table entry as item data, and selects the row equal to the size; -1 when none is (nothing
// selected then).
int FillCaptureSizes(CComboBox& combo, BOOL bNTSC, CSize current);
// The size of a row of such a combo; (0, 0) for a row without one.
CSize CaptureSizeOfRow(const CComboBox& combo, int nRow);
// Selects the row whose whole text is the text (not a row it merely begins); -1 when none is.
int SelectExact(CComboBox& combo, LPCSTR pszText);
// Fills a combo from a resource string of choices one per line.
void FillChoices(CComboBox& combo, UINT nStringId);
