#include "hollit/MpegRecordFilterProp.h"

#include "hollit/resource.h"
#include "platform/dshow/ModuleInstance.h"

#include <commctrl.h>
#include <new>

CUnknown* CALLBACK CMpegRecordFilterProp::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CMpegRecordFilterProp* page = new (std::nothrow) CMpegRecordFilterProp(pUnk, phr);
    if (!page && phr)
        *phr = E_OUTOFMEMORY;
    return page;
}

CMpegRecordFilterProp::CMpegRecordFilterProp(IUnknown* pUnk, HRESULT*)
    : CBasePropertyPage("MpegRecordFilterProp", pUnk, IDD_MPEG_RECORD_PROP, IDS_FILTER_NAME)
{
    InitCommonControls();
}

HRESULT CMpegRecordFilterProp::OnConnect(IUnknown* pUnknown)
{
    if (!pUnknown)
        return E_POINTER;
    ComPtr<IMpegRecordFilter> filter;
    if (FAILED(ComQuery(pUnknown, IID_IMpegRecordFilter, filter)) || !filter)
        return E_NOINTERFACE;
    m_pFilter = filter;
    return S_OK;
}

HRESULT CMpegRecordFilterProp::OnDisconnect()
{
    m_pFilter.Reset();
    return S_OK;
}

void CMpegRecordFilterProp::ShowDeliverState(LONG delivering)
{
    char text[128] = {};
    LoadStringA(DsModuleInstance(), delivering ? IDS_PAUSE_CAPTURE : IDS_RESUME_CAPTURE, text, sizeof(text));
    SetDlgItemTextA(m_Dlg, IDC_PAUSE_RESUME, text);
}

HRESULT CMpegRecordFilterProp::OnActivate()
{
    if (!m_pFilter || !m_Dlg)
        return S_OK;
    LONG value = 0;
    m_pFilter->get_EnableDeliverSampleToNextFilter(&value);
    ShowDeliverState(value);
    value = 0;
    m_pFilter->get_EnableCreateDeliverThread(&value);
    SendDlgItemMessageA(m_Dlg, IDC_CREATE_DELIVER_THREAD, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    value = 0;
    m_pFilter->get_EnableLostBFrame(&value);
    SendDlgItemMessageA(m_Dlg, IDC_LOST_B_FRAME, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    return S_OK;
}

HRESULT CMpegRecordFilterProp::OnDeactivate()
{
    return S_OK;
}

HRESULT CMpegRecordFilterProp::OnApplyChanges()
{
    if (!m_pFilter || !m_Dlg)
        return S_OK;
    m_pFilter->put_EnableCreateDeliverThread(
        SendDlgItemMessageA(m_Dlg, IDC_CREATE_DELIVER_THREAD, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    m_pFilter->put_EnableLostBFrame(SendDlgItemMessageA(m_Dlg, IDC_LOST_B_FRAME, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    return S_OK;
}

INT_PTR CMpegRecordFilterProp::OnReceiveMessage(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_DESTROY)
        return TRUE;
    if (uMsg == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == IDC_PAUSE_RESUME && m_pFilter) {
            LONG delivering = 0;
            m_pFilter->get_EnableDeliverSampleToNextFilter(&delivering);
            if (delivering)
                m_pFilter->PauseRecord();
            else
                m_pFilter->ResumeRecord();
            ShowDeliverState(!delivering);
            return TRUE;
        }
        if (id == IDC_CREATE_DELIVER_THREAD || id == IDC_LOST_B_FRAME)
            SetDirty();
    }
    return CBasePropertyPage::OnReceiveMessage(hwnd, uMsg, wParam, lParam);
}

STDMETHODIMP CMpegRecordFilterProp::IsPageDirty()
{
    return m_bDirty ? S_OK : S_FALSE;
}

STDMETHODIMP CMpegRecordFilterProp::Help(LPCOLESTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegRecordFilterProp::TranslateAccelerator(MSG*)
{
    return E_NOTIMPL;
}
