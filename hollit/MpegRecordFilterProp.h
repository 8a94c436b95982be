#pragma once

#include "platform/dshow/Streams.h"

#include "Hollit_h.h"

#include "platform/dshow/ComPtr.h"

// The filter's page: a pause/resume button and the deliver-thread and lost-B switches.
class CMpegRecordFilterProp : public CBasePropertyPage
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    CMpegRecordFilterProp(IUnknown* pUnk, HRESULT* phr);

    HRESULT OnConnect(IUnknown* pUnknown) override;
    HRESULT OnDisconnect() override;
    HRESULT OnActivate() override;
    HRESULT OnDeactivate() override;
    HRESULT OnApplyChanges() override;
    INT_PTR OnReceiveMessage(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;

    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Help(LPCOLESTR pszHelpDir) override;
    STDMETHODIMP TranslateAccelerator(MSG* pMsg) override;

private:
    void ShowDeliverState(LONG delivering);

    ComPtr<IMpegRecordFilter> m_pFilter;
};
