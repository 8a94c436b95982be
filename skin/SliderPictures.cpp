#include "skin/SliderPictures.h"

#include "skin/SkinBitmap.h"
#include "skin/SkinRegion.h"

namespace {

SIZE BitmapSize(const CBitmap& bitmap)
{
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    const SIZE size = { info.bmWidth, info.bmHeight };
    return size;
}

void CopyBitmap(HDC target, int x, int y, const CBitmap& bitmap)
{
    const SIZE size = BitmapSize(bitmap);
    HDC memory = ::CreateCompatibleDC(target);
    HGDIOBJ old = ::SelectObject(memory, bitmap.m_hObject);
    ::BitBlt(target, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

}  // namespace

CSliderPictures::CSliderPictures() : m_transparent(FALSE), m_transparentColor(0), m_trackSize(), m_thumbSize()
{
}

BOOL CSliderPictures::Load(const SkinPictureSource& track, const SkinPictureSource& thumb, COLORREF transparentColor,
                           BOOL transparent)
{
    CBitmap* const bitmaps[] = { &m_track, &m_thumb };
    const SkinPictureSource sources[] = { track, thumb };
    if (!LoadSkinPictures(bitmaps, sources, 2))
        return FALSE;
    m_transparent = transparent;
    m_transparentColor = transparentColor;
    return UpdateSizeAndRegion();
}

BOOL CSliderPictures::UpdateSizeAndRegion()
{
    m_trackSize = BitmapSize(m_track);
    m_thumbSize = BitmapSize(m_thumb);
    if (!m_transparent)
    {
        m_region.DeleteObject();
        return TRUE;
    }
    return CreateSkinRegion(m_region, m_thumb, m_transparentColor);
}

void CSliderPictures::Draw(HDC target, const RECT& client, const RECT& thumbRect, const RECT* band, COLORREF bandColor)
{
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    HDC back = ::CreateCompatibleDC(target);
    HBITMAP buffer = ::CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldBuffer = ::SelectObject(back, buffer);

    CopyBitmap(back, 0, 0, m_track);
    if (band)
    {
        HBRUSH brush = ::CreateSolidBrush(bandColor);
        ::FillRect(back, band, brush);
        ::DeleteObject(brush);
    }
    HRGN shape = static_cast<HRGN>(m_region.GetSafeHandle());
    if (shape)
    {
        // The shape follows the thumb to wherever it stands, then goes back to the picture's origin.
        ::OffsetRgn(shape, thumbRect.left, thumbRect.top);
        ::SelectClipRgn(back, shape);
    }
    CopyBitmap(back, thumbRect.left, thumbRect.top, m_thumb);
    ::BitBlt(target, 0, 0, width, height, back, 0, 0, SRCCOPY);
    if (shape)
        ::OffsetRgn(shape, -thumbRect.left, -thumbRect.top);

    ::SelectClipRgn(back, nullptr);
    ::SelectObject(back, oldBuffer);
    ::DeleteObject(buffer);
    ::DeleteDC(back);
}
