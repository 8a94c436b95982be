#pragma once
#include "platform/afx/Object.h"
#include "platform/afx/String.h"

// Hash of a key. Iteration order of the maps follows from it (bucket by bucket), and files the
// system writes depend on that order, so it is MFC's own: pointer-sized keys shifted by 4,
// texts h = h * 33 + c over the characters taken as signed bytes.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key) {
  return static_cast<UINT>((DWORD_PTR)key) >> 4;
}
template <>
inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key) {
  UINT nHash = 0;
  while (*key) nHash = (nHash << 5) + nHash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*key++)));
  return nHash;
}
template <>
inline UINT AFXAPI HashKey<const CString&>(const CString& key) {
  return HashKey<LPCSTR>(static_cast<LPCSTR>(key));
}
template <>
inline UINT AFXAPI HashKey<CString>(CString key) {
  return HashKey<LPCSTR>(static_cast<LPCSTR>(key));
}

// Hash map in the manner of MFC's CMap: a fixed table of buckets (17 unless set before the first
// insertion); a new key goes to the head of its bucket's chain; iteration walks the buckets in order.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;  // bucket index
    KEY key;
    VALUE value;
  };

public:
  explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize) {}
  ~CMap() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  UINT GetHashTableSize() const { return m_nHashTableSize; }

  // Only takes effect while the map is empty (before its table exists), as in MFC.
  void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE) {
    if (m_nCount != 0 || nHashSize == 0) return;
    FreeTable();
    m_nHashTableSize = nHashSize;
    if (bAllocNow) AllocTable();
  }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    UINT nHash;
    CAssoc* assoc = GetAssocAt(key, nHash);
    if (!assoc) return FALSE;
    rValue = assoc->value;
    return TRUE;
  }

  VALUE& operator[](ARG_KEY key) {
    UINT nHash;
    CAssoc* assoc = GetAssocAt(key, nHash);
    if (!assoc) {
      if (!m_pHashTable) AllocTable();
      assoc = new CAssoc{m_pHashTable[nHash], nHash, KEY(key), VALUE()};
      m_pHashTable[nHash] = assoc;
      ++m_nCount;
    }
    return assoc->value;
  }

  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

  BOOL RemoveKey(ARG_KEY key) {
    if (!m_pHashTable) return FALSE;
    UINT nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    CAssoc** link = &m_pHashTable[nHash];
    for (CAssoc* assoc = *link; assoc; link = &assoc->pNext, assoc = assoc->pNext) {
      if (assoc->key == key) {
        *link = assoc->pNext;
        delete assoc;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }

  void RemoveAll() {
    if (m_pHashTable) {
      for (UINT i = 0; i < m_nHashTableSize; ++i) {
        CAssoc* assoc = m_pHashTable[i];
        while (assoc) {
          CAssoc* next = assoc->pNext;
          delete assoc;
          assoc = next;
        }
      }
    }
    FreeTable();
    m_nCount = 0;
  }

  POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }

  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    CAssoc* assoc = NextAssoc(rNextPosition);
    if (!assoc) return;
    rKey = assoc->key;
    rValue = assoc->value;
  }

protected:
  CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const {
    nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    if (!m_pHashTable) return nullptr;
    for (CAssoc* assoc = m_pHashTable[nHash]; assoc; assoc = assoc->pNext)
      if (assoc->key == key) return assoc;
    return nullptr;
  }

  // Returns the association at rNextPosition and moves the position to the following one.
  CAssoc* NextAssoc(POSITION& rNextPosition) const {
    CAssoc* ret = reinterpret_cast<CAssoc*>(rNextPosition);
    if (!m_pHashTable || !ret) {
      rNextPosition = nullptr;
      return nullptr;
    }
    if (rNextPosition == BEFORE_START_POSITION) {
      ret = nullptr;
      for (UINT b = 0; b < m_nHashTableSize && !ret; ++b) ret = m_pHashTable[b];
      if (!ret) {
        rNextPosition = nullptr;
        return nullptr;
      }
    }
    CAssoc* next = ret->pNext;
    for (UINT b = ret->nHashValue + 1; !next && b < m_nHashTableSize; ++b) next = m_pHashTable[b];
    rNextPosition = reinterpret_cast<POSITION>(next);
    return ret;
  }

  void AllocTable() {
    m_pHashTable = new CAssoc*[m_nHashTableSize];
    for (UINT i = 0; i < m_nHashTableSize; ++i) m_pHashTable[i] = nullptr;
  }
  void FreeTable() {
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
  }

  CAssoc** m_pHashTable = nullptr;
  UINT m_nHashTableSize = 17;
  INT_PTR m_nCount = 0;
  INT_PTR m_nBlockSize;
};

class CMapStringToString : public CMap<CString, LPCSTR, CString, LPCSTR> {
public:
  explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap<CString, LPCSTR, CString, LPCSTR>(nBlockSize) {}

  BOOL LookupKey(LPCSTR key, LPCSTR& rKey) const {
    UINT nHash;
    CAssoc* assoc = GetAssocAt(key, nHash);
    if (!assoc) return FALSE;
    rKey = assoc->key;
    return TRUE;
  }

  // Storing: the count, then key and value of every pair in iteration order. Loading adds the
  // pairs to what the map holds (a repeated key keeps the later value).
  void Serialize(CArchive& ar) override;
};

class CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*> {
public:
  explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CString, LPCSTR, void*, void*>(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
public:
  explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
};
