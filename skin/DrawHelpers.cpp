#include "skin/DrawHelpers.h"

namespace
{
CSize BitmapSize(CBitmap* pBitmap)
{
    BITMAP info = {};
    pBitmap->GetBitmap(&info);
    return CSize(info.bmWidth, info.bmHeight);
}
}  // namespace

BOOL DrawBitmap(CDC* pDC, const CRect& rect, CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return FALSE;
    return DrawBitmapPart(pDC, rect.left, rect.top, CRect(0, 0, rect.Width(), rect.Height()), pBitmap);
}

BOOL DrawBitmapPart(CDC* pDC, int x, int y, const CRect& source, CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return FALSE;
    HDC hMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hMem, pBitmap->GetSafeHandle());
    BOOL ok = ::BitBlt(pDC->GetSafeHdc(), x, y, source.Width(), source.Height(), hMem, source.left, source.top, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return ok;
}

BOOL TileBitmap(CDC* pDC, const CRect& rect, CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL || rect.IsRectEmpty())
        return FALSE;
    CSize piece = BitmapSize(pBitmap);
    if (piece.cx <= 0 || piece.cy <= 0)
        return FALSE;
    HDC hTarget = pDC->GetSafeHdc();
    HDC hSource = ::CreateCompatibleDC(hTarget);
    HDC hTile = ::CreateCompatibleDC(hTarget);
    HBITMAP hTileBitmap = ::CreateCompatibleBitmap(hTarget, rect.Width(), rect.Height());
    HGDIOBJ hOldSource = ::SelectObject(hSource, pBitmap->GetSafeHandle());
    HGDIOBJ hOldTile = ::SelectObject(hTile, hTileBitmap);
    for (int i = 0; i < (rect.Width() + piece.cx) / piece.cx; ++i)
        for (int j = 0; j < (rect.Height() + piece.cy) / piece.cy; ++j)
            ::BitBlt(hTile, i * piece.cx, j * piece.cy, piece.cx, piece.cy, hSource, 0, 0, SRCCOPY);
    BOOL ok = ::BitBlt(hTarget, rect.left, rect.top, rect.Width(), rect.Height(), hTile, 0, 0, SRCCOPY);
    ::SelectObject(hTile, hOldTile);
    ::SelectObject(hSource, hOldSource);
    ::DeleteObject(hTileBitmap);
    ::DeleteDC(hTile);
    ::DeleteDC(hSource);
    return ok;
}

CMemoryDC::CMemoryDC(CDC* pDC) : m_pOldBitmap(NULL), m_pDC(pDC), m_bMemDC(!pDC->IsPrinting())
{
    pDC->GetClipBox(&m_rect);
    if (m_bMemDC)
    {
        CreateCompatibleDC(pDC);
        m_bitmap.CreateCompatibleBitmap(pDC->GetSafeHdc(), m_rect.Width(), m_rect.Height());
        m_pOldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    }
    else
    {
        m_bPrinting = pDC->m_bPrinting;
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
    }
}

CMemoryDC::~CMemoryDC()
{
    if (m_bMemDC)
    {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_pOldBitmap);
    }
    else
    {
        m_hDC = m_hAttribDC = NULL;
    }
}
