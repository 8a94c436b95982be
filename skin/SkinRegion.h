#pragma once
#include "platform/afx/GdiObject.h"

// Makes region the shape of the bitmap without its pixels of the transparent colour, in the
// bitmap's coordinates. A region object without a handle gets a new region. FALSE, and the
// region left as it was, when there is no bitmap.
//
// Each column is probed on every second row, looking back one row at the edges of a
// transparent run, so a lone transparent pixel between two probes stays in the shape: that is
// the resolution the skins are drawn for.
BOOL CreateSkinRegion(CGdiObject& region, HBITMAP bitmap, COLORREF transparent);
