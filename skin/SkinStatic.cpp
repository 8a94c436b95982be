#include "skin/SkinStatic.h"

IMPLEMENT_DYNAMIC(CSkinStatic, CStatic)

BEGIN_MESSAGE_MAP(CSkinStatic, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

CSkinStatic::CSkinStatic()
    : m_x(0),
      m_y(0),
      m_width(0),
      m_height(0),
      m_backColor(::GetSysColor(COLOR_WINDOW)),
      m_backMode(BackNone),
      m_textColor(::GetSysColor(COLOR_WINDOWTEXT))
{
    m_font.CreateStockObject(DEFAULT_GUI_FONT);
}

CSkinStatic::~CSkinStatic()
{
}

CSkinStatic* CSkinStatic::FromRecord(const SkinStaticRecord& record)
{
    CSkinStatic* label = new CSkinStatic;
    label->SetBackMode(record.backMode);
    label->SetPosition(record.position);
    label->SetSize(record.size);
    label->SetTextColor(record.textColor);
    if (record.backMode == BackColor)
        label->SetBackColor(record.backColor);
    if (record.backMode == BackPicture && !label->LoadBackPicture(record.backPicture))
    {
        delete label;
        return nullptr;
    }
    label->SetWindowText(record.text);
    label->SetFontCharset(record.font.lfCharSet);
    label->SetFontFaceName(record.font.lfFaceName);
    label->SetFontSize(record.font.lfWidth, record.font.lfHeight);
    return label;
}

CSkinStatic& CSkinStatic::SetTextColor(COLORREF color)
{
    m_textColor = color;
    return *this;
}

CSkinStatic& CSkinStatic::SetBackMode(int mode)
{
    m_backMode = mode;
    return *this;
}

CSkinStatic& CSkinStatic::SetBackColor(COLORREF color)
{
    m_backColor = color;
    m_backMode = BackColor;
    return *this;
}

BOOL CSkinStatic::LoadBackBitmap(UINT resourceId)
{
    return LoadBackPicture(SkinPictureResource(resourceId));
}

BOOL CSkinStatic::LoadBackBitmapFile(LPCSTR path)
{
    return LoadBackPicture(SkinPictureFile(path));
}

BOOL CSkinStatic::LoadBackPicture(const SkinPictureSource& source)
{
    m_backBitmap.DeleteObject();
    if (!LoadSkinPicture(m_backBitmap, source))
        return FALSE;
    m_backMode = BackPicture;
    m_width = m_backBitmap.GetWidth();
    m_height = m_backBitmap.GetHeight();
    return TRUE;
}

void CSkinStatic::SetWindowText(LPCSTR text)
{
    m_text = text;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CSkinStatic::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

void CSkinStatic::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
}

template <class Change>
void CSkinStatic::ChangeFont(Change change)
{
    LOGFONTA font = {};
    m_font.GetLogFont(&font);
    change(font);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&font);
}

void CSkinStatic::SetFontSize(int width, int height)
{
    ChangeFont([=](LOGFONTA& font) {
        font.lfWidth = width;
        font.lfHeight = height;
    });
}

void CSkinStatic::SetFontCharset(BYTE charset)
{
    ChangeFont([=](LOGFONTA& font) { font.lfCharSet = charset; });
}

void CSkinStatic::SetFontFaceName(LPCSTR faceName)
{
    ChangeFont([=](LOGFONTA& font) { SetLogFontFaceName(font, faceName); });
}

void CSkinStatic::SetFontItalic(BOOL italic)
{
    ChangeFont([=](LOGFONTA& font) { font.lfItalic = italic ? TRUE : FALSE; });
}

void CSkinStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    CWnd::SetWindowText(m_text);
    SetWindowPos(nullptr, m_x, m_y, m_width, m_height, SWP_NOZORDER | SWP_NOACTIVATE);
    // A label without a background is drawn over the parent's: have the parent paint it first.
    CRect under;
    GetWindowRect(&under);
    HWND parent = ::GetParent(m_hWnd);
    if (parent)
    {
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&under), 2);
        ::InvalidateRect(parent, &under, TRUE);
    }
}

void CSkinStatic::PaintParentBackground(CDC* dc)
{
    // The parent does not paint under a child that repaints itself, so the label has the parent
    // paint its background into the label's own picture.
    HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return;
    POINT origin = { 0, 0 };
    ::MapWindowPoints(m_hWnd, parent, &origin, 1);
    POINT old;
    ::OffsetViewportOrgEx(dc->GetSafeHdc(), -origin.x, -origin.y, &old);
    ::SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc->GetSafeHdc()), 0);
    ::SetViewportOrgEx(dc->GetSafeHdc(), old.x, old.y, nullptr);
}

void CSkinStatic::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void CSkinStatic::Draw(CDC* dc)
{
    CRect rect;
    GetClientRect(&rect);
    if (m_backMode == BackColor)
        dc->FillSolidRect(&rect, m_backColor);
    else if (m_backMode == BackPicture && m_backBitmap.GetSafeHandle())
        m_backBitmap.BlitToRect(dc->GetSafeHdc(), rect);
    else if (m_backMode == BackNone)
        PaintParentBackground(dc);

    CFont* oldFont = dc->SelectObject(&m_font);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc->SetTextColor(m_textColor);
    const CSize extent = dc->GetTextExtent(m_text);
    if (extent.cy < rect.Height())
    {
        const int margin = (rect.Height() - extent.cy) / 2;
        rect.top += margin;
        rect.bottom -= margin;
    }
    dc->DrawText(m_text, &rect, 0);
    dc->SetTextColor(oldColor);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldFont);
}
