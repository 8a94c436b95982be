#pragma once
#include "platform/afx/CommonControls.h"

// A list control whose rows the user reorders by dragging: a drag image follows the cursor, a
// two-pixel line marks the drop place, the list scrolls while the cursor is outside it, and on
// release the row moves with its texts, image, state, item data and check mark.
class CDragListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CDragListCtrl)
public:
    CDragListCtrl();
    ~CDragListCtrl() override;

    // Ends a drag without moving anything.
    void CancelDrag();
    void EnableDrag(BOOL bEnable) { m_bDragEnabled = bEnable; }
    BOOL IsDragEnabled() const { return m_bDragEnabled; }
    BOOL IsDragging() const { return m_bDragging; }
    int GetDropTarget() const { return m_nDropIndex; }
    // The marker of the drop place, empty when none is drawn.
    CRect GetDropMarker() const { return m_pDropRect ? *m_pDropRect : CRect(); }

    // Whether a row may be dropped before row nIndex (the row count: after the last).
    virtual BOOL CanDropOn(int nIndex);
    // Places row nFrom at nTo (report and list views) or the item at the point (icon views); the
    // row's new index.
    virtual int DropItem(int nFrom, int nTo, int x, int y);
    // Moves row nFrom before row nTo; the row's new index.
    virtual int MoveItem(int nFrom, int nTo);

protected:
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    void StopDrag();
    void DrawDropMarker(int nIndex);
    void EraseDropMarker();
    // The client area below the header.
    CRect DropArea();

    HCURSOR m_hArrowCursor;
    HCURSOR m_hNoDropCursor;
    BOOL m_bDragEnabled;
    BOOL m_bDragging;
    int m_nDragIndex;
    int m_nDropIndex;
    HCURSOR m_hOldCursor;
    CPoint m_ptHotSpot;
    CPoint m_ptOrigin;
    CPoint m_ptDragImage;
    CImageList* m_pDragImage;
    CRect* m_pDropRect;
};
