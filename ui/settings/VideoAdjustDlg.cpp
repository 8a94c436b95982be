#include "ui/settings/VideoAdjustDlg.h"

#include "engine/TVEngine.h"
#include "resources/ResourceIds.h"

namespace
{
struct SliderTip
{
    UINT nID;
    UINT nTip;
};
const SliderTip kTips[] = {
    { IDC_ADJUST_BRIGHTNESS, IDS_TIP_BRIGHTNESS }, { IDC_ADJUST_CONTRAST, IDS_TIP_CONTRAST },
    { IDC_ADJUST_HUE, IDS_TIP_HUE },               { IDC_ADJUST_SATURATION, IDS_TIP_SATURATION },
    { IDC_ADJUST_SHARPNESS, IDS_TIP_SHARPNESS },   { IDC_ADJUST_RESET, IDS_TIP_ADJUST_RESET },
    { IDC_ADJUST_CLOSE, IDS_TIP_ADJUST_CLOSE },
};
const int kSliders = 5;
// Sharpness starts at its lowest useful step whatever the card calls its default.
const int kDefaultSharpness = 1;
}  // namespace

BEGIN_MESSAGE_MAP(CVideoAdjustDlg, CDialog)
ON_BN_CLICKED(IDC_ADJUST_CLOSE, &CVideoAdjustDlg::OnHide)
ON_BN_CLICKED(IDC_ADJUST_RESET, &CVideoAdjustDlg::OnReset)
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CVideoAdjustDlg& GetVideoAdjustDlg()
{
    static CVideoAdjustDlg s_videoAdjust;
    return s_videoAdjust;
}

CVideoAdjustDlg::CVideoAdjustDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_nBrightness(0), m_nContrast(0), m_nHue(0), m_nSaturation(0), m_nSharpness(0)
{
}

BOOL CVideoAdjustDlg::Create(CWnd* pParent)
{
    return CDialog::Create(IDD, pParent);
}

BOOL CVideoAdjustDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_ToolTip.Create(this);
    for (const SliderTip& tip : kTips)
        if (CWnd* pCtrl = GetDlgItem(tip.nID))
            m_ToolTip.AddTool(pCtrl, tip.nTip);
    m_ToolTip.Activate(TRUE);

    ReadValues();
    for (int i = 0; i < kSliders; ++i)
    {
        const CValueRange& range = g_pTVEngine->GetProcAmpRange(i);
        SendDlgItemMessage(IDC_ADJUST_BRIGHTNESS + i, TBM_SETRANGEMIN, FALSE, range.m_nMin);
        SendDlgItemMessage(IDC_ADJUST_BRIGHTNESS + i, TBM_SETRANGEMAX, FALSE, range.m_nMax);
    }
    ShowValues();
    return TRUE;
}

BOOL CVideoAdjustDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.m_hWnd != NULL)
        m_ToolTip.RelayEvent(pMsg);
    if (pMsg->message == WM_KEYDOWN)
    {
        CWnd* pPanel = m_pParentWnd != NULL ? m_pParentWnd : GetParent();
        if (pPanel != NULL && pPanel->m_hWnd != NULL)
            ::PostMessageA(pPanel->m_hWnd, WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CVideoAdjustDlg::ReadValues()
{
    m_nBrightness = g_pTVEngine->GetBrightness();
    m_nContrast = g_pTVEngine->GetContrast();
    m_nHue = g_pTVEngine->GetHue();
    m_nSaturation = g_pTVEngine->GetSaturation();
    m_nSharpness = g_pTVEngine->GetSharpness();
}

void CVideoAdjustDlg::ShowValues()
{
    const int values[kSliders] = { m_nBrightness, m_nContrast, m_nHue, m_nSaturation, m_nSharpness };
    for (int i = 0; i < kSliders; ++i)
        SendDlgItemMessage(IDC_ADJUST_BRIGHTNESS + i, TBM_SETPOS, TRUE, values[i]);
}

void CVideoAdjustDlg::Show(BOOL bShow)
{
    if (bShow)
    {
        ReadValues();
        ShowValues();
        ShowWindow(SW_SHOW);
    }
    else
    {
        ShowWindow(SW_HIDE);
    }
}

void CVideoAdjustDlg::MoveTo(int x, int y)
{
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int CVideoAdjustDlg::SliderPos(UINT nID) const
{
    return static_cast<int>(SendDlgItemMessage(nID, TBM_GETPOS));
}

int CVideoAdjustDlg::OnSliderChanged(UINT nID)
{
    const int nPos = SliderPos(nID);
    switch (nID)
    {
    case IDC_ADJUST_BRIGHTNESS:
        g_pTVEngine->SetBrightness(nPos);
        m_nBrightness = nPos;
        break;
    case IDC_ADJUST_CONTRAST:
        g_pTVEngine->SetContrast(nPos);
        m_nContrast = nPos;
        break;
    case IDC_ADJUST_HUE:
        g_pTVEngine->SetHue(nPos);
        m_nHue = nPos;
        break;
    case IDC_ADJUST_SATURATION:
        g_pTVEngine->SetSaturation(nPos);
        m_nSaturation = nPos;
        break;
    case IDC_ADJUST_SHARPNESS:
        g_pTVEngine->SetSharpness(nPos);
        m_nSharpness = nPos;
        break;
    default:
        break;
    }
    return nPos;
}

void CVideoAdjustDlg::OnHide()
{
    Show(FALSE);
}

void CVideoAdjustDlg::OnReset()
{
    m_nBrightness = g_pTVEngine->GetProcAmpRange(CTVEngine::PROCAMP_BRIGHTNESS).m_nDefault;
    m_nContrast = g_pTVEngine->GetProcAmpRange(CTVEngine::PROCAMP_CONTRAST).m_nDefault;
    m_nHue = g_pTVEngine->GetProcAmpRange(CTVEngine::PROCAMP_HUE).m_nDefault;
    m_nSaturation = g_pTVEngine->GetProcAmpRange(CTVEngine::PROCAMP_SATURATION).m_nDefault;
    m_nSharpness = kDefaultSharpness;
    ShowValues();
    g_pTVEngine->ResetVideoProcAmp();
}

// Dragging applies each step; keyboard and page steps wait for the end of the scroll.
void CVideoAdjustDlg::OnScroll(UINT nSBCode, CScrollBar* pScrollBar)
{
    if ((nSBCode == SB_THUMBTRACK || nSBCode == SB_ENDSCROLL) && pScrollBar != NULL)
        OnSliderChanged(static_cast<UINT>(::GetDlgCtrlID(pScrollBar->m_hWnd)));
    Default();
}

void CVideoAdjustDlg::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* pScrollBar)
{
    OnScroll(nSBCode, pScrollBar);
}

void CVideoAdjustDlg::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* pScrollBar)
{
    OnScroll(nSBCode, pScrollBar);
}

BOOL CVideoAdjustDlg::OnMouseWheel(UINT /*nFlags*/, short /*zDelta*/, CPoint /*pt*/)
{
    return TRUE;
}
