#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/Rgn.h"
#include "skin/SkinRecords.h"

// The two pictures of a skinned slider, the track and the thumb, with their sizes and, for a thumb
// drawn through the shape of its non-transparent pixels, that shape.
class CSliderPictures
{
public:
    CSliderPictures();

    // Either picture failing to load fails the whole.
    BOOL Load(const SkinPictureSource& track, const SkinPictureSource& thumb, COLORREF transparentColor,
              BOOL transparent);
    // Sizes from the pictures; with the transparent flag, the thumb's shape.
    BOOL UpdateSizeAndRegion();
    BOOL IsLoaded() const { return m_track.GetSafeHandle() && m_thumb.GetSafeHandle(); }
    SIZE GetTrackSize() const { return m_trackSize; }
    SIZE GetThumbSize() const { return m_thumbSize; }

    // Puts the slider together off screen and copies it to the window at once: the track, the band
    // (when given) in its colour, and the thumb at its rectangle, cut to its shape.
    void Draw(HDC target, const RECT& client, const RECT& thumbRect, const RECT* band, COLORREF bandColor);

private:
    BOOL m_transparent;
    COLORREF m_transparentColor;
    CRgn m_region;
    SIZE m_trackSize;
    SIZE m_thumbSize;
    CBitmap m_track;
    CBitmap m_thumb;
};
