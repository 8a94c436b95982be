#include "ui/osd/OSDTextWnd.h"

#include "ui/osd/OSDPopup.h"

#include <cstring>

#include "skin/PixelRegion.h"

namespace {

const UINT_PTR kHideTimer = 1;

// Programme texts come from downloaded guides: every copy into a line is cut to the line.
void CopyLineText(char (&line)[COSDTextWnd::LINE_CHARS], LPCSTR text)
{
    ::lstrcpynA(line, text ? text : "", COSDTextWnd::LINE_CHARS);
}

} // namespace

BEGIN_MESSAGE_MAP(COSDTextWnd, CWnd)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

COSDTextWnd::COSDTextWnd()
    : m_crText(RGB(255, 255, 255)),
      m_pParent(nullptr),
      m_nAutoHide(0),
      m_nWidth(0),
      m_nHeight(0),
      m_nX(0),
      m_nY(0),
      m_crTransparent(0),
      m_nAlpha(75),
      m_nBarPercent(50),
      m_nLineCount(4),
      m_nVerticalPlace(90),
      m_nDrawMode(0),
      m_nAppliedAlpha(-1)
{
    std::memset(&m_baseFont, 0, sizeof m_baseFont);
    std::memset(m_lines, 0, sizeof m_lines);
    m_outlineBrush.CreateSolidBrush(RGB(255, 255, 255));
}

COSDTextWnd::~COSDTextWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL COSDTextWnd::Create(CWnd* pParent)
{
    m_pParent = pParent;
    if (!OsdCreatePopup(*this, pParent, m_baseFont))
        return FALSE;
    m_baseFont.lfHeight = 20;
    m_baseFont.lfWeight = 900;
    std::strcpy(m_baseFont.lfFaceName, "黑体");
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, ::GetWindowLongA(m_hWnd, GWL_EXSTYLE) ^ WS_EX_LAYERED);
    SetAlpha(m_nAlpha);
    static const struct
    {
        int x;
        int y;
        const char* text;
    } kLines[4] = { { 5, 4, "1 CCTV-1" }, { 300, 0, "01:55" }, { 20, 30, "节目一" }, { 20, 60, "节目二" } };
    for (int i = 0; i < 4; ++i)
    {
        m_lines[i].font = m_baseFont;
        m_lines[i].x = kLines[i].x;
        m_lines[i].y = kLines[i].y;
        CopyLineText(m_lines[i].text, kLines[i].text);
    }
    m_nLineCount = 4;
    return TRUE;
}

void COSDTextWnd::ApplyAlpha(int alpha)
{
    typedef BOOL(WINAPI * SetLayeredAttributes)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user = ::LoadLibraryA("User32.DLL");
    if (!user)
        return;
    SetLayeredAttributes set =
        reinterpret_cast<SetLayeredAttributes>(::GetProcAddress(user, "SetLayeredWindowAttributes"));
    if (set && m_hWnd)
    {
        set(m_hWnd, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
        m_nAppliedAlpha = alpha;
    }
    ::FreeLibrary(user);
    if (m_hWnd)
        Invalidate(FALSE);
}

void COSDTextWnd::SetAlpha(int percent)
{
    m_nAlpha = percent;
    ApplyAlpha(static_cast<int>(percent * 255.0 / 100.0));
}

void COSDTextWnd::MakeOpaque()
{
    ApplyAlpha(255);
}

void COSDTextWnd::Place()
{
    if (!m_pParent || !m_pParent->m_hWnd)
        return;
    CRect client;
    m_pParent->GetClientRect(&client);
    m_nX = (client.Width() - m_nWidth) / 2;
    m_nY = (client.Height() - m_nHeight) * m_nVerticalPlace / 100;
    POINT origin = { m_nX, m_nY };
    m_pParent->ClientToScreen(&origin);
    SetWindowPos(nullptr, origin.x, origin.y, m_nWidth, m_nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void COSDTextWnd::Relayout()
{
    if (m_hWnd)
        Place();
}

void COSDTextWnd::BuildRegions()
{
    m_shape.DeleteObject();
    m_outline.DeleteObject();
    HRGN shape = CreatePixelRegion(static_cast<HBITMAP>(m_background.GetSafeHandle()), m_crTransparent);
    if (!shape)
        shape = ::CreateRectRgn(0, 0, m_nWidth, m_nHeight);
    m_shape.Attach(shape);
    // The one-pixel edge: the shape less itself moved one pixel along each diagonal.
    m_outline.CreateRectRgn(0, 0, 0, 0);
    static const int kShifts[4][2] = { { 1, 1 }, { -1, -1 }, { -1, 1 }, { 1, -1 } };
    for (const auto& shift : kShifts)
    {
        CRgn moved, edge;
        moved.CreateRectRgn(0, 0, 0, 0);
        moved.CopyRgn(&m_shape);
        moved.OffsetRgn(shift[0], shift[1]);
        edge.CreateRectRgn(0, 0, 0, 0);
        edge.CombineRgn(&m_shape, &moved, RGN_DIFF);
        m_outline.CombineRgn(&m_outline, &edge, RGN_OR);
    }
    // The window takes its own copy of the shape.
    HRGN window = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(window, m_shape, nullptr, RGN_COPY);
    SetWindowRgn(window, TRUE);
}

BOOL COSDTextWnd::SetBackground(UINT bitmapId, COLORREF transparent)
{
    m_background.DeleteObject();
    const BOOL loaded = m_background.LoadBitmap(bitmapId);
    BITMAP info = {};
    if (loaded)
        m_background.GetBitmap(&info);
    m_nWidth = info.bmWidth;
    m_nHeight = info.bmHeight;
    m_crTransparent = transparent;
    if (m_hWnd)
    {
        Place();
        BuildRegions();
    }
    RedrawImages();
    return loaded;
}

BOOL COSDTextWnd::SetBarBitmap(UINT bitmapId)
{
    m_bar.DeleteObject();
    return m_bar.LoadBitmap(bitmapId);
}

void COSDTextWnd::DrawImage(CDC& image, CBitmap& bitmap)
{
    if (!m_hWnd || m_nWidth <= 0 || m_nHeight <= 0)
        return;
    CClientDC screen(this);
    if (!image.GetSafeHdc())
        image.CreateCompatibleDC(&screen);
    // The new picture replaces the old one in the context before the old one is deleted.
    CBitmap fresh;
    fresh.CreateCompatibleBitmap(screen.GetSafeHdc(), m_nWidth, m_nHeight);
    ::SelectObject(image.GetSafeHdc(), fresh.GetSafeHandle());
    bitmap.DeleteObject();
    bitmap.Attach(fresh.Detach());

    CDC source;
    source.CreateCompatibleDC(&screen);
    if (m_background.GetSafeHandle())
    {
        HGDIOBJ old = ::SelectObject(source.GetSafeHdc(), m_background.GetSafeHandle());
        image.BitBlt(0, 0, m_nWidth, m_nHeight, &source, 0, 0, SRCCOPY);
        ::SelectObject(source.GetSafeHdc(), old);
    }
    if (m_bar.GetSafeHandle())
    {
        HGDIOBJ old = ::SelectObject(source.GetSafeHdc(), m_bar.GetSafeHandle());
        image.BitBlt(0, 0, m_nWidth * m_nBarPercent / 100, m_nHeight, &source, 0, 0, SRCCOPY);
        ::SelectObject(source.GetSafeHdc(), old);
    }
    if (m_outline.GetSafeHandle())
        image.FillRgn(&m_outline, &m_outlineBrush);
    image.SetBkMode(TRANSPARENT);
    image.SetTextColor(m_crText);
    for (int i = 0; i < m_nLineCount; ++i)
    {
        HFONT font = ::CreateFontIndirectA(&m_lines[i].font);
        HGDIOBJ old = ::SelectObject(image.GetSafeHdc(), font);
        ::TextOutA(image.GetSafeHdc(), m_lines[i].x, m_lines[i].y, m_lines[i].text,
                   static_cast<int>(std::strlen(m_lines[i].text)));
        ::SelectObject(image.GetSafeHdc(), old);
        ::DeleteObject(font);
    }
}

void COSDTextWnd::RedrawImages()
{
    DrawImage(m_imageA, m_bitmapA);
    DrawImage(m_imageB, m_bitmapB);
    if (m_hWnd)
        Invalidate(FALSE);
}

void COSDTextWnd::RedrawForText()
{
    if (m_nDrawMode == 0)
        DrawImage(m_imageA, m_bitmapA);
    else if (m_nDrawMode == 1)
        DrawImage(m_imageB, m_bitmapB);
    if (m_hWnd)
        Invalidate(FALSE);
}

void COSDTextWnd::SetLineText(int line, LPCSTR text)
{
    if (line < 1 || line > m_nLineCount)
        return;
    CopyLineText(m_lines[line - 1].text, text);
    RedrawForText();
}

BOOL COSDTextWnd::AppendLine(LPCSTR text, int x, int y)
{
    if (m_nLineCount >= MAX_LINES)
        return FALSE;
    Line& line = m_lines[m_nLineCount++];
    line.font = m_baseFont;
    line.x = x;
    line.y = y;
    CopyLineText(line.text, text);
    RedrawImages();
    return TRUE;
}

BOOL COSDTextWnd::ReplaceLine(int line, LPCSTR text, int x, int y)
{
    if (line < 1 || line > m_nLineCount)
        return FALSE;
    m_lines[line - 1].x = x;
    m_lines[line - 1].y = y;
    CopyLineText(m_lines[line - 1].text, text);
    RedrawImages();
    return TRUE;
}

BOOL COSDTextWnd::DeleteLine(int line)
{
    if (line < 1 || line > m_nLineCount)
        return FALSE;
    for (int i = line - 1; i + 1 < m_nLineCount; ++i)
        m_lines[i] = m_lines[i + 1];
    --m_nLineCount;
    RedrawImages();
    return TRUE;
}

void COSDTextWnd::CutLines(int count)
{
    if (count >= 0 && count < m_nLineCount)
    {
        m_nLineCount = count;
        RedrawImages();
    }
}

void COSDTextWnd::SetAutoHide(UINT ms)
{
    m_nAutoHide = ms;
    OsdSetAutoHide(*this, ms, kHideTimer);
}

void COSDTextWnd::Show(BOOL show)
{
    OsdShowPopup(*this, show, m_nAutoHide, kHideTimer);
}

void COSDTextWnd::OnTimer(UINT_PTR id)
{
    if (id == kHideTimer)
    {
        KillTimer(kHideTimer);
        ShowWindow(SW_HIDE);
    }
}

void COSDTextWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC& image = m_nDrawMode == 0 ? m_imageA : m_imageB;
    if (image.GetSafeHdc())
        dc.BitBlt(0, 0, m_nWidth, m_nHeight, &image, 0, 0, SRCCOPY);
}

BOOL COSDTextWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
