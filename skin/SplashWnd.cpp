#include "skin/SplashWnd.h"

#include "skin/DrawHelpers.h"

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashWnd::CSplashWnd() : m_nTimer(0) {}

CSplashWnd::~CSplashWnd() { Close(); }

CSize CSplashWnd::BitmapSize() const
{
    BITMAP info = {};
    if (m_bitmap.GetSafeHandle() == NULL || !m_bitmap.GetBitmap(&info))
        return CSize(100, 100);
    return CSize(info.bmWidth, info.bmHeight);
}

void CSplashWnd::FitToBitmap()
{
    if (m_hWnd == NULL || m_bitmap.GetSafeHandle() == NULL)
        return;
    CSize size = BitmapSize();
    SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
}

BOOL CSplashWnd::LoadBitmapFile(LPCSTR pszPath)
{
    m_bitmap.DeleteObject();
    HANDLE hImage = ::LoadImageA(NULL, pszPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (hImage == NULL)
        return FALSE;
    m_bitmap.Attach(hImage);
    FitToBitmap();
    return TRUE;
}

BOOL CSplashWnd::LoadBitmapResource(UINT nId)
{
    m_bitmap.DeleteObject();
    if (!m_bitmap.LoadBitmap(nId))
        return FALSE;
    FitToBitmap();
    return TRUE;
}

BOOL CSplashWnd::Show(CWnd* pParent, BOOL bAutoClose, UINT nMilliseconds)
{
    if (m_hWnd != NULL)
        return TRUE;
    CSize size = BitmapSize();
    LPCSTR pszClass = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW));
    if (!CreateEx(0, pszClass, "", WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy,
                  pParent != NULL ? pParent->GetSafeHwnd() : NULL, NULL))
        return FALSE;
    UpdateWindow();
    if (bAutoClose)
        m_nTimer = SetTimer(1, nMilliseconds, NULL);
    return TRUE;
}

void CSplashWnd::Close()
{
    if (m_hWnd == NULL)
        return;
    if (m_nTimer != 0)
    {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    DestroyWindow();
}

int CSplashWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    CenterWindow();
    return 0;
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CSize size = BitmapSize();
    DrawBitmap(&dc, CRect(0, 0, size.cx, size.cy), &m_bitmap);
}

void CSplashWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == 1)
        Close();
}
