#pragma once
#include "platform/afx/GdiObject.h"

class CPalette : public CGdiObject {
public:
  operator HPALETTE() const { return (HPALETTE)m_hObject; }
  BOOL CreatePalette(const LOGPALETTE* logPalette);
  int GetEntryCount() const;
  UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
};
