#include "skin/SkinSlider.h"

#include "skin/SkinBitmap.h"
#include "skin/SkinRegion.h"
#include "skin/SliderFace.h"

IMPLEMENT_DYNAMIC(CSkinSlider, CSliderCtrl)

BEGIN_MESSAGE_MAP(CSkinSlider, CSliderCtrl)
ON_WM_PAINT()
END_MESSAGE_MAP()

CSkinSlider::CSkinSlider()
    : m_x(0),
      m_y(0),
      m_transparent(FALSE),
      m_transparentColor(0),
      m_trackWidth(0),
      m_trackHeight(0),
      m_thumbWidth(0),
      m_thumbHeight(0),
      m_horizontal(TRUE)
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
    if (!slider->LoadPictures(record.track, record.thumb, record.transparentColor, record.transparent))
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
    return LoadPictures(SkinPictureResource(track), SkinPictureResource(thumb), transparentColor, transparent);
}

BOOL CSkinSlider::LoadBitmapFiles(LPCSTR track, LPCSTR thumb, COLORREF transparentColor, BOOL transparent)
{
    return LoadPictures(SkinPictureFile(track), SkinPictureFile(thumb), transparentColor, transparent);
}

BOOL CSkinSlider::LoadPictures(const SkinPictureSource& track, const SkinPictureSource& thumb,
                               COLORREF transparentColor, BOOL transparent)
{
    CBitmap* const bitmaps[] = { &m_track, &m_thumb };
    const SkinPictureSource sources[] = { track, thumb };
    if (!LoadSkinPictures(bitmaps, sources, 2))
        return FALSE;
    m_transparent = transparent;
    m_transparentColor = transparentColor;
    return UpdateSizeAndRegion();
}

BOOL CSkinSlider::UpdateSizeAndRegion()
{
    BITMAP info = {};
    m_track.GetBitmap(&info);
    m_trackWidth = info.bmWidth;
    m_trackHeight = info.bmHeight;
    m_thumb.GetBitmap(&info);
    m_thumbWidth = info.bmWidth;
    m_thumbHeight = info.bmHeight;
    if (!m_transparent)
    {
        m_region.DeleteObject();
        return TRUE;
    }
    return CreateSkinRegion(m_region, m_thumb, m_transparentColor);
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
    SetWindowPos(nullptr, m_x, m_y, m_trackWidth, m_trackHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSkinSlider::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void CSkinSlider::Draw(CDC* dc)
{
    if (!m_track.GetSafeHandle() || !m_thumb.GetSafeHandle())
        return;
    CRect client;
    GetClientRect(&client);
    SliderFace face = {};
    face.track = m_track;
    face.thumb = m_thumb;
    face.thumbShape = static_cast<HRGN>(m_region.GetSafeHandle());
    GetThumbRect(&face.thumbRect);
    DrawSliderFace(dc->GetSafeHdc(), client, face);
}
