#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/CommonControls.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Rgn.h"
#include "skin/SkinRecords.h"
#include "skin/SliderPictures.h"

// A track bar of a skinned dialog that paints itself from a track picture and a thumb picture and
// otherwise behaves as the system's track bar (range, keys, mouse, notifications).
class CSkinSlider : public CSliderCtrl
{
    DECLARE_DYNAMIC(CSkinSlider)
public:
    CSkinSlider();
    ~CSkinSlider() override;

    // The slider a skin section describes, its pictures loaded; null when a picture does not load.
    static CSkinSlider* FromRecord(const SkinSliderRecord& record);

    // Identifiers of the current resource module; neither may be 0.
    BOOL LoadBitmaps(UINT track, UINT thumb, COLORREF transparentColor, BOOL transparent);
    BOOL LoadBitmapFiles(LPCSTR track, LPCSTR thumb, COLORREF transparentColor, BOOL transparent);
    // Sizes from the pictures; with the transparent flag, the thumb's shape.
    BOOL UpdateSizeAndRegion() { return m_pictures.UpdateSizeAndRegion(); }

    void SetPosition(int x, int y);
    void SetPosition(POINT point) { SetPosition(point.x, point.y); }
    BOOL SetHorizontal(BOOL horizontal);
    int SetThumbLength(int length);

protected:
    void PreSubclassWindow() override;
    virtual void Draw(CDC* dc);

    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    int m_x;
    int m_y;
    BOOL m_horizontal;
    CSliderPictures m_pictures;
};
