#include "platform/afx/Palette.h"

IMPLEMENT_DYNCREATE(CPalette, CGdiObject)

BOOL CPalette::CreatePalette(const LOGPALETTE* logPalette) { return Attach(::CreatePalette(logPalette)); }

int CPalette::GetEntryCount() const {
  WORD count = 0;
  return GetObject(sizeof(count), &count) ? count : 0;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
  return m_hObject ? ::GetPaletteEntries((HPALETTE)m_hObject, start, count, entries) : 0;
}
