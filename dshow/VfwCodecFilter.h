#pragma once

#include "dshow/FilterNode.h"

// Wrapper base of the video-for-Windows codec filters: holds the codec's
// dialog interface. A codec without it stays valid; the dialog operations
// then answer FALSE.
class CVfwCodecFilter : public CFilterNode
{
public:
    CVfwCodecFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CVfwCodecFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    ~CVfwCodecFilter() override;

    BOOL Initfilter() override;

    // nDialog is a VfwCompressDialogs value.
    BOOL ShowDialog(int nDialog, HWND hwndOwner);
    // *pcbState in: the buffer's size; out: the state's size.
    BOOL GetState(LPVOID pState, int* pcbState);
    BOOL SetState(LPVOID pState, int cbState);

    IAMVfwCompressDialogs* GetDialogs() const { return m_pDialogs; }

protected:
    ComPtr<IAMVfwCompressDialogs> m_pDialogs;
};
