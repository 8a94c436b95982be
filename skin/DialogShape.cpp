#include "skin/DialogShape.h"

#include "skin/SkinRegion.h"

CDialogShape::CDialogShape()
    : m_window(nullptr),
      m_backColor(0),
      m_backMode(BackNone),
      m_transparent(FALSE),
      m_width(0),
      m_height(0),
      m_transparentColor(kDefaultSkinTransparentColor),
      m_previousProc(nullptr)
{
}

CDialogShape::~CDialogShape()
{
    // A window still painted through this shape must not reach it once it is gone.
    Remove();
}

CMap<HWND, HWND, CDialogShape*, CDialogShape*>& CDialogShape::Shapes()
{
    static CMap<HWND, HWND, CDialogShape*, CDialogShape*> shapes(10);
    return shapes;
}

CDialogShape* CDialogShape::FromRecord(const SkinDialogRecord& record)
{
    CDialogShape* shape = new CDialogShape;
    shape->m_transparent = record.transparent;
    shape->m_transparentColor = record.transparentColor;
    if (record.hasSize)
        shape->SetSize(record.size.cx, record.size.cy);
    if (record.style == SkinDialogRecord::StyleColor)
        shape->SetBackColor(record.backColor);
    else if (record.style == SkinDialogRecord::StylePicture &&
             !shape->LoadPicture(record.backPicture, record.transparentColor, record.transparent))
    {
        delete shape;
        return nullptr;
    }
    return shape;
}

void CDialogShape::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
    m_region.DeleteObject();
    m_region.CreateRectRgn(0, 0, width, height);
}

SIZE CDialogShape::GetSize() const
{
    const SIZE size = { m_width, m_height };
    return size;
}

void CDialogShape::SetBackColor(COLORREF color)
{
    m_backColor = color;
    m_backMode = BackColor;
}

BOOL CDialogShape::LoadFromFile(LPCSTR path, COLORREF transparentColor, BOOL transparent)
{
    return LoadPicture(SkinPictureFile(path), transparentColor, transparent);
}

BOOL CDialogShape::LoadFromResource(UINT resourceId, COLORREF transparentColor, BOOL transparent)
{
    return LoadPicture(SkinPictureResource(resourceId), transparentColor, transparent);
}

BOOL CDialogShape::LoadPicture(const SkinPictureSource& source, COLORREF transparentColor, BOOL transparent)
{
    m_backBitmap.DeleteObject();
    if (!LoadSkinPicture(m_backBitmap, source))
        return FALSE;
    m_backMode = BackPicture;
    m_transparentColor = transparentColor;
    m_transparent = transparent;
    return BuildRegion();
}

BOOL CDialogShape::BuildRegion()
{
    m_width = m_backBitmap.GetWidth();
    m_height = m_backBitmap.GetHeight();
    if (!m_transparent)
    {
        m_region.DeleteObject();
        return m_region.CreateRectRgn(0, 0, m_width, m_height);
    }
    return CreateSkinRegion(m_region, m_backBitmap, m_transparentColor);
}

BOOL CDialogShape::Apply(HWND window)
{
    if (!window || !::IsWindow(window))
        return FALSE;
    m_window = window;
    Shapes().SetAt(window, this);

    // A description that gives no size keeps the window's own.
    if (m_width > 0 && m_height > 0)
        ::SetWindowPos(window, nullptr, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HRGN outline = nullptr;
    if (m_region.GetSafeHandle())
    {
        // The window owns the region it is given: hand it a copy.
        outline = ::CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(outline, m_region, nullptr, RGN_COPY);
    }
    ::SetWindowRgn(window, outline, TRUE);

    m_previousProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CDialogShape::ShapeWndProc)));
    return TRUE;
}

void CDialogShape::Remove()
{
    if (!m_window)
        return;
    if (m_previousProc)
    {
        if (::IsWindow(m_window))
        {
            ::SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
            ::SetWindowRgn(m_window, nullptr, TRUE);
        }
        m_previousProc = nullptr;
    }
    Shapes().RemoveKey(m_window);
    m_window = nullptr;
}

BOOL CDialogShape::EraseBackground(CDC* dc)
{
    CRect client;
    ::GetClientRect(m_window, &client);
    if (m_backMode == BackColor)
        dc->FillSolidRect(&client, m_backColor);
    else if (m_backMode == BackPicture)
        m_backBitmap.BlitToRect(dc->GetSafeHdc(), client);
    else
        return FALSE;
    return TRUE;
}

LRESULT CALLBACK CDialogShape::ShapeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialogShape* shape = nullptr;
    if (!Shapes().Lookup(window, shape))
        return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_ERASEBKGND)
    {
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        shape->EraseBackground(&dc);
        dc.Detach();
        return 1;
    }
    return ::CallWindowProcA(shape->m_previousProc, window, message, wParam, lParam);
}
