#include "skin/BmpButton.h"

#include "platform/afx/Dc.h"
#include "skin/PixelRegion.h"

namespace {
// A left press on any bitmap button, waiting for its release.
BOOL g_bPressed = FALSE;
} // namespace

BEGIN_MESSAGE_MAP(CBmpButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_ERASEBKGND()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_ENABLE()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CBmpButton::CBmpButton() : m_nLastState(-1), m_nWidth(0), m_nHeight(0), m_bCheckMode(FALSE), m_bChecked(FALSE)
{
}

BOOL CBmpButton::LoadBitmaps(UINT hover, UINT normal, UINT pressed, UINT disabled)
{
    if (!hover || !normal || !pressed || !disabled)
        return FALSE;
    const UINT ids[4] = { hover, normal, pressed, disabled };
    for (CBitmap& bitmap : m_bitmaps)
        bitmap.DeleteObject();
    for (int i = 0; i < 4; ++i)
        if (!m_bitmaps[i].LoadBitmap(ids[i]))
            return FALSE;
    BITMAP info;
    m_bitmaps[STATE_HOVER].GetBitmap(&info);
    m_nWidth = info.bmWidth;
    m_nHeight = info.bmHeight;
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOZORDER);
    return TRUE;
}

BOOL CBmpButton::LoadBitmapsWithRegion(UINT hover, UINT normal, UINT pressed, UINT disabled, COLORREF transparent)
{
    if (!LoadBitmaps(hover, normal, pressed, disabled))
        return FALSE;
    HRGN region = CreatePixelRegion(static_cast<HBITMAP>(m_bitmaps[STATE_NORMAL].GetSafeHandle()), transparent);
    if (region && m_hWnd)
        SetWindowRgn(region, FALSE);
    else if (region)
        ::DeleteObject(region);
    return TRUE;
}

CBmpButton& CBmpButton::SetCheckMode(BOOL checkMode)
{
    if (m_bCheckMode != checkMode)
    {
        m_bCheckMode = checkMode;
        if (m_hWnd)
            Invalidate(TRUE);
    }
    return *this;
}

void CBmpButton::SetCheck(BOOL checked)
{
    if (!m_bCheckMode || m_bChecked == checked)
        return;
    m_bChecked = checked;
    m_nLastState = -1;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CBmpButton::DrawState(int state)
{
    if (state < STATE_HOVER || state > STATE_DISABLED || !m_hWnd)
        return;
    if (m_bCheckMode && m_bChecked && state == STATE_NORMAL)
        state = STATE_PRESSED;
    if (state == m_nLastState || !m_bitmaps[state].GetSafeHandle())
        return;
    CClientDC dc(this);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* pOld = memory.SelectObject(&m_bitmaps[state]);
    dc.BitBlt(0, 0, m_nWidth, m_nHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(pOld);
    m_nLastState = state;
}

void CBmpButton::DrawItem(LPDRAWITEMSTRUCT pDraw)
{
    m_nLastState = -1;
    if (pDraw->itemState & ODS_DISABLED)
        DrawState(STATE_DISABLED);
    else if (pDraw->itemState & ODS_SELECTED)
        DrawState(STATE_PRESSED);
    else
        DrawState(STATE_NORMAL);
}

void CBmpButton::OnMouseMove(UINT, CPoint)
{
    Default();
    if (!m_bChecked)
        DrawState(STATE_HOVER);
    TRACKMOUSEEVENT track = { sizeof track, TME_LEAVE, m_hWnd, HOVER_DEFAULT };
    ::TrackMouseEvent(&track);
}

void CBmpButton::OnMouseLeave()
{
    DrawState(STATE_NORMAL);
}

void CBmpButton::OnKillFocus(CWnd*)
{
    Default();
    DrawState(STATE_NORMAL);
}

void CBmpButton::OnEnable(BOOL enable)
{
    Default();
    DrawState(enable ? STATE_NORMAL : STATE_DISABLED);
}

void CBmpButton::OnSetFocus(CWnd*)
{
    Default();
}

BOOL CBmpButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CBmpButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
}

LRESULT CBmpButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Each click of a double click counts: the second press is an ordinary press.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    if (message == WM_LBUTTONDOWN)
    {
        g_bPressed = TRUE;
    }
    else if (message == WM_LBUTTONUP && g_bPressed && m_bCheckMode)
    {
        g_bPressed = FALSE;
        CRect client;
        GetClientRect(&client);
        const POINT point = { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
        if (client.PtInRect(point))
        {
            m_bChecked = !m_bChecked;
            m_nLastState = -1;
        }
    }
    return CButton::DefWindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CBmpSlider, CSliderCtrl)
ON_WM_PAINT()
END_MESSAGE_MAP()

CBmpSlider::CBmpSlider() : m_nThumbHeight(0), m_nThumbWidth(0)
{
}

void CBmpSlider::PreSubclassWindow()
{
    CSliderCtrl::PreSubclassWindow();
    ModifyStyle(0, TBS_FIXEDLENGTH);
}

void CBmpSlider::SetBitmaps(UINT backgroundId, UINT thumbId)
{
    GetWindowRect(&m_rect);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&m_rect);
    if (thumbId)
    {
        m_thumb.DeleteObject();
        if (m_thumb.LoadBitmap(thumbId))
        {
            BITMAP info;
            m_thumb.GetBitmap(&info);
            m_nThumbWidth = info.bmWidth;
            m_nThumbHeight = info.bmHeight;
        }
    }
    if (!backgroundId)
        return;
    CBitmap whole;
    if (!whole.LoadBitmap(backgroundId))
        return;
    CClientDC dc(this);
    CDC source, target;
    source.CreateCompatibleDC(&dc);
    target.CreateCompatibleDC(&dc);
    m_background.DeleteObject();
    m_background.CreateCompatibleBitmap(dc.GetSafeHdc(), m_rect.Width(), m_rect.Height());
    CBitmap* pOldSource = source.SelectObject(&whole);
    CBitmap* pOldTarget = target.SelectObject(&m_background);
    target.BitBlt(0, 0, m_rect.Width(), m_rect.Height(), &source, m_rect.left, m_rect.top, SRCCOPY);
    source.SelectObject(pOldSource);
    target.SelectObject(pOldTarget);
}

void CBmpSlider::OnPaint()
{
    CPaintDC dc(this);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    if (m_background.GetSafeHandle())
    {
        CBitmap* pOld = memory.SelectObject(&m_background);
        dc.BitBlt(0, 0, m_rect.Width(), m_rect.Height(), &memory, 0, 0, SRCCOPY);
        memory.SelectObject(pOld);
    }
    if (m_thumb.GetSafeHandle())
    {
        CRect thumb;
        GetThumbRect(&thumb);
        const int half = m_nThumbWidth / 2;
        const int width = thumb.Width() < half ? thumb.Width() : half;
        const int height = thumb.Height() < m_nThumbHeight ? thumb.Height() : m_nThumbHeight;
        CBitmap* pOld = memory.SelectObject(&m_thumb);
        dc.BitBlt(thumb.left, thumb.top, width, height, &memory, half, 0, SRCAND);
        dc.BitBlt(thumb.left, thumb.top, width, height, &memory, 0, 0, SRCINVERT);
        memory.SelectObject(pOld);
    }
}
