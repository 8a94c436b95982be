#pragma once
#include "platform/afx/Array.h"
#include "platform/afx/String.h"

class CStringArray : public CArray<CString, LPCSTR> {
public:
  using CArray<CString, LPCSTR>::Add;
  INT_PTR Add(const CString& newElement) {
    m_data.push_back(newElement);
    return GetSize() - 1;
  }
};
