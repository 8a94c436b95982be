#pragma once
#include "platform/afx/Dialog.h"

// A modal message that closes itself after a number of seconds.
class CTimedMsgDlg : public CDialog
{
public:
    enum
    {
        IDD = 232,
        TIMER_ID = 1016,
    };
    CTimedMsgDlg(UINT nIconId, BOOL bShowCancel, CWnd* pParent = nullptr);

    // Ignored when 0; a running timer restarts with the new time-out.
    void SetTimeout(UINT nSeconds);
    UINT GetTimeout() const { return m_nTimeout; }
    // 2 gives IDCANCEL on expiry, any other value IDOK.
    void SetResult(int nResult) { m_nResult = nResult == IDCANCEL ? IDCANCEL : IDOK; }
    int GetResult() const { return m_nResult; }
    void SetText(UINT nStringId);
    void SetMessageText(LPCSTR pszText);
    const CString& GetMessageText() const { return m_strMessage; }
    void SetCaption(LPCSTR pszCaption) { m_strCaption = pszCaption; }
    const CString& GetCaption() const { return m_strCaption; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    UINT m_nIconCtrl;
    UINT m_nTextCtrl;
    UINT_PTR m_nTimer;
    UINT m_nTimeout;
    int m_nResult;
    CString m_strCaption;
    CString m_strMessage;
    UINT m_nIconId;
    BOOL m_bShowCancel;
};
