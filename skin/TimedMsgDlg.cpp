#include "skin/TimedMsgDlg.h"

#include "platform/afx/WinApp.h"

namespace
{
const UINT kIconCtrl = 1181;
const UINT kTextCtrl = 1182;
}  // namespace

BEGIN_MESSAGE_MAP(CTimedMsgDlg, CDialog)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CTimedMsgDlg::CTimedMsgDlg(UINT nIconId, BOOL bShowCancel, CWnd* pParent)
    : CDialog(IDD, pParent), m_nIconCtrl(kIconCtrl), m_nTextCtrl(kTextCtrl), m_nTimer(0), m_nTimeout(5),
      m_nResult(IDOK), m_nIconId(nIconId), m_bShowCancel(bShowCancel)
{
}

void CTimedMsgDlg::SetTimeout(UINT nSeconds)
{
    if (nSeconds == 0)
        return;
    m_nTimeout = nSeconds;
    if (m_nTimer != 0 && m_hWnd != NULL)
    {
        KillTimer(m_nTimer);
        m_nTimer = SetTimer(TIMER_ID, m_nTimeout * 1000, NULL);
    }
}

void CTimedMsgDlg::SetText(UINT nStringId)
{
    CString text;
    AfxLoadString(nStringId, text);
    SetMessageText(text);
}

void CTimedMsgDlg::SetMessageText(LPCSTR pszText)
{
    m_strMessage = pszText != NULL ? pszText : "";
    if (m_hWnd != NULL)
        SetDlgItemText(m_nTextCtrl, m_strMessage);
}

BOOL CTimedMsgDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        SetWindowText(m_strCaption);
    if (!m_strMessage.IsEmpty())
        SetDlgItemText(m_nTextCtrl, m_strMessage);
    if (m_nIconId != 0)
    {
        HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIconId));
        ::SendDlgItemMessageA(m_hWnd, m_nIconCtrl, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0);
    }
    if (!m_bShowCancel)
    {
        CWnd* pCancel = GetDlgItem(IDCANCEL);
        if (pCancel != NULL)
            pCancel->ShowWindow(SW_HIDE);
    }
    m_nTimer = SetTimer(TIMER_ID, m_nTimeout * 1000, NULL);
    return TRUE;
}

void CTimedMsgDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_ID)
    {
        Default();
        return;
    }
    KillTimer(m_nTimer);
    m_nTimer = 0;
    EndDialog(m_nResult == IDCANCEL ? IDCANCEL : IDOK);
}

void CTimedMsgDlg::OnCancel()
{
    EndDialog(m_bShowCancel ? IDCANCEL : IDOK);
}

void CTimedMsgDlg::OnDestroy()
{
    if (m_nTimer != 0)
    {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    Default();
}
