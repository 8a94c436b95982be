#include "hollit/HollitUuids.h"
#include "platform/dshow/Streams.h"

#include "Hollit_h.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A page site as a property frame would be: it records the status the page reports.
class CTestPageSite : public IPropertyPageSite
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
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
    STDMETHODIMP OnStatusChange(DWORD flags) override
    {
        lastStatus = flags;
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* lcid) override
    {
        if (!lcid)
            return E_POINTER;
        *lcid = 0x0804;
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** pp) override
    {
        if (pp)
            *pp = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return E_NOTIMPL; }

    DWORD lastStatus = 0;
    ULONG m_ref = 1;
};

std::string ControlText(HWND page, int id)
{
    char text[128] = {};
    GetDlgItemTextA(page, id, text, sizeof(text));
    return text;
}

// The page inside a real top-level window; messages pumped as a frame's loop would.
void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}

TEST(HollitPropPage, ShowsAndDrivesTheFilter)
{
    ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    {
        ComPtr<IBaseFilter> filter;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MpegRecordFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                         reinterpret_cast<void**>(&filter)));
        ComPtr<IMpegRecordFilter> record;
        ASSERT_EQ(S_OK, ComQuery(filter, IID_IMpegRecordFilter, record));
        record->put_EnableCreateDeliverThread(0);

        ComPtr<IPropertyPage> page;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MpegRecordFilterProp, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                         reinterpret_cast<void**>(&page)));
        CTestPageSite site;
        ASSERT_EQ(S_OK, page->SetPageSite(&site));

        // An object without the interface is refused.
        ComPtr<IUnknown> stranger;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                         reinterpret_cast<void**>(&stranger)));
        IUnknown* strangers[1] = {stranger.Get()};
        EXPECT_EQ(E_NOINTERFACE, page->SetObjects(1, strangers));

        IUnknown* objects[1] = {filter.Get()};
        ASSERT_EQ(S_OK, page->SetObjects(1, objects));

        PROPPAGEINFO info = {sizeof(info)};
        ASSERT_EQ(S_OK, page->GetPageInfo(&info));
        EXPECT_STREQ(L"Veltrane Mpeg Record Filter", info.pszTitle);
        EXPECT_GT(info.size.cx, 0);
        EXPECT_GT(info.size.cy, 0);
        CoTaskMemFree(info.pszTitle);
        CoTaskMemFree(info.pszDocString);
        CoTaskMemFree(info.pszHelpFile);

        HWND frame = CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, frame);
        RECT area = {0, 0, 380, 260};
        ASSERT_EQ(S_OK, page->Activate(frame, &area, FALSE));
        Pump();
        HWND dialog = GetWindow(frame, GW_CHILD);
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));

        EXPECT_EQ("Pause Capture Video", ControlText(dialog, 201));
        EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(dialog, 202, BM_GETCHECK, 0, 0));
        EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(dialog, 203, BM_GETCHECK, 0, 0));
        EXPECT_EQ(S_FALSE, page->IsPageDirty());

        // Pressing the button twice pauses, resumes and returns to the first text.
        SendDlgItemMessageA(dialog, 201, BM_CLICK, 0, 0);
        Pump();
        LONG delivering = 1;
        record->get_EnableDeliverSampleToNextFilter(&delivering);
        EXPECT_EQ(0, delivering);
        EXPECT_EQ("Resume Capture video", ControlText(dialog, 201));
        SendDlgItemMessageA(dialog, 201, BM_CLICK, 0, 0);
        Pump();
        record->get_EnableDeliverSampleToNextFilter(&delivering);
        EXPECT_EQ(1, delivering);
        EXPECT_EQ("Pause Capture Video", ControlText(dialog, 201));
        EXPECT_EQ(S_FALSE, page->IsPageDirty());

        // The switches change the filter only when applied.
        SendDlgItemMessageA(dialog, 202, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, 203, BM_CLICK, 0, 0);
        Pump();
        EXPECT_EQ(S_OK, page->IsPageDirty());
        EXPECT_EQ(static_cast<DWORD>(PROPPAGESTATUS_DIRTY), site.lastStatus);
        LONG value = -1;
        record->get_EnableLostBFrame(&value);
        EXPECT_EQ(1, value);
        ASSERT_EQ(S_OK, page->Apply());
        record->get_EnableLostBFrame(&value);
        EXPECT_EQ(0, value);
        record->get_EnableCreateDeliverThread(&value);
        EXPECT_EQ(1, value);

        EXPECT_EQ(E_NOTIMPL, page->Help(L"x"));
        EXPECT_EQ(E_NOTIMPL, page->TranslateAccelerator(nullptr));

        ASSERT_EQ(S_OK, page->Deactivate());
        Pump();
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_EQ(S_OK, page->SetObjects(0, nullptr));
        EXPECT_EQ(S_OK, page->SetPageSite(nullptr));
        DestroyWindow(frame);
    }
    CoUninitialize();
}

