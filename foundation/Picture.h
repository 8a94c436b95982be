#pragma once
#include <windows.h>
#include <olectl.h>

#include "platform/afx/Bitmap.h"
#include "platform/dshow/ComPtr.h"

// A GDI bitmap made from an image file or resource through OLE's picture loader (BMP, JPEG, GIF,
// icons, metafiles); the OLE picture it came from is kept with it.
class CPicture : public CBitmap
{
public:
    CPicture();
    virtual ~CPicture();

    // background: the colour under transparent parts, or (COLORREF)-1 for none. Nothing is loaded
    // (FALSE) when the object already holds a bitmap.
    BOOL LoadFromResource(UINT resourceId, const char* resourceType, HMODULE module,
                          COLORREF background = (COLORREF)-1);
    BOOL LoadFromFile(const char* path, COLORREF background = (COLORREF)-1);
    BOOL LoadFromBytes(const void* data, DWORD size, COLORREF background = (COLORREF)-1);

    IPicture* GetPicture() const { return m_picture; }
    SIZE GetSize() const { return m_size; }

private:
    BOOL Render(COLORREF background);

    ComPtr<IPicture> m_picture;
    SIZE m_size;
};
