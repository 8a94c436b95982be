#pragma once
#include "platform/afx/GdiObject.h"

class CPalette : public CGdiObject {
  DECLARE_DYNCREATE(CPalette)
public:
  static CPalette* PASCAL FromHandle(HPALETTE hPalette) { return FromHandleAs<CPalette>(hPalette); }
  operator HPALETTE() const { return (HPALETTE)m_hObject; }
  BOOL CreatePalette(const LOGPALETTE* logPalette);
  int GetEntryCount() const;
  UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
};
