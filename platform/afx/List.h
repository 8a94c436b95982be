#pragma once
#include "platform/afx/Object.h"
#include "platform/afx/String.h"

// Doubly linked list in the manner of MFC's CList; a POSITION is a node.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

public:
  explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return m_pNodeHead->data; }
  const TYPE& GetHead() const { return m_pNodeHead->data; }
  TYPE& GetTail() { return m_pNodeTail->data; }
  const TYPE& GetTail() const { return m_pNodeTail->data; }

  TYPE RemoveHead() {
    CNode* node = m_pNodeHead;
    TYPE value = node->data;
    RemoveAt(reinterpret_cast<POSITION>(node));
    return value;
  }
  TYPE RemoveTail() {
    CNode* node = m_pNodeTail;
    TYPE value = node->data;
    RemoveAt(reinterpret_cast<POSITION>(node));
    return value;
  }

  POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
  POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }
  void AddHead(CList* pNewList) {
    for (POSITION pos = pNewList->GetTailPosition(); pos;) AddHead(pNewList->GetPrev(pos));
  }
  void AddTail(CList* pNewList) {
    for (POSITION pos = pNewList->GetHeadPosition(); pos;) AddTail(pNewList->GetNext(pos));
  }

  void RemoveAll() {
    CNode* node = m_pNodeHead;
    while (node) {
      CNode* next = node->pNext;
      delete node;
      node = next;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
  POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
  TYPE& GetNext(POSITION& rPosition) {
    CNode* node = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    CNode* node = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    CNode* node = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pPrev);
    return node->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    CNode* node = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pPrev);
    return node->data;
  }
  TYPE& GetAt(POSITION position) { return reinterpret_cast<CNode*>(position)->data; }
  const TYPE& GetAt(POSITION position) const { return reinterpret_cast<CNode*>(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { reinterpret_cast<CNode*>(pos)->data = newElement; }

  void RemoveAt(POSITION position) {
    CNode* node = reinterpret_cast<CNode*>(position);
    if (!node) return;
    (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
    (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
    delete node;
    --m_nCount;
  }

  // A null position inserts at the head (before) or the tail (after), as MFC does.
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    CNode* at = reinterpret_cast<CNode*>(position);
    if (!at) at = m_pNodeHead;
    CNode* node = new CNode{nullptr, nullptr, TYPE(newElement)};
    node->pNext = at;
    node->pPrev = at ? at->pPrev : nullptr;
    (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node;
    (at ? at->pPrev : m_pNodeTail) = node;
    ++m_nCount;
    return reinterpret_cast<POSITION>(node);
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    CNode* at = reinterpret_cast<CNode*>(position);
    if (!at) at = m_pNodeTail;
    CNode* node = new CNode{nullptr, nullptr, TYPE(newElement)};
    node->pPrev = at;
    node->pNext = at ? at->pNext : nullptr;
    (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node;
    (at ? at->pNext : m_pNodeHead) = node;
    ++m_nCount;
    return reinterpret_cast<POSITION>(node);
  }

  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
    CNode* node = startAfter ? reinterpret_cast<CNode*>(startAfter)->pNext : m_pNodeHead;
    for (; node; node = node->pNext)
      if (node->data == searchValue) return reinterpret_cast<POSITION>(node);
    return nullptr;
  }
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
    CNode* node = m_pNodeHead;
    while (nIndex--) node = node->pNext;
    return reinterpret_cast<POSITION>(node);
  }

protected:
  CNode* m_pNodeHead = nullptr;
  CNode* m_pNodeTail = nullptr;
  INT_PTR m_nCount = 0;
};

class CPtrList : public CList<void*, void*> {
public:
  explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};

class CStringList : public CList<CString, LPCSTR> {
public:
  explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, LPCSTR>(nBlockSize) {}
};
