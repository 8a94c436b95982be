#include "skin/DragListCtrl.h"

#include "platform/afx/Dc.h"
#include "platform/afx/StringArray.h"

IMPLEMENT_DYNAMIC(CDragListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CDragListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, &CDragListCtrl::OnBeginDrag)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDragListCtrl::CDragListCtrl()
    : m_hArrowCursor(::LoadCursor(NULL, IDC_ARROW)),
      m_hNoDropCursor(::LoadCursor(NULL, IDC_NO)),
      m_bDragEnabled(TRUE),
      m_bDragging(FALSE),
      m_nDragIndex(-1),
      m_nDropIndex(-1),
      m_hOldCursor(NULL),
      m_pDragImage(NULL),
      m_pDropRect(NULL)
{
}

CDragListCtrl::~CDragListCtrl()
{
    delete m_pDragImage;
    delete m_pDropRect;
    // System cursors are shared: DestroyCursor leaves them alone.
    ::DestroyCursor(m_hArrowCursor);
    ::DestroyCursor(m_hNoDropCursor);
}

BOOL CDragListCtrl::CanDropOn(int nIndex)
{
    return nIndex != -1;
}

void CDragListCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bDragEnabled)
        return;
    const NMLISTVIEW* pNMLV = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    m_bDragging = TRUE;
    m_nDragIndex = pNMLV->iItem;
    m_nDropIndex = -1;
    GetOrigin(&m_ptOrigin);
    CPoint itemPos;
    GetItemPosition(m_nDragIndex, &itemPos);
    CPoint imagePos;
    delete m_pDragImage;
    m_pDragImage = CreateDragImage(m_nDragIndex, &imagePos);
    m_ptHotSpot = CPoint(pNMLV->ptAction.x - imagePos.x, pNMLV->ptAction.y - imagePos.y);
    m_ptDragImage = itemPos;
    if (m_pDragImage)
    {
        CImageList::DragShowNolock(FALSE);
        m_pDragImage->SetDragCursorImage(0, CPoint(0, 0));
        m_pDragImage->BeginDrag(0, m_ptHotSpot);
        CImageList::DragEnter(this, pNMLV->ptAction);
    }
    m_hOldCursor = ::SetCursor(m_hArrowCursor);
    SetCapture();
}

CRect CDragListCtrl::DropArea()
{
    CRect area;
    GetClientRect(&area);
    if (CHeaderCtrl* pHeader = GetHeaderCtrl())
    {
        if (pHeader->GetSafeHwnd() && pHeader->IsWindowVisible())
        {
            CRect header;
            pHeader->GetWindowRect(&header);
            ScreenToClient(&header);
            area.top = header.bottom;
        }
    }
    return area;
}

void CDragListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDragging)
    {
        if (m_pDragImage)
            CImageList::DragMove(point);
        const CRect area = DropArea();
        int nTarget = HitTest(point);
        if (nTarget == -1 && area.PtInRect(point))
            nTarget = GetItemCount();
        if (!CanDropOn(nTarget))
            nTarget = -1;
        if (nTarget == -1)
        {
            m_nDropIndex = -1;
            EraseDropMarker();
            int dx = 0, dy = 0;
            if (point.y < area.top)
                dy = point.y - area.top;
            else if (point.y > area.bottom)
                dy = point.y - area.bottom;
            if (point.x < area.left)
                dx = point.x - area.left;
            else if (point.x > area.right)
                dx = point.x - area.right;
            if (dx || dy)
                Scroll(CSize(dx, dy));
            ::SetCursor(m_hNoDropCursor);
        }
        else
        {
            m_nDropIndex = nTarget;
            if (m_pDragImage)
                CImageList::DragLeave(this);
            DrawDropMarker(nTarget);
            if (m_pDragImage)
                CImageList::DragEnter(this, point);
            ::SetCursor(m_hArrowCursor);
        }
    }
    CListCtrl::OnMouseMove(nFlags, point);
}

void CDragListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDragging && m_nDragIndex != -1 && m_nDropIndex != -1)
        DropItem(m_nDragIndex, m_nDropIndex, point.x, point.y);
    if (m_bDragging)
        StopDrag();
    CListCtrl::OnLButtonUp(nFlags, point);
}

void CDragListCtrl::OnDestroy()
{
    if (m_bDragging)
        StopDrag();
    CListCtrl::OnDestroy();
}

void CDragListCtrl::CancelDrag()
{
    if (m_bDragging)
        StopDrag();
}

void CDragListCtrl::StopDrag()
{
    m_bDragging = FALSE;
    if (m_pDragImage)
    {
        CImageList::DragLeave(this);
        CImageList::EndDrag();
        delete m_pDragImage;
        m_pDragImage = NULL;
    }
    m_nDragIndex = -1;
    m_nDropIndex = -1;
    EraseDropMarker();
    if (m_hOldCursor)
        ::SetCursor(m_hOldCursor);
    m_hOldCursor = NULL;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Invalidate();
}

namespace
{
// The drop line is drawn inverted, so drawing it twice leaves the list as it was.
void InvertMarker(HWND hWnd, const CRect& rect)
{
    HDC hDC = ::GetDC(hWnd);
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), DSTINVERT);
    ::ReleaseDC(hWnd, hDC);
}
} // namespace

void CDragListCtrl::DrawDropMarker(int nIndex)
{
    CRect row;
    const int nCount = GetItemCount();
    if (nIndex < nCount)
        GetItemRect(nIndex, &row, LVIR_BOUNDS);
    else if (nCount > 0)
    {
        GetItemRect(nCount - 1, &row, LVIR_BOUNDS);
        row.OffsetRect(0, row.Height());
    }
    else
        row = CRect(0, DropArea().top, 0, DropArea().top);
    CRect client;
    GetClientRect(&client);
    CRect marker(client.left, row.top, client.right, row.top + 2);
    if (m_pDropRect && *m_pDropRect == marker)
        return;
    EraseDropMarker();
    InvertMarker(m_hWnd, marker);
    m_pDropRect = new CRect(marker);
}

void CDragListCtrl::EraseDropMarker()
{
    if (!m_pDropRect)
        return;
    InvertMarker(m_hWnd, *m_pDropRect);
    delete m_pDropRect;
    m_pDropRect = NULL;
}

int CDragListCtrl::DropItem(int nFrom, int nTo, int x, int y)
{
    if (nTo == nFrom || nTo == nFrom + 1)
        return nFrom;
    const DWORD view = GetStyle() & LVS_TYPEMASK;
    if (view == LVS_REPORT || view == LVS_LIST)
        return MoveItem(nFrom, nTo);
    SetItemPosition(nFrom, CPoint(x - m_ptHotSpot.x + m_ptOrigin.x, y - m_ptHotSpot.y + m_ptOrigin.y));
    return nFrom;
}

int CDragListCtrl::MoveItem(int nFrom, int nTo)
{
    const int nTop = GetTopIndex();
    char text[260];
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    item.iItem = nFrom;
    item.stateMask = static_cast<UINT>(-1);
    GetItem(&item);
    const BOOL bChecked = GetCheck(nFrom);
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    const int nColumns = pHeader && pHeader->GetSafeHwnd() ? pHeader->GetItemCount() : 1;
    CStringArray texts;
    for (int i = 0; i < nColumns; ++i)
    {
        GetItemText(nFrom, i, text, sizeof text);
        texts.Add(text);
    }

    DeleteItem(nFrom);
    if (nTo > nFrom)
        --nTo;
    const int nNew = InsertItem(nTo, texts.GetSize() ? static_cast<LPCSTR>(texts[0]) : "");
    for (int i = 1; i < nColumns; ++i)
        SetItemText(nNew, i, texts[i]);
    item.iItem = nNew;
    item.iSubItem = 0;
    item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    SetItem(&item);
    SetCheck(nNew, bChecked);

    const int nNewTop = GetTopIndex();
    if (nNewTop != nTop && GetItemCount() > 0)
    {
        CRect oldTop, newTop;
        GetItemRect(nTop < GetItemCount() ? nTop : GetItemCount() - 1, &oldTop, LVIR_BOUNDS);
        GetItemRect(nNewTop, &newTop, LVIR_BOUNDS);
        Scroll(CSize(0, oldTop.top - newTop.top));
    }
    return nNew;
}
