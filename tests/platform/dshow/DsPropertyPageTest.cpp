#include <gtest/gtest.h>
#include "tests/platform/dshow/DsTestUtil.h"

namespace {

const int kDialog = 300;
const int kTitle = 301;
const int kCheck = 310;

class CSite : public IPropertyPageSite
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IPropertyPageSite) {
            *ppv = static_cast<IPropertyPageSite*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_ref; }
    STDMETHODIMP_(ULONG) Release() override { return --m_ref; }
    STDMETHODIMP OnStatusChange(DWORD dwFlags) override
    {
        m_flags.push_back(dwFlags);
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* p) override
    {
        *p = 2052;
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** pp) override
    {
        *pp = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return E_NOTIMPL; }
    ULONG m_ref = 1;
    std::vector<DWORD> m_flags;
};

class CTestPage : public CBasePropertyPage
{
public:
    CTestPage() : CBasePropertyPage("CTestPage", nullptr, kDialog, kTitle) {}
    HRESULT OnConnect(IUnknown* p) override
    {
        m_connected = p;
        return p ? S_OK : E_POINTER;
    }
    HRESULT OnDisconnect() override
    {
        ++m_disconnects;
        return S_OK;
    }
    HRESULT OnActivate() override
    {
        ++m_activates;
        m_windowAtActivate = m_Dlg;
        return S_OK;
    }
    HRESULT OnApplyChanges() override
    {
        ++m_applies;
        return S_OK;
    }
    INT_PTR OnReceiveMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_COMMAND && LOWORD(wp) == kCheck) {
            SetDirty();
            return TRUE;
        }
        return CBasePropertyPage::OnReceiveMessage(hwnd, msg, wp, lp);
    }
    IUnknown* m_connected = nullptr;
    int m_disconnects = 0;
    int m_activates = 0;
    int m_applies = 0;
    HWND m_windowAtActivate = nullptr;
};

TEST(BasePropertyPageTest, LifeOfAPage)
{
    ComScope com;
    CTestPage* page = new CTestPage();
    ComPtr<IPropertyPage> pp;
    ASSERT_EQ(S_OK, page->NonDelegatingQueryInterface(IID_IPropertyPage, reinterpret_cast<void**>(&pp)));
    EXPECT_EQ(1u, RefCount(pp));

    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(parent);
    RECT rc = {5, 6, 305, 206};
    EXPECT_EQ(E_UNEXPECTED, pp->Activate(parent, &rc, FALSE));
    EXPECT_EQ(E_UNEXPECTED, pp->Deactivate());
    EXPECT_EQ(E_UNEXPECTED, pp->Show(SW_SHOW));

    CSite site;
    EXPECT_EQ(E_UNEXPECTED, pp->SetPageSite(nullptr));
    EXPECT_EQ(S_OK, pp->SetPageSite(&site));
    EXPECT_EQ(2u, site.m_ref);
    EXPECT_EQ(E_UNEXPECTED, pp->SetPageSite(&site));

    IUnknown* object = pp.Get();
    EXPECT_EQ(E_UNEXPECTED, pp->SetObjects(2, &object));
    EXPECT_EQ(S_OK, pp->SetObjects(1, &object));
    EXPECT_EQ(object, page->m_connected);

    PROPPAGEINFO info;
    ASSERT_EQ(S_OK, pp->GetPageInfo(&info));
    EXPECT_STREQ(L"Test Page Title", info.pszTitle);
    EXPECT_GT(info.size.cx, 0);
    EXPECT_GT(info.size.cy, 0);
    CoTaskMemFree(info.pszTitle);

    ASSERT_EQ(S_OK, pp->Activate(parent, &rc, FALSE));
    HWND dlg = page->Window();
    ASSERT_TRUE(IsWindow(dlg));
    EXPECT_EQ(dlg, page->m_windowAtActivate);
    EXPECT_EQ(parent, GetParent(dlg));
    EXPECT_TRUE(GetWindowLongA(dlg, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(1, page->m_activates);
    RECT placed;
    GetWindowRect(dlg, &placed);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(5, placed.left);
    EXPECT_EQ(300, placed.right - placed.left);
    EXPECT_EQ(E_UNEXPECTED, pp->Activate(parent, &rc, FALSE));
    EXPECT_EQ(E_INVALIDARG, pp->Show(99));
    EXPECT_EQ(S_OK, pp->Show(SW_HIDE));
    EXPECT_FALSE(GetWindowLongA(dlg, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(S_OK, pp->Show(SW_SHOW));

    EXPECT_EQ(S_FALSE, pp->IsPageDirty());
    EXPECT_EQ(S_OK, pp->Apply());
    EXPECT_EQ(0, page->m_applies);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kCheck, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, kCheck)));
    EXPECT_EQ(S_OK, pp->IsPageDirty());
    ASSERT_EQ(1u, site.m_flags.size());
    EXPECT_EQ(DWORD(PROPPAGESTATUS_DIRTY), site.m_flags[0]);
    EXPECT_EQ(S_OK, pp->Apply());
    EXPECT_EQ(1, page->m_applies);
    EXPECT_EQ(S_FALSE, pp->IsPageDirty());
    EXPECT_EQ(E_NOTIMPL, pp->Help(nullptr));
    EXPECT_EQ(E_NOTIMPL, pp->TranslateAccelerator(nullptr));

    EXPECT_EQ(S_OK, pp->Deactivate());
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_EQ(E_UNEXPECTED, pp->Deactivate());
    EXPECT_EQ(S_OK, pp->SetObjects(0, nullptr));
    EXPECT_EQ(1, page->m_disconnects);
    EXPECT_EQ(S_OK, pp->SetPageSite(nullptr));
    EXPECT_EQ(1u, site.m_ref);
    DestroyWindow(parent);
    EXPECT_EQ(1u, RefCount(pp));
}

}  // namespace
