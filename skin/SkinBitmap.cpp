#include "skin/SkinBitmap.h"

namespace {

BOOL LoadBitmapFile(CBitmap& bitmap, LPCSTR path)
{
    HANDLE loaded = ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    return loaded && bitmap.Attach(loaded);
}

}  // namespace

CSkinBitmap::CSkinBitmap()
{
}

CSkinBitmap::~CSkinBitmap()
{
}

BOOL CSkinBitmap::LoadFromFile(LPCSTR path)
{
    return path && LoadBitmapFile(*this, path);
}

int CSkinBitmap::GetWidth() const
{
    BITMAP info = {};
    return GetBitmap(&info) ? info.bmWidth : 0;
}

int CSkinBitmap::GetHeight() const
{
    BITMAP info = {};
    return GetBitmap(&info) ? info.bmHeight : 0;
}

BOOL CSkinBitmap::BlitToRect(HDC dc, const RECT& rect) const
{
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, m_hObject);
    ::BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return TRUE;
}

BOOL CSkinBitmap::Draw(HDC dc, const RECT* destination, const RECT* source) const
{
    if (!destination)
        return FALSE;
    RECT whole = { 0, 0, GetWidth(), GetHeight() };
    if (!source)
        source = &whole;
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, m_hObject);
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    const BOOL drawn = ::StretchBlt(dc, destination->left, destination->top, destination->right - destination->left,
                                    destination->bottom - destination->top, memory, source->left, source->top,
                                    source->right - source->left, source->bottom - source->top, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return drawn;
}

BOOL LoadSkinPicture(CBitmap& bitmap, const SkinPictureSource& source)
{
    if (source.fromFile)
        return LoadBitmapFile(bitmap, source.path);
    // LoadBitmap attaches only what it loaded, so a failure keeps the old bitmap.
    return source.resourceId != 0 && bitmap.LoadBitmap(source.resourceId);
}

BOOL LoadSkinPictures(CBitmap* const* bitmaps, const SkinPictureSource* sources, int count)
{
    for (int i = 0; i < count; ++i)
        bitmaps[i]->DeleteObject();
    for (int i = 0; i < count; ++i)
    {
        if (!LoadSkinPicture(*bitmaps[i], sources[i]))
            return FALSE;
    }
    return TRUE;
}

SkinPictureSource SkinPictureFile(LPCSTR path)
{
    SkinPictureSource source;
    source.fromFile = TRUE;
    source.path = path;
    return source;
}

SkinPictureSource SkinPictureResource(UINT resourceId)
{
    SkinPictureSource source;
    source.resourceId = resourceId;
    return source;
}
