#pragma once
#include <dshow.h>
#include <ocidl.h>
#include "platform/dshow/Unknown.h"

// IPropertyPage over a dialog resource of this module. Derived pages react in
// OnConnect/OnActivate/OnReceiveMessage/OnApplyChanges and call SetDirty.
class CBasePropertyPage : public CUnknown, public IPropertyPage
{
public:
    CBasePropertyPage(const char* pName, IUnknown* pUnk, int DialogId, int TitleId);
    ~CBasePropertyPage() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IPropertyPage
    STDMETHODIMP SetPageSite(IPropertyPageSite* pPageSite) override;
    STDMETHODIMP Activate(HWND hwndParent, LPCRECT prect, BOOL fModal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* pPageInfo) override;
    STDMETHODIMP SetObjects(ULONG cObjects, IUnknown** ppUnk) override;
    STDMETHODIMP Show(UINT nCmdShow) override;
    STDMETHODIMP Move(LPCRECT prect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR pszHelpDir) override;
    STDMETHODIMP TranslateAccelerator(MSG* pMsg) override;

    virtual HRESULT OnConnect(IUnknown* pUnknown) { return S_OK; }
    virtual HRESULT OnDisconnect() { return S_OK; }
    virtual HRESULT OnActivate() { return S_OK; }
    virtual HRESULT OnDeactivate() { return S_OK; }
    virtual HRESULT OnApplyChanges() { return S_OK; }
    // The dialog procedure's answer for every message but WM_INITDIALOG's bookkeeping.
    virtual INT_PTR OnReceiveMessage(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND Window() const { return m_hwnd; }
    BOOL IsDirtyFlag() const { return m_bDirty; }

protected:
    // Marks the page changed and tells the site, which enables Apply.
    void SetDirty();

    HWND m_hwnd;
    HWND m_Dlg;
    IPropertyPageSite* m_pPageSite;  // owned reference
    BOOL m_bDirty;
    int m_TitleId;
    int m_DialogId;
    BOOL m_bObjectSet;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
};
