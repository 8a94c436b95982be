#pragma once
#include "foundation/Picture.h"
#include "skin/SkinRecords.h"

// A skin picture: a GDI bitmap loaded from a bitmap file, or from a bitmap resource of the
// current resource module through the inherited LoadBitmap.
class CSkinBitmap : public CPicture
{
public:
    CSkinBitmap();
    ~CSkinBitmap() override;

    // The old bitmap is kept when the file does not load.
    BOOL LoadFromFile(LPCSTR path);
    int GetWidth() const;
    int GetHeight() const;
    // Copies the bitmap unscaled from its top-left pixel into the rectangle, cut to its size.
    BOOL BlitToRect(HDC dc, const RECT& rect) const;
    // Stretches the source rectangle (null: the whole bitmap) onto the destination.
    BOOL Draw(HDC dc, const RECT* destination, const RECT* source) const;
};

// Loads a skin picture from where its record says. A missing file and a resource the resource
// module lacks both fail, leaving the bitmap as it was.
BOOL LoadSkinPicture(CBitmap& bitmap, const SkinPictureSource& source);
// Empties every bitmap, then loads each from its source in order; FALSE at the first picture that
// does not load.
BOOL LoadSkinPictures(CBitmap* const* bitmaps, const SkinPictureSource* sources, int count);

SkinPictureSource SkinPictureFile(LPCSTR path);
SkinPictureSource SkinPictureResource(UINT resourceId);
