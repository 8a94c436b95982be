#include "platform/afx/ImageList.h"

#include "platform/afx/Dc.h"
#include "platform/afx/HandleMap.h"
#include "platform/afx/Wnd.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {
CHandleMap& ImageListMap() { return AfxGetThreadState()->m_mapHIMAGELIST; }
}  // namespace

CImageList::CImageList() : m_hImageList(NULL) {}

CImageList::~CImageList() { DeleteImageList(); }

HIMAGELIST CImageList::GetSafeHandle() const {
  const CImageList* self = static_cast<const CImageList*>(AfxOpaquePointer(this));
  return self ? self->m_hImageList : NULL;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList) {
  return static_cast<CImageList*>(
      ImageListMap().FromHandle(hImageList, [] { return static_cast<CObject*>(new CImageList); }));
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList) {
  return hImageList ? static_cast<CImageList*>(ImageListMap().LookupPermanent(hImageList)) : NULL;
}

BOOL CImageList::Attach(HIMAGELIST hImageList) { return ImageListMap().AttachHandle(m_hImageList, hImageList, this); }

HIMAGELIST CImageList::Detach() { return ImageListMap().DetachHandle(m_hImageList, this); }

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList)
    return FALSE;
  return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  LPCSTR name = MAKEINTRESOURCEA(nBitmapID);
  return Attach(ImageList_LoadImageA(AfxFindResourceHandle(name, (LPCSTR)RT_BITMAP), name, cx, nGrow, crMask,
                                     IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point) {
  return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(pWndLock->GetSafeHwnd()); }
