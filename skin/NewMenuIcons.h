#pragma once
#include "platform/afx/Array.h"
#include "platform/afx/ImageList.h"
#include "platform/afx/List.h"

// The pictures of one toolbar resource for the menus, shared by every menu of the process and
// kept alive by the item records that use them. Each picture sits in the image list three times,
// so that painting never recolours: normal (3k), shaded (3k + 1) and disabled (3k + 2), where k
// is the position of its command.
class CNewMenuIcons : public CObject
{
    DECLARE_DYNAMIC(CNewMenuIcons)
public:
    CNewMenuIcons();
    ~CNewMenuIcons() override;

    // The normal image of the command's picture, or -1.
    virtual int FindImageIndex(UINT nID);
    // Loads the pictures again (after a change of the system colours).
    virtual void Reload();
    virtual BOOL LoadToolBarData(const WORD* pToolBarData, COLORREF crMask);
    virtual BOOL LoadToolBar(LPCSTR lpszResourceName, HMODULE hInst);
    virtual BOOL MatchesToolBarData(const WORD* pToolBarData, COLORREF crMask);
    virtual BOOL MatchesResource(LPCSTR lpszResourceName, HMODULE hInst);
    virtual BOOL LoadBitmap(int nWidth, int nHeight, LPCSTR lpszResourceName, HMODULE hInst = NULL);
    // The shaded or disabled form of the icon, appended (index -1) or put at the index; the
    // image's index, or -1.
    virtual int AddShadedImage(HICON hIcon, int index = -1);
    virtual int AddDisabledImage(HICON hIcon, int index = -1);
    // Rebuilds the list so that every picture is followed by its shaded and disabled forms.
    virtual void MakeVariants();

    int AddRef();
    int Release();
    CSize GetIconSize() const;

    LPCSTR m_lpszResourceName;
    HMODULE m_hInst;
    int m_nColors;
    COLORREF m_crMask;
    CImageList m_IconsList;
    CUIntArray m_IDs;
    int m_dwRefCount;

protected:
    void SetResourceName(LPCSTR lpszResourceName);
    void ResetImageList(int cx, int cy);
    // A copy of the icon whose colour pixels (those the mask shows) are recoloured.
    static HICON RecolourIcon(HICON hIcon, COLORREF (*pfnRecolour)(COLORREF));
    int PutImage(HICON hIcon, int index);
};

// Pictures added one by one (from bitmap resources, icons or bitmaps), each kept in the same three
// forms. The id array holds per picture the bitmap resource id, the command (icons) or 0 (bitmaps).
class CNewMenuBitmaps : public CNewMenuIcons
{
    DECLARE_DYNAMIC(CNewMenuBitmaps)
public:
    CNewMenuBitmaps();
    ~CNewMenuBitmaps() override;

    // Makes the shaded and disabled images of every picture again from its normal image.
    void Reload() override;

    // The normal image's index of the picture, or -1 when it is refused (another size than the
    // list's, or no such resource).
    int AddBitmapResource(UINT nID, COLORREF crMask);
    int AddIcon(HICON hIcon, UINT nID = 0);
    int AddBitmap(CBitmap* pBitmap, COLORREF crMask);

    CArray<COLORREF, COLORREF> m_TranspColors;

protected:
    int AppendPicture(HICON hIcon, UINT nID, COLORREF crMask);
    static HICON IconFromBitmap(HBITMAP hBitmap, COLORREF crMask, CSize& size);
};

// The lists of every menu of the process (no references held).
CPtrList* AFXAPI GetMenuIconLists(BOOL bCreate);
// Deletes every list left, at exit.
void AFXAPI DeleteMenuIconLists();
