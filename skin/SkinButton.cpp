#include "skin/SkinButton.h"

#include "skin/SkinBitmap.h"
#include "skin/SkinRegion.h"

IMPLEMENT_DYNAMIC(CSkinButton, CButton)

BEGIN_MESSAGE_MAP(CSkinButton, CButton)
ON_WM_ENABLE()
ON_WM_ERASEBKGND()
ON_WM_KILLFOCUS()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

BOOL CSkinButton::s_pressPending = FALSE;

CSkinButton::CSkinButton()
    : m_checked(0),
      m_toggle(FALSE),
      m_x(0),
      m_y(0),
      m_width(0),
      m_height(0),
      m_currentState(-1),
      m_pressed(FALSE),
      m_transparent(FALSE),
      m_transparentColor(0)
{
}

CSkinButton::~CSkinButton()
{
}

CSkinButton* CSkinButton::FromRecord(const SkinButtonRecord& record)
{
    CSkinButton* button = new CSkinButton;
    button->SetToggle(record.toggle);
    button->SetPosition(record.position);
    if (!button->LoadPictures(record.pictures, record.transparentColor, record.transparent))
    {
        delete button;
        return nullptr;
    }
    return button;
}

BOOL CSkinButton::LoadBitmaps(UINT hover, UINT normal, UINT pressed, UINT disabled, COLORREF transparentColor,
                              BOOL transparent)
{
    if (!hover || !normal || !pressed || !disabled)
        return FALSE;
    const SkinPictureSource sources[StateCount] = { SkinPictureResource(hover), SkinPictureResource(normal),
                                                    SkinPictureResource(pressed), SkinPictureResource(disabled) };
    return LoadPictures(sources, transparentColor, transparent);
}

BOOL CSkinButton::LoadBitmapFiles(LPCSTR hover, LPCSTR normal, LPCSTR pressed, LPCSTR disabled,
                                  COLORREF transparentColor, BOOL transparent)
{
    const SkinPictureSource sources[StateCount] = { SkinPictureFile(hover), SkinPictureFile(normal),
                                                    SkinPictureFile(pressed), SkinPictureFile(disabled) };
    return LoadPictures(sources, transparentColor, transparent);
}

BOOL CSkinButton::LoadPictures(const SkinPictureSource (&sources)[StateCount], COLORREF transparentColor,
                               BOOL transparent)
{
    CBitmap* const bitmaps[StateCount] = { &m_bitmaps[0], &m_bitmaps[1], &m_bitmaps[2], &m_bitmaps[3] };
    if (!LoadSkinPictures(bitmaps, sources, StateCount))
        return FALSE;
    m_transparent = transparent;
    m_transparentColor = transparentColor;
    return UpdateSizeAndRegion();
}

BOOL CSkinButton::UpdateSizeAndRegion()
{
    BITMAP info = {};
    m_bitmaps[StateHover].GetBitmap(&info);
    m_width = info.bmWidth;
    m_height = info.bmHeight;
    if (!m_transparent)
        return TRUE;
    return CreateSkinRegion(m_region, m_bitmaps[StateNormal], m_transparentColor);
}

void CSkinButton::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

CSkinButton& CSkinButton::SetToggle(BOOL toggle)
{
    m_toggle = toggle;
    return *this;
}

int CSkinButton::SetCheck(int check)
{
    const int previous = m_checked;
    m_checked = check;
    return previous;
}

void CSkinButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
    SetWindowPos(nullptr, m_x, m_y, m_width, m_height, SWP_NOZORDER | SWP_NOACTIVATE);
    // A rectangular button drops the outline an earlier skin may have cut it to.
    HRGN shape = nullptr;
    if (m_transparent && m_region.GetSafeHandle())
    {
        // The window owns the region it is given: hand it a copy.
        shape = ::CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(shape, m_region, nullptr, RGN_COPY);
    }
    ::SetWindowRgn(m_hWnd, shape, FALSE);
    if (m_toggle)
        m_checked = static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void CSkinButton::DrawState(int state)
{
    if (state < 0 || state >= StateCount)
        return;
    // A checked two-state button rests on its pressed picture.
    if (m_toggle && m_checked && state == StateNormal)
        state = StatePressed;
    if (state == m_currentState || !m_bitmaps[state].GetSafeHandle())
        return;
    HDC windowDc = ::GetDC(m_hWnd);
    HDC memory = ::CreateCompatibleDC(windowDc);
    HGDIOBJ old = ::SelectObject(memory, m_bitmaps[state]);
    ::BitBlt(windowDc, 0, 0, m_width, m_height, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(m_hWnd, windowDc);
    m_currentState = state;
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    m_currentState = -1;
    if (drawItem->itemState & ODS_DISABLED)
        DrawState(StateDisabled);
    else if (drawItem->itemState & ODS_SELECTED)
        DrawState(StatePressed);
    else
        DrawState(StateNormal);
}

void CSkinButton::OnEnable(BOOL enable)
{
    Default();
    DrawState(enable ? StateNormal : StateDisabled);
}

BOOL CSkinButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSkinButton::OnKillFocus(CWnd*)
{
    Default();
    DrawState(StateNormal);
}

void CSkinButton::OnMouseMove(UINT, CPoint)
{
    Default();
    if (!m_pressed && !m_checked)
        DrawState(StateHover);
    TRACKMOUSEEVENT track = { sizeof track, TME_LEAVE, m_hWnd, HOVER_DEFAULT };
    ::TrackMouseEvent(&track);
}

void CSkinButton::OnMouseLeave()
{
    DrawState(StateNormal);
}

LRESULT CSkinButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A double click is a second press, so it gives a second click.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    if (message == WM_LBUTTONDOWN)
    {
        s_pressPending = TRUE;
        m_pressed = TRUE;
    }
    else if (message == WM_LBUTTONUP)
    {
        if (s_pressPending && m_toggle)
        {
            s_pressPending = FALSE;
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            const POINT release = { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
            if (::PtInRect(&client, release))
                m_checked = !m_checked;
        }
        m_pressed = FALSE;
    }
    return CButton::DefWindowProc(message, wParam, lParam);
}
