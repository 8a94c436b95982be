#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/Geometry.h"

#include <commctrl.h>

class CDC;
class CWnd;

// An image list handle; the list is destroyed with the object unless detached.
class CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
public:
  CImageList();
  ~CImageList() override;

  HIMAGELIST m_hImageList;

  operator HIMAGELIST() const { return m_hImageList; }
  // A NULL object pointer gives NULL.
  HIMAGELIST GetSafeHandle() const;
  static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
  static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // From a bitmap resource of the resource module; crMask marks the transparent colour.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);

  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
  BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
  int Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle());
  }
  int Add(CBitmap* pbmImage, COLORREF crMask) { return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask); }
  int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
  BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle());
  }
  int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
  BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
  HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
  COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
  COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

  // Dragging.
  BOOL BeginDrag(int nImage, CPoint ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
  static void PASCAL EndDrag() { ImageList_EndDrag(); }
  static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point);
  static BOOL PASCAL DragLeave(CWnd* pWndLock);
  static BOOL PASCAL DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
  static BOOL PASCAL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
  BOOL SetDragCursorImage(int nDrag, CPoint ptHotSpot) {
    return ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y);
  }
};
