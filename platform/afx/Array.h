#pragma once
#include "platform/afx/Object.h"
#include <vector>

// Growable array in the manner of MFC's CArray; indices are ints, elements are kept in one block.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
  CArray() {}
  ~CArray() override {}

  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    (void)nGrowBy;
    m_data.resize(nNewSize < 0 ? 0 : static_cast<size_t>(nNewSize));
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_data[static_cast<size_t>(nIndex)]; }
  TYPE& GetAt(INT_PTR nIndex) { return m_data[static_cast<size_t>(nIndex)]; }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[static_cast<size_t>(nIndex)] = newElement; }
  TYPE& ElementAt(INT_PTR nIndex) { return m_data[static_cast<size_t>(nIndex)]; }
  const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[static_cast<size_t>(nIndex)]; }
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    if (nIndex >= GetSize()) SetSize(nIndex + 1);
    m_data[static_cast<size_t>(nIndex)] = newElement;
  }
  INT_PTR Add(ARG_TYPE newElement) {
    m_data.push_back(TYPE(newElement));
    return GetSize() - 1;
  }
  INT_PTR Append(const CArray& src) {
    INT_PTR old = GetSize();
    if (&src == this) {
      std::vector<TYPE> copy(src.m_data);
      m_data.insert(m_data.end(), copy.begin(), copy.end());
    } else {
      m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    }
    return old;
  }
  void Copy(const CArray& src) {
    if (&src != this) m_data = src.m_data;
  }

  const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  // Inserting beyond the end grows the array first, as MFC does.
  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount <= 0) return;
    TYPE value(newElement);
    if (nIndex >= GetSize()) SetSize(nIndex);
    m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), value);
  }
  void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
    if (!pNewArray || nStartIndex < 0) return;
    std::vector<TYPE> copy(pNewArray->m_data);
    if (nStartIndex >= GetSize()) SetSize(nStartIndex);
    m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
  }
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount <= 0 || nIndex >= GetSize()) return;
    INT_PTR end = nIndex + nCount > GetSize() ? GetSize() : nIndex + nCount;
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + end);
  }

protected:
  std::vector<TYPE> m_data;
};

class CPtrArray : public CArray<void*, void*> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CWordArray : public CArray<WORD, WORD> {};
class CByteArray : public CArray<BYTE, BYTE> {};
