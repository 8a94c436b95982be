#include "platform/dshow/BasePropertyPage.h"
#include "platform/dshow/ModuleInstance.h"

CBasePropertyPage::CBasePropertyPage(const char* pName, IUnknown* pUnk, int DialogId, int TitleId)
    : CUnknown(pName, pUnk),
      m_hwnd(nullptr),
      m_Dlg(nullptr),
      m_pPageSite(nullptr),
      m_bDirty(FALSE),
      m_TitleId(TitleId),
      m_DialogId(DialogId),
      m_bObjectSet(FALSE)
{
}

CBasePropertyPage::~CBasePropertyPage()
{
    if (m_hwnd) DestroyWindow(m_hwnd);
    if (m_pPageSite) m_pPageSite->Release();
}

STDMETHODIMP CBasePropertyPage::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IPropertyPage)
        return GetInterface(static_cast<IPropertyPage*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBasePropertyPage::SetPageSite(IPropertyPageSite* pPageSite)
{
    if (pPageSite) {
        if (m_pPageSite) return E_UNEXPECTED;
        m_pPageSite = pPageSite;
        m_pPageSite->AddRef();
    } else {
        if (!m_pPageSite) return E_UNEXPECTED;
        m_pPageSite->Release();
        m_pPageSite = nullptr;
    }
    return S_OK;
}

INT_PTR CALLBACK CBasePropertyPage::DialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CBasePropertyPage* page;
    if (uMsg == WM_INITDIALOG) {
        page = reinterpret_cast<CBasePropertyPage*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        if (!page) return TRUE;
        page->m_Dlg = hwnd;
        page->m_hwnd = hwnd;
    } else {
        page = reinterpret_cast<CBasePropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
        if (!page) return FALSE;
    }
    return page->OnReceiveMessage(hwnd, uMsg, wParam, lParam);
}

INT_PTR CBasePropertyPage::OnReceiveMessage(HWND, UINT uMsg, WPARAM, LPARAM)
{
    return uMsg == WM_INITDIALOG ? TRUE : FALSE;
}

STDMETHODIMP CBasePropertyPage::Activate(HWND hwndParent, LPCRECT prect, BOOL)
{
    if (!prect) return E_POINTER;
    if (!m_bObjectSet) return E_UNEXPECTED;
    if (m_hwnd) return E_UNEXPECTED;
    HWND hwnd = CreateDialogParamA(DsModuleInstance(), MAKEINTRESOURCEA(m_DialogId), hwndParent, &DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (!hwnd) return E_OUTOFMEMORY;
    m_hwnd = hwnd;
    OnActivate();
    Move(prect);
    return Show(SW_SHOWNORMAL);
}

STDMETHODIMP CBasePropertyPage::Deactivate()
{
    if (!m_hwnd) return E_UNEXPECTED;
    // The dialog manager would otherwise leave WS_EX_CONTROLPARENT on the frame.
    DWORD ex = GetWindowLongA(m_hwnd, GWL_EXSTYLE);
    SetWindowLongA(m_hwnd, GWL_EXSTYLE, ex & ~WS_EX_CONTROLPARENT);
    OnDeactivate();
    DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    m_Dlg = nullptr;
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::GetPageInfo(PROPPAGEINFO* pPageInfo)
{
    if (!pPageInfo) return E_POINTER;
    ZeroMemory(pPageInfo, sizeof(*pPageInfo));
    pPageInfo->cb = sizeof(PROPPAGEINFO);

    WCHAR title[256];
    int n = LoadStringW(DsModuleInstance(), m_TitleId, title, 256);
    if (n <= 0) title[0] = L'\0';
    size_t bytes = (lstrlenW(title) + 1) * sizeof(WCHAR);
    pPageInfo->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!pPageInfo->pszTitle) return E_OUTOFMEMORY;
    memcpy(pPageInfo->pszTitle, title, bytes);

    // The size in pixels is what the dialog comes out as; make it once, hidden, to see.
    HWND probe = CreateDialogParamA(DsModuleInstance(), MAKEINTRESOURCEA(m_DialogId), GetDesktopWindow(),
                                    &DialogProc, 0);
    if (probe) {
        RECT rc;
        GetWindowRect(probe, &rc);
        pPageInfo->size.cx = rc.right - rc.left;
        pPageInfo->size.cy = rc.bottom - rc.top;
        DestroyWindow(probe);
    }
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::SetObjects(ULONG cObjects, IUnknown** ppUnk)
{
    if (cObjects == 1) {
        if (!ppUnk || !*ppUnk) return E_POINTER;
        m_bObjectSet = TRUE;
        HRESULT hr = OnConnect(*ppUnk);
        if (FAILED(hr)) m_bObjectSet = FALSE;
        return hr;
    }
    if (cObjects == 0) {
        m_bObjectSet = FALSE;
        return OnDisconnect();
    }
    return E_UNEXPECTED;
}

STDMETHODIMP CBasePropertyPage::Show(UINT nCmdShow)
{
    if (!m_hwnd) return E_UNEXPECTED;
    if (nCmdShow != SW_SHOW && nCmdShow != SW_SHOWNORMAL && nCmdShow != SW_HIDE) return E_INVALIDARG;
    ShowWindow(m_hwnd, nCmdShow);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::Move(LPCRECT prect)
{
    if (!prect) return E_POINTER;
    if (!m_hwnd) return E_UNEXPECTED;
    MoveWindow(m_hwnd, prect->left, prect->top, prect->right - prect->left, prect->bottom - prect->top, TRUE);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::IsPageDirty()
{
    return m_bDirty ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePropertyPage::Apply()
{
    if (!m_bObjectSet) return E_UNEXPECTED;
    if (!m_pPageSite) return E_UNEXPECTED;
    if (!m_bDirty) return S_OK;
    HRESULT hr = OnApplyChanges();
    if (SUCCEEDED(hr)) m_bDirty = FALSE;
    return hr;
}

STDMETHODIMP CBasePropertyPage::Help(LPCOLESTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBasePropertyPage::TranslateAccelerator(MSG*)
{
    return E_NOTIMPL;
}

void CBasePropertyPage::SetDirty()
{
    m_bDirty = TRUE;
    if (m_pPageSite) m_pPageSite->OnStatusChange(PROPPAGESTATUS_DIRTY);
}
