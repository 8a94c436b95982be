#include "platform/afx/Map.h"

#include "platform/afx/Archive.h"

void CMapStringToString::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(m_nCount));
    if (m_nCount == 0 || !m_pHashTable) return;
    for (UINT nHash = 0; nHash < m_nHashTableSize; ++nHash) {
      for (CAssoc* assoc = m_pHashTable[nHash]; assoc; assoc = assoc->pNext) {
        ar << assoc->key;
        ar << assoc->value;
      }
    }
    return;
  }
  DWORD nNewCount = ar.ReadCount();
  CString newKey, newValue;
  while (nNewCount-- && !ar.IsFailed()) {
    ar >> newKey;
    ar >> newValue;
    if (ar.IsFailed()) break;
    SetAt(newKey, newValue);
  }
}
