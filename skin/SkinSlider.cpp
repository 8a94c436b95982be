#include "skin/SkinSlider.h"

#include "skin/SkinBitmap.h"

IMPLEMENT_DYNAMIC(CSkinSlider, CSliderCtrl)

BEGIN_MESSAGE_MAP(CSkinSlider, CSliderCtrl)
ON_WM_PAINT()
END_MESSAGE_MAP()

CSkinSlider::CSkinSlider() : m_x(0), m_y(0), m_horizontal(TRUE)
{
}

CSkinSlider::~CSkinSlider()
{
}

CSkinSlider* CSkinSlider::FromRecord(const SkinSliderRecord& record)
{
    CSkinSlider* slider = new CSkinSlider;
    slider->SetPosition(record.position);
    slider->SetHorizontal(record.horizontal);
    if (!slider->m_pictures.Load(record.track, record.thumb, record.transparentColor, record.transparent))
    {
        delete slider;
        return nullptr;
    }
    return slider;
}

BOOL CSkinSlider::LoadBitmaps(UINT track, UINT thumb, COLORREF transparentColor, BOOL transparent)
{
    if (!track || !thumb)
        return FALSE;
    return m_pictures.Load(SkinPictureResource(track), SkinPictureResource(thumb), transparentColor, transparent);
}

BOOL CSkinSlider::LoadBitmapFiles(LPCSTR track, LPCSTR thumb, COLORREF transparentColor, BOOL transparent)
{
    return m_pictures.Load(SkinPictureFile(track), SkinPictureFile(thumb), transparentColor, transparent);
}

void CSkinSlider::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

BOOL CSkinSlider::SetHorizontal(BOOL horizontal)
{
    const BOOL previous = m_horizontal;
    m_horizontal = horizontal;
    return previous;
}

int CSkinSlider::SetThumbLength(int length)
{
    CSliderCtrl::SetThumbLength(length);
    return GetThumbLength();
}

void CSkinSlider::PreSubclassWindow()
{
    CSliderCtrl::PreSubclassWindow();
    ModifyStyle(0, TBS_FIXEDLENGTH);
    if (m_horizontal)
        ModifyStyle(TBS_VERT, 0);
    else
        ModifyStyle(0, TBS_VERT);
    // The track bar lays out its channel when it is sized: size it once its direction is set.
    const SIZE track = m_pictures.GetTrackSize();
    SetWindowPos(nullptr, m_x, m_y, track.cx, track.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSkinSlider::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void CSkinSlider::Draw(CDC* dc)
{
    if (!m_pictures.IsLoaded())
        return;
    CRect client;
    GetClientRect(&client);
    CRect thumb;
    GetThumbRect(&thumb);
    m_pictures.Draw(dc->GetSafeHdc(), client, thumb, nullptr, 0);
}
