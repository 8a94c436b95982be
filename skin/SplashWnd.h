#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/Wnd.h"

// A borderless window that shows a bitmap centred on the screen while the application starts.
class CSplashWnd : public CWnd
{
public:
    CSplashWnd();
    ~CSplashWnd() override;

    BOOL LoadBitmapFile(LPCSTR pszPath);
    BOOL LoadBitmapResource(UINT nId);
    // Nothing when the window exists; with bAutoClose, closes itself after nMilliseconds.
    BOOL Show(CWnd* pParent, BOOL bAutoClose, UINT nMilliseconds);
    void Close();
    BOOL HasBitmap() const { return m_bitmap.GetSafeHandle() != NULL; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    void FitToBitmap();
    CSize BitmapSize() const;

    CBitmap m_bitmap;
    UINT_PTR m_nTimer;
};
