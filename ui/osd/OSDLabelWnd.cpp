#include "ui/osd/OSDLabelWnd.h"

#include "ui/osd/OSDPopup.h"

#include <cstring>

#include "platform/afx/Dc.h"

namespace {
const UINT_PTR kHideTimer = 1;
} // namespace

BEGIN_MESSAGE_MAP(COSDLabelWnd, CWnd)
ON_WM_TIMER()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

COSDLabelWnd::COSDLabelWnd()
    : m_nFormat(DT_LEFT),
      m_margins{ 5, 5, 5, 5 },
      m_crText(0x8A0000),
      m_nAutoHide(0),
      m_pParent(nullptr),
      m_nMinHeight(30),
      m_nMaxHeight(55),
      m_nHeightPercent(8),
      m_textBounds{ 0, 0, 0, 0 },
      m_nLayouts(0)
{
    std::memset(&m_font, 0, sizeof m_font);
}

COSDLabelWnd::~COSDLabelWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL COSDLabelWnd::Create(CWnd* pParent)
{
    m_pParent = pParent;
    return OsdCreatePopup(*this, pParent, m_font);
}

void COSDLabelWnd::SetFontFace(LPCSTR face)
{
    ::lstrcpynA(m_font.lfFaceName, face ? face : "", LF_FACESIZE);
}

void COSDLabelWnd::SetFontScale(int minHeight, int maxHeight, int percent)
{
    m_nMinHeight = minHeight;
    m_nMaxHeight = maxHeight;
    m_nHeightPercent = percent;
}

int COSDLabelWnd::FontHeightFor(int clientHeight) const
{
    int height = clientHeight * m_nHeightPercent / 100;
    if (height < m_nMinHeight)
        height = m_nMinHeight;
    if (height > m_nMaxHeight)
        height = m_nMaxHeight;
    return height;
}

void COSDLabelWnd::SetText(LPCSTR text)
{
    SetWindowText(text ? text : "");
    if (text && *text && !(m_pParent && m_pParent->m_hWnd && m_pParent->IsIconic()))
    {
        ::SetRectEmpty(&m_textBounds);
        Layout();
    }
}

void COSDLabelWnd::SetTextById(UINT id)
{
    CString text;
    text.LoadString(id);
    SetText(text);
}

CString COSDLabelWnd::GetText() const
{
    CString text;
    if (m_hWnd)
        GetWindowText(text);
    return text;
}

void COSDLabelWnd::Show(BOOL show)
{
    OsdShowPopup(*this, show, m_nAutoHide, kHideTimer);
}

void COSDLabelWnd::Refresh()
{
    if (!m_hWnd)
        return;
    if (IsIconic())
        ShowWindow(SW_HIDE);
    else
        SetText(GetText());
}

void COSDLabelWnd::Reposition()
{
    if (!m_hWnd || !m_pParent || !m_pParent->m_hWnd)
        return;
    CRect client;
    m_pParent->GetClientRect(&client);
    m_pParent->ClientToScreen(&client);
    SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void COSDLabelWnd::SetAutoHide(UINT ms)
{
    m_nAutoHide = ms;
    OsdSetAutoHide(*this, ms, kHideTimer);
}

CRect COSDLabelWnd::PrepareLayout()
{
    Reposition();
    CRect client;
    GetClientRect(&client);
    m_font.lfHeight = FontHeightFor(client.Height());
    m_font.lfWeight = 0;
    client.left += m_margins.left;
    client.top += m_margins.top;
    client.right -= m_margins.right;
    client.bottom -= m_margins.bottom;
    ++m_nLayouts;
    return client;
}

HRGN COSDLabelWnd::TextRegion(CDC* pDC, LPCSTR text, CRect rect, UINT format)
{
    pDC->SetBkMode(TRANSPARENT);
    ::BeginPath(pDC->GetSafeHdc());
    ::DrawTextA(pDC->GetSafeHdc(), text, -1, &rect, format | DT_NOPREFIX);
    ::EndPath(pDC->GetSafeHdc());
    HRGN region = ::PathToRegion(pDC->GetSafeHdc());
    return region ? region : ::CreateRectRgn(0, 0, 0, 0);
}

void COSDLabelWnd::SetShape(HRGN region)
{
    ::GetRgnBox(region, &m_textBounds);
    SetWindowRgn(region, TRUE);
}

void COSDLabelWnd::Layout()
{
    const CRect area = PrepareLayout();
    CClientDC dc(this);
    HFONT font = ::CreateFontIndirectA(&m_font);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), font);
    HRGN text = TextRegion(&dc, GetText(), area, m_nFormat);
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(shape, shape, text, RGN_XOR);
    ::DeleteObject(text);
    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(font);
    SetShape(shape);
}

void COSDLabelWnd::OnTimer(UINT_PTR id)
{
    if (id == kHideTimer)
    {
        KillTimer(kHideTimer);
        ShowWindow(SW_HIDE);
    }
}

BOOL COSDLabelWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COSDLabelWnd::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void COSDLabelWnd::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_crText);
}

// ---------------------------------------------------------------------------------------------

void COSDMultiLineLabelWnd::Layout()
{
    CRect area = PrepareLayout();
    CClientDC dc(this);
    HFONT font = ::CreateFontIndirectA(&m_font);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), font);
    TEXTMETRICA metrics;
    ::GetTextMetricsA(dc.GetSafeHdc(), &metrics);
    HRGN total = ::CreateRectRgn(0, 0, 0, 0);
    ::SetRectEmpty(&m_textBounds);
    const CString text = GetText();
    int start = 0;
    int top = area.top;
    while (start <= text.GetLength())
    {
        int end = text.Find('\n', start);
        if (end < 0)
            end = text.GetLength();
        const CString line = text.Mid(start, end - start);
        CRect lineRect(area.left, top, area.right, top + metrics.tmHeight);
        HRGN region = TextRegion(&dc, line, lineRect, m_nFormat | DT_SINGLELINE);
        RECT box;
        ::GetRgnBox(region, &box);
        ::UnionRect(&m_textBounds, &m_textBounds, &box);
        ::CombineRgn(total, total, region, RGN_OR);
        ::DeleteObject(region);
        top += metrics.tmHeight;
        start = end + 1;
    }
    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(font);
    const RECT bounds = m_textBounds;
    SetWindowRgn(total, TRUE);
    m_textBounds = bounds;
}

// ---------------------------------------------------------------------------------------------

COSDBarLabelWnd::COSDBarLabelWnd() : m_nPercent(0), m_crBar(0x6C6464), m_nBarStart(0)
{
    m_nFormat = DT_SINGLELINE | DT_BOTTOM;
}

void COSDBarLabelWnd::SetPercent(int percent)
{
    m_nPercent = percent;
    if (m_hWnd)
        Invalidate(FALSE);
}

void COSDBarLabelWnd::Layout()
{
    const CRect area = PrepareLayout();
    CClientDC dc(this);
    HFONT font = ::CreateFontIndirectA(&m_font);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), font);
    HRGN shape = TextRegion(&dc, GetText(), area, m_nFormat);
    ::GetRgnBox(shape, &m_textBounds);
    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(font);

    LOGFONTA barFont = m_font;
    barFont.lfHeight = m_font.lfHeight * 2 / 3;
    HFONT small = ::CreateFontIndirectA(&barFont);
    old = ::SelectObject(dc.GetSafeHdc(), small);
    m_nBarStart = ::IsRectEmpty(&m_textBounds) ? area.left : m_textBounds.right + 10;
    SIZE stroke = { 0, 0 };
    ::GetTextExtentPoint32A(dc.GetSafeHdc(), "|", 1, &stroke);
    const int available = area.right - m_nBarStart;
    if (stroke.cx > 0 && available > 0)
    {
        const CString strokes(static_cast<char>('|'), available / stroke.cx);
        // The bar stands beside the text: the text's own line, centred on it.
        CRect barRect(m_nBarStart, m_textBounds.top, area.right, m_textBounds.bottom);
        if (::IsRectEmpty(&m_textBounds))
            barRect = CRect(m_nBarStart, area.top, area.right, area.bottom);
        HRGN bar = TextRegion(&dc, strokes, barRect, DT_SINGLELINE | DT_VCENTER);
        RECT box;
        ::GetRgnBox(bar, &box);
        ::UnionRect(&m_textBounds, &m_textBounds, &box);
        ::CombineRgn(shape, shape, bar, RGN_OR);
        ::DeleteObject(bar);
    }
    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(small);
    const RECT bounds = m_textBounds;
    SetWindowRgn(shape, TRUE);
    m_textBounds = bounds;
}

void COSDBarLabelWnd::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_crText);
    const int right = client.right - m_margins.right;
    const int split = m_nBarStart + (right - m_nBarStart) * m_nPercent / 100;
    if (split < client.right)
        pDC->FillSolidRect(split, 0, client.right - split, client.Height(), m_crBar);
}
