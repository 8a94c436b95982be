#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/Dc.h"

// Copies the bitmap 1:1 from its top-left corner to the rectangle's top-left corner, cut to the
// rectangle's size; FALSE when no bitmap is given.
BOOL DrawBitmap(CDC* pDC, const CRect& rect, CBitmap* pBitmap);
// Copies the source rectangle of the bitmap to (x, y).
BOOL DrawBitmapPart(CDC* pDC, int x, int y, const CRect& source, CBitmap* pBitmap);
// Fills the rectangle with copies of the bitmap laid side by side from its top-left corner, in one
// block transfer to the target.
BOOL TileBitmap(CDC* pDC, const CRect& rect, CBitmap* pBitmap);

// An off-screen context over the target's clip box: drawing uses the target's coordinates and the
// picture is copied to the target in one piece when the object goes. A printing target is drawn on
// directly.
class CMemoryDC : public CDC
{
public:
    explicit CMemoryDC(CDC* pDC);
    ~CMemoryDC() override;
    const CRect& GetRect() const { return m_rect; }

private:
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
