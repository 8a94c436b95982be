#include "foundation/Picture.h"

#include <string.h>

#include <vector>

CPicture::CPicture()
{
    m_size.cx = m_size.cy = 0;
}

CPicture::~CPicture()
{
}

BOOL CPicture::LoadFromResource(UINT resourceId, const char* resourceType, HMODULE module, COLORREF background)
{
    if (GetSafeHandle())
        return FALSE;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), resourceType);
    if (!found)
        return FALSE;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : NULL;
    const DWORD size = SizeofResource(module, found);
    if (!data || !size)
        return FALSE;
    return LoadFromBytes(data, size, background);
}

BOOL CPicture::LoadFromFile(const char* path, COLORREF background)
{
    if (GetSafeHandle() || !path)
        return FALSE;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    std::vector<BYTE> bytes;
    const DWORD size = GetFileSize(file, NULL);
    BOOL read = size != INVALID_FILE_SIZE && size > 0;
    if (read)
    {
        bytes.resize(size);
        DWORD done = 0;
        read = ReadFile(file, bytes.data(), size, &done, NULL) && done == size;
    }
    CloseHandle(file);
    return read && LoadFromBytes(bytes.data(), size, background);
}

BOOL CPicture::LoadFromBytes(const void* data, DWORD size, COLORREF background)
{
    if (GetSafeHandle() || !data || !size)
        return FALSE;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return FALSE;
    void* copy = GlobalLock(block);
    if (!copy)
    {
        GlobalFree(block);
        return FALSE;
    }
    memcpy(copy, data, size);
    GlobalUnlock(block);
    ComPtr<IStream> stream;
    // The stream frees the block when it goes.
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)))
    {
        GlobalFree(block);
        return FALSE;
    }
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream, (LONG)size, FALSE, IID_IPicture, (void**)&picture)) || !picture)
        return FALSE;
    m_picture = picture;
    return Render(background);
}

BOOL CPicture::Render(COLORREF background)
{
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    if (FAILED(m_picture->get_Width(&himetricWidth)) || FAILED(m_picture->get_Height(&himetricHeight)))
        return FALSE;
    HDC screen = GetDC(NULL);
    if (!screen)
        return FALSE;
    const int width = MulDiv(himetricWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int height = MulDiv(himetricHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    BOOL made = FALSE;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = width > 0 && height > 0 ? ::CreateCompatibleBitmap(screen, width, height) : NULL;
    if (memory && bitmap)
    {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (background != (COLORREF)-1)
        {
            HBRUSH brush = CreateSolidBrush(background);
            RECT all = { 0, 0, width, height };
            FillRect(memory, &all, brush);
            ::DeleteObject(brush);
        }
        made = SUCCEEDED(
            m_picture->Render(memory, 0, 0, width, height, 0, himetricHeight, himetricWidth, -himetricHeight, NULL));
        SelectObject(memory, old);
    }
    if (memory)
        DeleteDC(memory);
    ReleaseDC(NULL, screen);
    if (!made)
    {
        if (bitmap)
            ::DeleteObject(bitmap);
        return FALSE;
    }
    Attach(bitmap);
    m_size.cx = width;
    m_size.cy = height;
    return TRUE;
}
