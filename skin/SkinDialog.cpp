#include "skin/SkinDialog.h"

#include <algorithm>

#include "skin/DrawHelpers.h"

namespace
{
int BitmapWidth(CBitmap& bitmap)
{
    BITMAP info = {};
    if (bitmap.GetSafeHandle() == NULL || !bitmap.GetBitmap(&info))
        return 0;
    return info.bmWidth;
}

int BitmapHeight(CBitmap& bitmap)
{
    BITMAP info = {};
    if (bitmap.GetSafeHandle() == NULL || !bitmap.GetBitmap(&info))
        return 0;
    return info.bmHeight;
}

// Deletes the group of three and loads it again; TRUE only when every picture loads.
BOOL LoadGroup(CBitmap& first, CBitmap& second, CBitmap& third, UINT nFirst, UINT nSecond, UINT nThird)
{
    BOOL ok = TRUE;
    CBitmap* bitmaps[3] = { &first, &second, &third };
    const UINT ids[3] = { nFirst, nSecond, nThird };
    for (int i = 0; i < 3; ++i)
    {
        bitmaps[i]->DeleteObject();
        if (!bitmaps[i]->LoadBitmap(ids[i]))
            ok = FALSE;
    }
    return ok;
}

// Caption buttons are 22 x 21 pixels, placed from the right caption piece's top-left corner.
CRect ButtonRect(const CRect& piece, int dx)
{
    return CRect(piece.left + dx, piece.top + 2, piece.left + dx + 22, piece.top + 2 + 21);
}
}  // namespace

BOOL CCaptionButton::LoadBitmaps(UINT nNormal, UINT nHover, UINT nPressed)
{
    return LoadGroup(m_bitmaps[0], m_bitmaps[1], m_bitmaps[2], nNormal, nHover, nPressed);
}

void CCaptionButton::Draw(CDC* pDC, const CRect& rect)
{
    DrawBitmap(pDC, rect, &m_bitmaps[m_nState]);
}

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
ON_WM_NCPAINT()
ON_WM_PAINT()
ON_WM_NCACTIVATE()
ON_WM_NCCALCSIZE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCMOUSEMOVE()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONUP()
ON_WM_SIZING()
ON_WM_SIZE()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_LBUTTONDOWN()
ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_nCaptionHeight(46), m_nBorderWidth(10), m_nBottomHeight(10),
      m_bMaximized(FALSE), m_aspectRatio(1, 1)
{
}

CSkinDialog::~CSkinDialog() {}

CRect CSkinDialog::GetCloseButtonRect(const CRect& rightPiece) { return ButtonRect(rightPiece, 72); }
CRect CSkinDialog::GetMaxButtonRect(const CRect& rightPiece) { return ButtonRect(rightPiece, 49); }
CRect CSkinDialog::GetMinButtonRect(const CRect& rightPiece) { return ButtonRect(rightPiece, 25); }

BOOL CSkinDialog::SetBorderBitmaps(UINT nLeft, UINT nRight, UINT nBottom)
{
    if (!LoadGroup(m_borderLeft, m_borderRight, m_borderBottom, nLeft, nRight, nBottom))
        return FALSE;
    m_nBorderWidth = BitmapWidth(m_borderLeft);
    m_nBottomHeight = BitmapHeight(m_borderBottom);
    return TRUE;
}

BOOL CSkinDialog::SetCaptionBitmaps(UINT nLeft, UINT nRight, UINT nMiddle)
{
    if (!LoadGroup(m_captionLeft, m_captionRight, m_captionMiddle, nLeft, nRight, nMiddle))
        return FALSE;
    m_nCaptionHeight = BitmapHeight(m_captionLeft);
    return TRUE;
}

void CSkinDialog::SetAspectRatio(CSize ratio)
{
    m_aspectRatio = ratio;
    if (m_hWnd == NULL)
        return;
    CRect rect;
    GetWindowRect(&rect);
    ApplySizingRule(WMSZ_RIGHT, &rect);
    MoveWindow(&rect, TRUE);
}

void CSkinDialog::ApplySizingRule(UINT nSide, LPRECT pRect) const
{
    if (m_aspectRatio.cx != m_aspectRatio.cy && m_aspectRatio.cx != 0 && m_aspectRatio.cy != 0)
    {
        int w = pRect->right - pRect->left - 2 * m_nBorderWidth;
        int h = pRect->bottom - pRect->top - m_nCaptionHeight - m_nBottomHeight;
        if (nSide == WMSZ_TOP || nSide == WMSZ_BOTTOM)
            w = h * m_aspectRatio.cx / m_aspectRatio.cy;
        else
            h = w * m_aspectRatio.cy / m_aspectRatio.cx;
        pRect->right = pRect->left + w + 2 * m_nBorderWidth;
        pRect->bottom = pRect->top + h + m_nCaptionHeight + m_nBottomHeight;
    }
    if (pRect->right - pRect->left < 256)
        pRect->right = pRect->left + 256;
    if (pRect->bottom - pRect->top < 192)
        pRect->bottom = pRect->top + 192;
}

BOOL CSkinDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW);
    return TRUE;
}

CRect CSkinDialog::CaptionRect(const CRect& window) const
{
    return CRect(window.left, window.top, window.right, window.top + m_nCaptionHeight);
}

void CSkinDialog::GetCaptionPieces(const CRect& caption, CRect& left, CRect& middle, CRect& right)
{
    int width = caption.Width();
    left = CRect(caption.left, caption.top, caption.left + std::min(width, BitmapWidth(m_captionLeft)), caption.bottom);
    right = CRect(std::max(caption.right - BitmapWidth(m_captionRight), left.right), caption.top, caption.right,
                  caption.bottom);
    middle = CRect(left.right, caption.top, right.left, caption.top + BitmapHeight(m_captionMiddle));
}

CRect CSkinDialog::RightPiece(const CRect& window)
{
    CRect left, middle, right;
    GetCaptionPieces(CaptionRect(window), left, middle, right);
    return right;
}

void CSkinDialog::PaintFrame()
{
    if (m_hWnd == NULL)
        return;
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    CDC* pDC = GetWindowDC();
    if (pDC == NULL)
        return;
    const int L = window.left, T = window.top, R = window.right, B = window.bottom;
    const int ch = m_nCaptionHeight, bw = m_nBorderWidth, bh = m_nBottomHeight;
    TileBitmap(pDC, CRect(L, T + ch, L + bw, B - bh), &m_borderLeft);
    TileBitmap(pDC, CRect(R - bw, T + ch, R, B - bh), &m_borderRight);
    TileBitmap(pDC, CRect(L, B - bh, R, B), &m_borderBottom);
    if (m_captionLeft.GetSafeHandle() != NULL)
    {
        CRect left, middle, right;
        GetCaptionPieces(CaptionRect(window), left, middle, right);
        if (middle.Width() > 0)
        {
            TileBitmap(pDC, middle, &m_captionMiddle);
            DrawBitmap(pDC, left, &m_captionLeft);
            DrawBitmap(pDC, right, &m_captionRight);
        }
        m_minButton.Draw(pDC, GetMinButtonRect(right));
        m_maxButton.Draw(pDC, GetMaxButtonRect(right));
        m_closeButton.Draw(pDC, GetCloseButtonRect(right));
    }
    ReleaseDC(pDC);
}

void CSkinDialog::OnNcPaint() { PaintFrame(); }

void CSkinDialog::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(0, 0, 0));
    PaintFrame();
}

BOOL CSkinDialog::OnNcActivate(BOOL bActive)
{
    PaintFrame();
    return !bActive;
}

void CSkinDialog::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!bCalcValidRects)
    {
        Default();
        return;
    }
    RECT& r = lpncsp->rgrc[0];
    r.left += m_nBorderWidth;
    r.right -= m_nBorderWidth;
    r.top += m_nCaptionHeight;
    r.bottom -= m_nBottomHeight;
    lpncsp->rgrc[1] = r;
}

LRESULT CSkinDialog::OnNcHitTest(CPoint point)
{
    CRect w;
    GetWindowRect(&w);
    const int L = w.left, T = w.top, R = w.right, B = w.bottom;
    const int ch = m_nCaptionHeight, bw = m_nBorderWidth, bh = m_nBottomHeight;
    struct Area
    {
        CRect rect;
        LRESULT code;
    };
    const Area edges[] = {
        { CRect(L, B - bh, L + bw, B), HTBOTTOMLEFT },
        { CRect(L, T, L + bw, T + ch), HTTOPLEFT },
        { CRect(R - bw, B - bh, R, B), HTBOTTOMRIGHT },
        { CRect(R - bw, T, R, T + ch), HTTOPRIGHT },
        { CRect(L, T + ch, L + bw, B - bh), HTLEFT },
        { CRect(R - bw, T + ch, R, B - bh), HTRIGHT },
        { CRect(L, B - bh, R, B), HTBOTTOM },
    };
    for (const Area& area : edges)
        if (area.rect.PtInRect(point))
            return area.code;
    CRect caption = CaptionRect(w);
    if (caption.PtInRect(point))
    {
        CRect right = RightPiece(w);
        if (GetMinButtonRect(right).PtInRect(point))
            return HTMINBUTTON;
        if (GetMaxButtonRect(right).PtInRect(point))
            return HTMAXBUTTON;
        if (GetCloseButtonRect(right).PtInRect(point))
            return HTCLOSE;
        if (point.x - L < GetSystemMetrics(SM_CXICON) && point.y - T < GetSystemMetrics(SM_CYICON))
            return HTSYSMENU;
        if (point.y - T < GetSystemMetrics(SM_CYBORDER))
            return HTTOP;
        return HTCAPTION;
    }
    return Default();
}

void CSkinDialog::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    m_minButton.m_nState = m_maxButton.m_nState = m_closeButton.m_nState = 0;
    if (nHitTest == HTMINBUTTON)
        m_minButton.m_nState = 1;
    else if (nHitTest == HTMAXBUTTON)
        m_maxButton.m_nState = 1;
    else if (nHitTest == HTCLOSE)
        m_closeButton.m_nState = 1;
    PaintFrame();
    Default();
}

void CSkinDialog::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CCaptionButton* pButton = nHitTest == HTMINBUTTON   ? &m_minButton
                              : nHitTest == HTMAXBUTTON ? &m_maxButton
                              : nHitTest == HTCLOSE     ? &m_closeButton
                                                        : NULL;
    if (pButton != NULL)
    {
        pButton->m_nState = 2;
        PaintFrame();
        return;
    }
    PaintFrame();
    Default();
}

void CSkinDialog::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTMINBUTTON)
    {
        m_minButton.m_nState = 0;
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
    else if (nHitTest == HTMAXBUTTON)
    {
        m_maxButton.m_nState = 0;
        ShowWindow(m_bMaximized ? SW_RESTORE : SW_MAXIMIZE);
    }
    else if (nHitTest == HTCLOSE)
    {
        m_closeButton.m_nState = 0;
        SendMessage(WM_CLOSE);
    }
    Default();
}

void CSkinDialog::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (!m_bMaximized)
        ShowWindow(SW_MAXIMIZE);
    else
        Default();
}

void CSkinDialog::OnSizing(UINT fwSide, LPRECT pRect) { ApplySizingRule(fwSide, pRect); }

void CSkinDialog::OnSize(UINT nType, int cx, int cy)
{
    Default();
    if (nType == SIZE_RESTORED)
        m_bMaximized = FALSE;
    else if (nType == SIZE_MAXIMIZED)
    {
        m_bMaximized = TRUE;
        SetWindowPos(NULL, -m_nBorderWidth, -m_nCaptionHeight,
                     GetSystemMetrics(SM_CXSCREEN) + 2 * m_nBorderWidth,
                     GetSystemMetrics(SM_CYSCREEN) + m_nCaptionHeight + m_nBottomHeight, SWP_NOZORDER);
    }
}

void CSkinDialog::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bMaximized)
    {
        CPoint screen = point;
        ClientToScreen(&screen);
        SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
    Default();
}

void CSkinDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (m_bMaximized)
    {
        CPoint size(GetSystemMetrics(SM_CXSCREEN) + 2 * m_nBorderWidth,
                    GetSystemMetrics(SM_CYSCREEN) + m_nCaptionHeight + m_nBottomHeight);
        lpMMI->ptMaxSize = size;
        lpMMI->ptMaxTrackSize = size;
    }
    Default();
}
