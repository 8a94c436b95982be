#include "skin/NewMenuIcons.h"

#include <algorithm>
#include <cstring>

#include "skin/MenuColors.h"

IMPLEMENT_DYNAMIC(CNewMenuIcons, CObject)
IMPLEMENT_DYNAMIC(CNewMenuBitmaps, CNewMenuIcons)

namespace {

// Constant-initialised: usable from any static object's constructor or destructor.
CPtrList* g_pMenuIconLists = nullptr;

const LPCSTR kToolBarType = MAKEINTRESOURCEA(241);
const UINT kListFlags = ILC_MASK | ILC_COLORDDB;

// The module that holds the resource: the resource module, else the program.
HMODULE ResolveModule(LPCSTR lpszResourceName, LPCSTR lpszType)
{
    HMODULE hModule = AfxFindResourceHandle(lpszResourceName, lpszType);
    if (!::FindResourceA(hModule, lpszResourceName, lpszType) && hModule != AfxGetInstanceHandle())
        hModule = AfxGetInstanceHandle();
    return hModule;
}

COLORREF MaskColour(COLORREF crMask)
{
    return crMask == CLR_DEFAULT ? ::GetSysColor(COLOR_BTNFACE) : crMask;
}

COLORREF ShadedPixel(COLORREF color)
{
    return DarkenColor(50, color);
}

COLORREF DisabledPixel(COLORREF color)
{
    return MixColor86(LightenColor(100, GrayColor(color)), GetMenuColor());
}

int ColourCount(const BITMAPINFOHEADER* header)
{
    if (header->biClrUsed)
        return static_cast<int>(header->biClrUsed);
    switch (header->biBitCount)
    {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

CSize IconColourSize(HICON hIcon)
{
    ICONINFO info = {};
    CSize size;
    if (::GetIconInfo(hIcon, &info))
    {
        BITMAP bitmap = {};
        if (::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap))
            size = CSize(bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
    return size;
}

}  // namespace

CPtrList* AFXAPI GetMenuIconLists(BOOL bCreate)
{
    if (!g_pMenuIconLists && bCreate)
        g_pMenuIconLists = new CPtrList(10);
    return g_pMenuIconLists;
}

void AFXAPI DeleteMenuIconLists()
{
    if (!g_pMenuIconLists)
        return;
    while (!g_pMenuIconLists->IsEmpty())
        delete static_cast<CNewMenuIcons*>(g_pMenuIconLists->RemoveHead());
    delete g_pMenuIconLists;
    g_pMenuIconLists = nullptr;
}

CNewMenuIcons::CNewMenuIcons()
    : m_lpszResourceName(NULL), m_hInst(NULL), m_nColors(0), m_crMask(CLR_DEFAULT), m_dwRefCount(0)
{
}

CNewMenuIcons::~CNewMenuIcons()
{
    SetResourceName(NULL);
}

int CNewMenuIcons::AddRef()
{
    return ++m_dwRefCount;
}

int CNewMenuIcons::Release()
{
    const int count = --m_dwRefCount;
    if (count == 0)
    {
        if (CPtrList* pLists = GetMenuIconLists(FALSE))
            if (POSITION pos = pLists->Find(this))
                pLists->RemoveAt(pos);
        delete this;
    }
    return count;
}

void CNewMenuIcons::SetResourceName(LPCSTR lpszResourceName)
{
    if (m_lpszResourceName && !IS_INTRESOURCE(m_lpszResourceName))
        delete[] m_lpszResourceName;
    m_lpszResourceName = lpszResourceName;
    if (lpszResourceName && !IS_INTRESOURCE(lpszResourceName))
    {
        char* copy = new char[std::strlen(lpszResourceName) + 1];
        std::strcpy(copy, lpszResourceName);
        m_lpszResourceName = copy;
    }
}

BOOL CNewMenuIcons::MatchesResource(LPCSTR lpszResourceName, HMODULE hInst)
{
    if (hInst != m_hInst || !lpszResourceName || !m_lpszResourceName)
        return FALSE;
    if (IS_INTRESOURCE(lpszResourceName) || IS_INTRESOURCE(m_lpszResourceName))
        return lpszResourceName == m_lpszResourceName;
    return std::strcmp(lpszResourceName, m_lpszResourceName) == 0;
}

BOOL CNewMenuIcons::MatchesToolBarData(const WORD* pToolBarData, COLORREF crMask)
{
    return pToolBarData && crMask == m_crMask && MatchesResource(MAKEINTRESOURCEA(pToolBarData[0]), m_hInst);
}

int CNewMenuIcons::FindImageIndex(UINT nID)
{
    for (INT_PTR i = m_IDs.GetSize() - 1; i >= 0; --i)
        if (m_IDs[i] == nID)
            return static_cast<int>(i) * 3;
    return -1;
}

CSize CNewMenuIcons::GetIconSize() const
{
    int cx = 0;
    int cy = 0;
    if (!m_IconsList.GetSafeHandle() || !ImageList_GetIconSize(m_IconsList.GetSafeHandle(), &cx, &cy))
        return CSize(0, 0);
    return CSize(cx, cy);
}

void CNewMenuIcons::ResetImageList(int cx, int cy)
{
    m_IconsList.DeleteImageList();
    m_IconsList.Create(cx, cy, kListFlags, 0, 10);
}

BOOL CNewMenuIcons::LoadBitmap(int nWidth, int nHeight, LPCSTR lpszResourceName, HMODULE hInst)
{
    HMODULE hModule = hInst ? hInst : ResolveModule(lpszResourceName, RT_BITMAP);
    HRSRC hResource = ::FindResourceA(hModule, lpszResourceName, RT_BITMAP);
    HGLOBAL hData = hResource ? ::LoadResource(hModule, hResource) : NULL;
    const BITMAPINFOHEADER* header = hData ? static_cast<const BITMAPINFOHEADER*>(::LockResource(hData)) : nullptr;
    if (!header)
        return FALSE;
    m_nColors = ColourCount(header);
    // Button pictures are drawn in the standard greys, which stand for the system colours.
    HBITMAP hBitmap = (m_nColors == 16 && IS_INTRESOURCE(lpszResourceName))
                          ? ::CreateMappedBitmap(hModule, reinterpret_cast<INT_PTR>(lpszResourceName), 0, NULL, 0)
                          : ::LoadBitmapA(hModule, lpszResourceName);
    if (!hBitmap)
        return FALSE;
    ResetImageList(nWidth, nHeight);
    ImageList_AddMasked(m_IconsList.GetSafeHandle(), hBitmap, MaskColour(m_crMask));
    ::DeleteObject(hBitmap);
    return TRUE;
}

BOOL CNewMenuIcons::LoadToolBar(LPCSTR lpszResourceName, HMODULE hInst)
{
    SetResourceName(lpszResourceName);
    m_hInst = hInst;
    HMODULE hModule = hInst ? hInst : ResolveModule(lpszResourceName, kToolBarType);
    HRSRC hResource = ::FindResourceA(hModule, lpszResourceName, kToolBarType);
    HGLOBAL hData = hResource ? ::LoadResource(hModule, hResource) : NULL;
    const WORD* data = hData ? static_cast<const WORD*>(::LockResource(hData)) : nullptr;
    if (!data || ::SizeofResource(hModule, hResource) < 4 * sizeof(WORD))
        return FALSE;
    const int count = std::min<int>(data[3], ::SizeofResource(hModule, hResource) / sizeof(WORD) - 4);
    BOOL bResult = FALSE;
    if (LoadBitmap(data[1], data[2], lpszResourceName, hModule))
    {
        m_IDs.RemoveAll();
        for (int i = 0; i < count; ++i)
            if (data[4 + i])
                m_IDs.Add(data[4 + i]);
        bResult = m_IDs.GetSize() > 0;
    }
    ::FreeResource(hData);
    MakeVariants();
    return bResult;
}

BOOL CNewMenuIcons::LoadToolBarData(const WORD* pToolBarData, COLORREF crMask)
{
    if (!pToolBarData)
        return FALSE;
    m_crMask = crMask;
    SetResourceName(MAKEINTRESOURCEA(pToolBarData[0]));
    const int count = pToolBarData[1];
    if (!LoadBitmap(16, 15, m_lpszResourceName, m_hInst))
        return FALSE;
    m_IDs.RemoveAll();
    for (int i = 0; i < count; ++i)
        if (pToolBarData[2 + i])
            m_IDs.Add(pToolBarData[2 + i]);
    MakeVariants();
    return m_IDs.GetSize() > 0;
}

void CNewMenuIcons::Reload()
{
    const CSize size = GetIconSize();
    if (!m_lpszResourceName || size.cx <= 0)
        return;
    if (LoadBitmap(size.cx, size.cy, m_lpszResourceName, m_hInst))
        MakeVariants();
}

void CNewMenuIcons::MakeVariants()
{
    HIMAGELIST hOld = m_IconsList.GetSafeHandle();
    if (!hOld || ImageList_GetImageCount(hOld) == 0)
        return;
    CImageList old;
    old.Attach(m_IconsList.Detach());
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(hOld, &cx, &cy);
    ResetImageList(cx, cy);
    for (int i = 0; i < old.GetImageCount(); ++i)
    {
        HICON hIcon = old.ExtractIcon(i);
        m_IconsList.Add(hIcon);
        AddShadedImage(hIcon);
        AddDisabledImage(hIcon);
        ::DestroyIcon(hIcon);
    }
}

HICON CNewMenuIcons::RecolourIcon(HICON hIcon, COLORREF (*pfnRecolour)(COLORREF))
{
    ICONINFO info = {};
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return NULL;
    HICON hResult = NULL;
    BITMAP bitmap = {};
    if (info.hbmColor && ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap))
    {
        HDC hColor = ::CreateCompatibleDC(NULL);
        HDC hMask = ::CreateCompatibleDC(NULL);
        HGDIOBJ oldColor = ::SelectObject(hColor, info.hbmColor);
        HGDIOBJ oldMask = ::SelectObject(hMask, info.hbmMask);
        // Pixels the mask hides stay black, or the icon would paint them over the background.
        for (int y = 0; y < bitmap.bmHeight; ++y)
            for (int x = 0; x < bitmap.bmWidth; ++x)
                if (::GetPixel(hMask, x, y) == RGB(0, 0, 0))
                    ::SetPixelV(hColor, x, y, pfnRecolour(::GetPixel(hColor, x, y)));
        ::SelectObject(hColor, oldColor);
        ::SelectObject(hMask, oldMask);
        ::DeleteDC(hColor);
        ::DeleteDC(hMask);
        hResult = ::CreateIconIndirect(&info);
    }
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return hResult;
}

int CNewMenuIcons::PutImage(HICON hIcon, int index)
{
    if (!hIcon)
        return -1;
    const int result = m_IconsList.Replace(index, hIcon);
    ::DestroyIcon(hIcon);
    return result;
}

int CNewMenuIcons::AddShadedImage(HICON hIcon, int index)
{
    return PutImage(RecolourIcon(hIcon, &ShadedPixel), index);
}

int CNewMenuIcons::AddDisabledImage(HICON hIcon, int index)
{
    return PutImage(RecolourIcon(hIcon, &DisabledPixel), index);
}

CNewMenuBitmaps::CNewMenuBitmaps()
{
}

CNewMenuBitmaps::~CNewMenuBitmaps()
{
}

void CNewMenuBitmaps::Reload()
{
    for (INT_PTR k = 0; k < m_IDs.GetSize(); ++k)
    {
        const int normal = static_cast<int>(k) * 3;
        HICON hIcon = m_IconsList.ExtractIcon(normal);
        AddShadedImage(hIcon, normal + 1);
        AddDisabledImage(hIcon, normal + 2);
        ::DestroyIcon(hIcon);
    }
}

HICON CNewMenuBitmaps::IconFromBitmap(HBITMAP hBitmap, COLORREF crMask, CSize& size)
{
    BITMAP bitmap = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bitmap, &bitmap))
        return NULL;
    size = CSize(bitmap.bmWidth, bitmap.bmHeight);
    HIMAGELIST hList = ImageList_Create(bitmap.bmWidth, bitmap.bmHeight, kListFlags, 1, 0);
    ImageList_AddMasked(hList, hBitmap, MaskColour(crMask));
    HICON hIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ImageList_Destroy(hList);
    return hIcon;
}

int CNewMenuBitmaps::AppendPicture(HICON hIcon, UINT nID, COLORREF crMask)
{
    const CSize size = IconColourSize(hIcon);
    if (size.cx <= 0)
        return -1;
    if (!m_IconsList.GetSafeHandle())
        ResetImageList(size.cx, size.cy);
    else if (size != GetIconSize())
        return -1;
    const int index = m_IconsList.Add(hIcon);
    if (index < 0)
        return -1;
    m_IDs.Add(nID);
    m_TranspColors.Add(crMask);
    AddShadedImage(hIcon);
    AddDisabledImage(hIcon);
    return index;
}

int CNewMenuBitmaps::AddIcon(HICON hIcon, UINT nID)
{
    const CSize size = IconColourSize(hIcon);
    if (size.cx <= 0 || (m_IconsList.GetSafeHandle() && size != GetIconSize()))
        return -1;
    if (nID)
    {
        for (INT_PTR k = 0; k < m_IDs.GetSize(); ++k)
        {
            if (m_IDs[k] != nID || m_TranspColors[k] != static_cast<COLORREF>(-1))
                continue;
            const int normal = static_cast<int>(k) * 3;
            m_IconsList.Replace(normal, hIcon);
            AddShadedImage(hIcon, normal + 1);
            AddDisabledImage(hIcon, normal + 2);
            return normal;
        }
    }
    return AppendPicture(hIcon, nID, static_cast<COLORREF>(-1));
}

int CNewMenuBitmaps::AddBitmapResource(UINT nID, COLORREF crMask)
{
    for (INT_PTR k = 0; k < m_IDs.GetSize(); ++k)
        if (m_IDs[k] == nID && m_TranspColors[k] != static_cast<COLORREF>(-1))
            return static_cast<int>(k) * 3;
    LPCSTR name = MAKEINTRESOURCEA(nID);
    HBITMAP hBitmap = ::LoadBitmapA(ResolveModule(name, RT_BITMAP), name);
    CSize size;
    HICON hIcon = IconFromBitmap(hBitmap, crMask, size);
    ::DeleteObject(hBitmap);
    const int index = hIcon ? AppendPicture(hIcon, nID, crMask) : -1;
    if (hIcon)
        ::DestroyIcon(hIcon);
    return index;
}

int CNewMenuBitmaps::AddBitmap(CBitmap* pBitmap, COLORREF crMask)
{
    CSize size;
    HICON hIcon = IconFromBitmap(static_cast<HBITMAP>(pBitmap->GetSafeHandle()), crMask, size);
    const int index = hIcon ? AppendPicture(hIcon, 0, crMask) : -1;
    if (hIcon)
        ::DestroyIcon(hIcon);
    return index;
}
