#include "skin/MultiSlider.h"

#include "platform/afx/AfxDefs.h"
#include "skin/SkinBitmap.h"

namespace {

// value x numerator / denominator, truncated toward zero. Ranges can be long enough for the
// product to leave 64 bits; those few are scaled in extended precision instead.
LONGLONG Scale(LONGLONG value, LONGLONG numerator, LONGLONG denominator)
{
    LONGLONG product = 0;
    if (!__builtin_mul_overflow(value, numerator, &product))
        return product / denominator;
    return static_cast<LONGLONG>(static_cast<long double>(value) * numerator / denominator);
}

LONGLONG Clamp(LONGLONG value, LONGLONG low, LONGLONG high)
{
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

IMPLEMENT_DYNAMIC(CMultiSlider, CStatic)

BEGIN_MESSAGE_MAP(CMultiSlider, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CMultiSlider::CMultiSlider()
    : m_x(0),
      m_y(0),
      m_selectionColor(RGB(255, 255, 255)),
      m_startEdge(0),
      m_endEdge(0),
      m_middleLine(0),
      m_middleHeight(0),
      m_horizontal(TRUE),
      m_selectionStart(0),
      m_selectionEnd(0),
      m_minimum(0),
      m_maximum(100000),
      m_position(0),
      m_dragging(FALSE),
      m_anchor(0),
      m_cursor(nullptr),
      m_ownCursor(nullptr)
{
}

CMultiSlider::~CMultiSlider()
{
    if (m_ownCursor)
        ::DestroyCursor(m_ownCursor);
}

CMultiSlider* CMultiSlider::FromRecord(const SkinMultiSliderRecord& record)
{
    CMultiSlider* slider = new CMultiSlider;
    slider->SetPosition(record.position);
    slider->SetHorizontal(record.horizontal);
    if (record.cursorId)
    {
        HCURSOR shared = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(record.cursorId));
        if (shared)
            slider->m_ownCursor = static_cast<HCURSOR>(::CopyImage(shared, IMAGE_CURSOR, 0, 0, 0));
    }
    slider->SetCursor(slider->m_ownCursor);
    if (!slider->LoadPictures(record.track, record.thumb, record.startEdge, record.endEdge, record.middleLine,
                              record.middleHeight, record.transparentColor, record.transparent))
    {
        delete slider;
        return nullptr;
    }
    return slider;
}

BOOL CMultiSlider::LoadBitmaps(UINT track, UINT thumb, int startEdge, int endEdge, int middleLine, int middleHeight,
                               COLORREF transparentColor, BOOL transparent)
{
    if (!track || !thumb)
        return FALSE;
    return LoadPictures(SkinPictureResource(track), SkinPictureResource(thumb), startEdge, endEdge, middleLine,
                        middleHeight, transparentColor, transparent);
}

BOOL CMultiSlider::LoadBitmapFiles(LPCSTR track, LPCSTR thumb, int startEdge, int endEdge, int middleLine,
                                   int middleHeight, COLORREF transparentColor, BOOL transparent)
{
    return LoadPictures(SkinPictureFile(track), SkinPictureFile(thumb), startEdge, endEdge, middleLine, middleHeight,
                        transparentColor, transparent);
}

BOOL CMultiSlider::LoadPictures(const SkinPictureSource& track, const SkinPictureSource& thumb, int startEdge,
                                int endEdge, int middleLine, int middleHeight, COLORREF transparentColor,
                                BOOL transparent)
{
    if (!m_pictures.Load(track, thumb, transparentColor, transparent))
        return FALSE;
    m_startEdge = startEdge;
    m_endEdge = endEdge;
    m_middleLine = middleLine;
    m_middleHeight = middleHeight;
    return TRUE;
}

void CMultiSlider::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

BOOL CMultiSlider::SetHorizontal(BOOL horizontal)
{
    const BOOL previous = m_horizontal;
    m_horizontal = horizontal;
    return previous;
}

void CMultiSlider::Changed(BOOL redraw)
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, redraw);
}

BOOL CMultiSlider::SetRange(LONGLONG minimum, LONGLONG maximum, BOOL redraw)
{
    if (maximum < minimum)
        return FALSE;
    m_minimum = minimum;
    m_maximum = maximum;
    Changed(redraw);
    return TRUE;
}

BOOL CMultiSlider::SetSelection(LONGLONG start, LONGLONG end, BOOL redraw)
{
    if (start < m_minimum || start > m_maximum || end < m_minimum || end > m_maximum || start > end)
        return FALSE;
    m_selectionStart = start;
    m_selectionEnd = end;
    Changed(redraw);
    return TRUE;
}

BOOL CMultiSlider::SetPos(LONGLONG position, BOOL redraw)
{
    if (position < m_selectionStart || position > m_selectionEnd)
        return FALSE;
    m_position = position;
    Changed(redraw);
    return TRUE;
}

BOOL CMultiSlider::OffsetPos(LONGLONG delta, BOOL redraw)
{
    LONGLONG moved = 0;
    if (__builtin_add_overflow(m_position, delta, &moved))
        moved = delta < 0 ? m_selectionStart : m_selectionEnd;
    m_position = Clamp(moved, m_selectionStart, m_selectionEnd);
    Changed(redraw);
    return TRUE;
}

CRect CMultiSlider::GetThumbRect() const
{
    const LONGLONG span = m_maximum - m_minimum;
    const LONGLONG position = Clamp(m_position, m_selectionStart, m_selectionEnd);
    // A range narrower than 100 units is laid out as 100 units.
    const LONGLONG divisor = span >= 100 ? span : 100;
    const LONGLONG offset = Clamp(position - m_minimum, 0, divisor);
    LONGLONG along = m_startEdge + Scale(offset, m_endEdge - m_startEdge, divisor);
    if (along > m_endEdge)
        along = m_endEdge;
    const int centreX = m_horizontal ? static_cast<int>(along) : m_middleLine;
    const int centreY = m_horizontal ? m_middleLine : static_cast<int>(along);
    const SIZE thumb = m_pictures.GetThumbSize();
    const int left = centreX - thumb.cx / 2;
    const int top = centreY - thumb.cy / 2;
    return CRect(left, top, left + thumb.cx, top + thumb.cy);
}

BOOL CMultiSlider::GetSelectionRect(CRect& rect) const
{
    const LONGLONG span = m_maximum - m_minimum;
    const LONGLONG first = m_selectionStart - m_minimum;
    const LONGLONG last = m_selectionEnd - m_minimum < span ? m_selectionEnd - m_minimum : span;
    if (span <= 0 || last - first <= 0)
        return FALSE;
    const LONGLONG trackLength = m_endEdge - m_startEdge;
    const int from = static_cast<int>(m_startEdge + Scale(first, trackLength, span));
    const int length = static_cast<int>(Scale(last - first, trackLength, span));
    const int across = m_middleLine - m_middleHeight / 2;
    if (m_horizontal)
        rect = CRect(from, across, from + length, across + m_middleHeight);
    else
        rect = CRect(across, from, across + m_middleHeight, from + length);
    return TRUE;
}

void CMultiSlider::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    const SIZE track = m_pictures.GetTrackSize();
    SetWindowPos(nullptr, m_x, m_y, track.cx, track.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMultiSlider::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void CMultiSlider::Draw(CDC* dc)
{
    if (!m_pictures.IsLoaded())
        return;
    CRect client;
    GetClientRect(&client);
    CRect band;
    const BOOL hasBand = GetSelectionRect(band);
    m_pictures.Draw(dc->GetSafeHdc(), client, GetThumbRect(), hasBand ? &band : nullptr, m_selectionColor);
}

BOOL CMultiSlider::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMultiSlider::NotifyPlaced()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_HSCROLL, PlacedNotification, reinterpret_cast<LPARAM>(this));
}

void CMultiSlider::OnLButtonDown(UINT, CPoint point)
{
    m_dragging = FALSE;
    if (GetThumbRect().PtInRect(point))
    {
        m_dragging = TRUE;
        SetCapture();
        m_anchor = AlongTrack(point);
    }
    Default();
}

void CMultiSlider::OnMouseMove(UINT, CPoint point)
{
    if (m_dragging)
    {
        const int delta = AlongTrack(point) - m_anchor;
        if (delta != 0 && m_pictures.GetTrackSize().cx && HasTrackLength() &&
            OffsetPos(Scale(delta, m_maximum - m_minimum, m_endEdge - m_startEdge), TRUE))
            m_anchor = AlongTrack(point);
    }
    Default();
}

void CMultiSlider::OnLButtonUp(UINT, CPoint point)
{
    ::ReleaseCapture();
    if (m_dragging)
    {
        NotifyPlaced();
        m_dragging = FALSE;
    }
    else
    {
        // A click into the band places the thumb there; the parent sees it as a drag.
        m_dragging = TRUE;
        CRect band;
        if (HasTrackLength() && GetSelectionRect(band))
        {
            CPoint onLine = point;
            if (m_horizontal)
                onLine.y = m_middleLine;
            else
                onLine.x = m_middleLine;
            if (band.PtInRect(onLine))
            {
                const LONGLONG along = Clamp(AlongTrack(point), m_startEdge, m_endEdge);
                const LONGLONG position =
                    m_minimum + Scale(along - m_startEdge, m_maximum - m_minimum, m_endEdge - m_startEdge);
                if (SetPos(position, TRUE))
                    NotifyPlaced();
            }
        }
        m_dragging = FALSE;
    }
    Default();
}

BOOL CMultiSlider::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!m_cursor)
        return FALSE;
    ::SetCursor(m_cursor);
    return TRUE;
}
