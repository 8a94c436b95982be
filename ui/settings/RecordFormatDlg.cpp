#include "ui/settings/RecordFormatDlg.h"

#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "resources/ResourceIds.h"
#include "ui/settings/CaptureSizes.h"

namespace
{
const int kVbrMin = 3;
const int kVbrMax = 9;
const int kAudioGroup[] = { IDC_MPEG_AUDIO_RATE,       IDC_MPEG_DATA_RATE_FIRST, IDC_MPEG_DATA_RATE_SECOND,
                            IDC_MPEG_DATA_RATE_THIRD,  IDC_MPEG_AUDIO_PUT_FIRST, IDC_MPEG_AUDIO_PUT_SECOND,
                            IDC_MPEG_AUDIO_PUT_THIRD,  IDC_MPEG_CRC_ON,          IDC_MPEG_CRC_OFF };
const int kVideoGroup[] = { IDC_MPEG_VIDEO_SIZE, IDC_MPEG_GOP_SIZE, IDC_MPEG_CLOSE_GOP, IDC_MPEG_CONSTANT,
                            IDC_MPEG_VIDEO_RATE, IDC_MPEG_VARIABLE, IDC_MPEG_VBR,       IDC_MPEG_VBR_VALUE,
                            IDC_MPEG_VBR_MIN,    IDC_MPEG_VBR_MAX };

BOOL IsNTSCStandard(int nStandard)
{
    return nStandard == 1 || nStandard == 2 || nStandard == 4;
}

int RadioIndex(CWnd& wnd, const int* pIds, int nCount)
{
    for (int i = 0; i < nCount; ++i)
    {
        if (wnd.IsDlgButtonChecked(pIds[i]))
            return i;
    }
    return -1;
}

void CheckRadio(CWnd& wnd, const int* pIds, int nCount, int nIndex)
{
    for (int i = 0; i < nCount; ++i)
        wnd.CheckDlgButton(pIds[i], i == nIndex ? BST_CHECKED : BST_UNCHECKED);
}

void EnableGroup(CWnd& dialog, const int* pIds, size_t nCount, BOOL bEnable, BOOL bShow)
{
    for (size_t i = 0; i < nCount; ++i)
    {
        if (CWnd* pWnd = dialog.GetDlgItem(pIds[i]))
        {
            pWnd->EnableWindow(bEnable);
            pWnd->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        }
    }
}

// Button order of each radio field: the field's value is the index.
const int kDataRateButtons[] = { IDC_MPEG_DATA_RATE_FIRST, IDC_MPEG_DATA_RATE_SECOND, IDC_MPEG_DATA_RATE_THIRD };
const int kAudioPutButtons[] = { IDC_MPEG_AUDIO_PUT_FIRST, IDC_MPEG_AUDIO_PUT_SECOND, IDC_MPEG_AUDIO_PUT_THIRD };
// AudioCrc: 4217 is on (1), 4218 off (0); VideoEncode: 4102 constant (1), 4103 variable (0).
const int kCrcButtons[] = { IDC_MPEG_CRC_OFF, IDC_MPEG_CRC_ON };
const int kEncodeButtons[] = { IDC_MPEG_VARIABLE, IDC_MPEG_CONSTANT };
} // namespace

BEGIN_MESSAGE_MAP(CRecordFormatDlg, CDialog)
    ON_BN_CLICKED(IDC_MPEG_CRC_ON, &CRecordFormatDlg::OnAudioCrc)
    ON_BN_CLICKED(IDC_MPEG_CRC_OFF, &CRecordFormatDlg::OnAudioCrc)
    ON_BN_CLICKED(IDC_MPEG_DATA_RATE_FIRST, &CRecordFormatDlg::OnAudioDataRate)
    ON_BN_CLICKED(IDC_MPEG_DATA_RATE_SECOND, &CRecordFormatDlg::OnAudioDataRate)
    ON_BN_CLICKED(IDC_MPEG_DATA_RATE_THIRD, &CRecordFormatDlg::OnAudioDataRate)
    ON_BN_CLICKED(IDC_MPEG_AUDIO_PUT_FIRST, &CRecordFormatDlg::OnAudioPut)
    ON_BN_CLICKED(IDC_MPEG_AUDIO_PUT_SECOND, &CRecordFormatDlg::OnAudioPut)
    ON_BN_CLICKED(IDC_MPEG_AUDIO_PUT_THIRD, &CRecordFormatDlg::OnAudioPut)
    ON_BN_CLICKED(IDC_MPEG_CLOSE_GOP, &CRecordFormatDlg::OnCloseGop)
    ON_BN_CLICKED(IDC_MPEG_CONSTANT, &CRecordFormatDlg::OnEncodeMode)
    ON_BN_CLICKED(IDC_MPEG_VARIABLE, &CRecordFormatDlg::OnEncodeMode)
    ON_BN_CLICKED(IDC_MPEG_DEFAULTS, &CRecordFormatDlg::OnDefaults)
    ON_BN_CLICKED(IDC_MPEG_SHOW_AUDIO, &CRecordFormatDlg::ShowFields)
    ON_BN_CLICKED(IDC_MPEG_SHOW_VIDEO, &CRecordFormatDlg::ShowFields)
    ON_BN_CLICKED(IDC_MPEG_OK, &CRecordFormatDlg::OnOK)
    ON_BN_CLICKED(IDC_MPEG_CANCEL, &CRecordFormatDlg::OnCancel)
    ON_CBN_SELCHANGE(IDC_MPEG_AUDIO_RATE, &CRecordFormatDlg::OnAudioRate)
    ON_CBN_SELCHANGE(IDC_MPEG_VIDEO_RATE, &CRecordFormatDlg::OnVideoRate)
    ON_CBN_SELCHANGE(IDC_MPEG_VIDEO_SIZE, &CRecordFormatDlg::OnVideoSize)
    ON_CBN_SELCHANGE(IDC_MPEG_GOP_SIZE, &CRecordFormatDlg::OnGopSize)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CRecordFormatDlg::CRecordFormatDlg(CWnd* pParent)
    : CDialog(IDD_RECORD_FORMAT_MPEG, pParent), m_copy(), m_pCopy(&m_copy), m_nFormat(1)
{
}

CRecordParamBlock& CRecordFormatDlg::TargetRecord() const
{
    CRecordParam& param = g_pTVEngine->GetRecordParam();
    return m_nFormat == 1 ? param.m_Mpeg1 : param.m_Mpeg2;
}

void CRecordFormatDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MPEG_AUDIO_RATE, m_audioRate);
    DDX_Control(pDX, IDC_MPEG_VIDEO_RATE, m_videoRate);
    DDX_Control(pDX, IDC_MPEG_VIDEO_SIZE, m_videoSize);
    DDX_Control(pDX, IDC_MPEG_GOP_SIZE, m_gopSize);
    DDX_Control(pDX, IDC_MPEG_VBR, m_vbr);
}

BOOL CRecordFormatDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    *m_pCopy = TargetRecord();
    FillChoices(m_audioRate, IDS_MPEG_AUDIO_RATE_CHOICES);
    FillChoices(m_videoRate, IDS_MPEG_VIDEO_RATE_CHOICES);
    FillChoices(m_gopSize, IDS_MPEG_GOP_SIZE_CHOICES);
    m_vbr.SetRange(kVbrMin, kVbrMax, TRUE);
    CString text;
    text.Format("%d", kVbrMin);
    SetDlgItemText(IDC_MPEG_VBR_MIN, text);
    text.Format("%d", kVbrMax);
    SetDlgItemText(IDC_MPEG_VBR_MAX, text);
    FillSizes();
    ShowFields();
    return TRUE;
}

void CRecordFormatDlg::FillSizes()
{
    // The list starts with the 625-line sizes, which the PAL standards and every standard other
    // than NTSC keep.
    static const char* const ntsc[] = { "352X240", "720X480" };
    static const char* const pal[] = { "352X288", "720X576" };
    const char* const* pSizes = IsNTSCStandard(g_pTVEngine->GetHardWare().GetVideoStandard()) ? ntsc : pal;
    m_videoSize.ResetContent();
    m_videoSize.AddString(pSizes[0]);
    m_videoSize.AddString(pSizes[1]);
}

void CRecordFormatDlg::ShowFields()
{
    const CRecordParamBlock& p = *m_pCopy;
    CheckRadio(*this, kCrcButtons, 2, p.AudioCrc ? 1 : 0);
    CheckRadio(*this, kDataRateButtons, 3, p.AudioDataRate);
    CheckRadio(*this, kAudioPutButtons, 3, p.AudioPut);
    CheckRadio(*this, kEncodeButtons, 2, p.VideoEncode ? 1 : 0);
    m_audioRate.SetCurSel(p.AudioRate);
    m_videoRate.SetCurSel(p.VideoRate);
    m_videoSize.SetCurSel(p.VideoSize);
    m_gopSize.SetCurSel(p.GOPSIZE == 15 ? 0 : 1);
    CheckDlgButton(IDC_MPEG_CLOSE_GOP, p.CloseGop ? BST_CHECKED : BST_UNCHECKED);
    m_vbr.SetPos(p.VideoVBR);
    CString text;
    text.Format("%d", p.VideoVBR);
    SetDlgItemText(IDC_MPEG_VBR_VALUE, text);
    m_videoRate.EnableWindow(p.VideoEncode != 0);
    m_vbr.EnableWindow(p.VideoEncode == 0);
}

void CRecordFormatDlg::OnAudioCrc()
{
    m_pCopy->AudioCrc = IsDlgButtonChecked(IDC_MPEG_CRC_ON) ? 1 : 0;
}

void CRecordFormatDlg::OnAudioDataRate()
{
    const int n = RadioIndex(*this, kDataRateButtons, 3);
    if (n >= 0)
        m_pCopy->AudioDataRate = n;
}

void CRecordFormatDlg::OnAudioPut()
{
    const int n = RadioIndex(*this, kAudioPutButtons, 3);
    if (n >= 0)
        m_pCopy->AudioPut = n;
}

void CRecordFormatDlg::OnAudioRate()
{
    if (m_audioRate.GetCurSel() >= 0)
        m_pCopy->AudioRate = m_audioRate.GetCurSel();
}

void CRecordFormatDlg::OnVideoRate()
{
    if (m_videoRate.GetCurSel() >= 0)
        m_pCopy->VideoRate = m_videoRate.GetCurSel();
}

void CRecordFormatDlg::OnVideoSize()
{
    if (m_videoSize.GetCurSel() >= 0)
        m_pCopy->VideoSize = m_videoSize.GetCurSel();
}

void CRecordFormatDlg::OnGopSize()
{
    if (m_gopSize.GetCurSel() >= 0)
        m_pCopy->GOPSIZE = m_gopSize.GetCurSel() == 0 ? 15 : 6;
}

void CRecordFormatDlg::OnCloseGop()
{
    m_pCopy->CloseGop = IsDlgButtonChecked(IDC_MPEG_CLOSE_GOP) ? 1 : 0;
}

void CRecordFormatDlg::OnEncodeMode()
{
    m_pCopy->VideoEncode = IsDlgButtonChecked(IDC_MPEG_CONSTANT) ? 1 : 0;
    m_videoRate.EnableWindow(m_pCopy->VideoEncode != 0);
    m_vbr.EnableWindow(m_pCopy->VideoEncode == 0);
}

void CRecordFormatDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    if (!pScrollBar || pScrollBar->GetSafeHwnd() != m_vbr.m_hWnd)
        return;
    m_pCopy->VideoVBR = m_vbr.GetPos();
    CString text;
    text.Format("%d", m_pCopy->VideoVBR);
    SetDlgItemText(IDC_MPEG_VBR_VALUE, text);
}

void CRecordFormatDlg::OnDefaults()
{
    CRecordParamBlock& p = *m_pCopy;
    p.VideoSize = m_nFormat == 1 ? 0 : 1;
    p.VideoRate = m_nFormat == 1 ? 2 : 5;
    p.AudioCrc = 1;
    p.AudioDataRate = 0;
    p.AudioPut = 0;
    p.VideoEncode = 1;
    p.GOPSIZE = 15;
    p.AudioRate = 1;
    p.CloseGop = 0;
    ShowFields();
}

void CRecordFormatDlg::OnOK()
{
    // Enter reaches here as well as the dialog's own OK button: either way the copy is stored.
    TargetRecord() = *m_pCopy;
    EndDialog(IDOK);
}

void CRecordFormatDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CRecordFormatDlg::EnableAudioGroup(BOOL bEnable, BOOL bShow)
{
    EnableGroup(*this, kAudioGroup, sizeof kAudioGroup / sizeof kAudioGroup[0], bEnable, bShow);
}

void CRecordFormatDlg::EnableVideoGroup(BOOL bEnable, BOOL bShow)
{
    EnableGroup(*this, kVideoGroup, sizeof kVideoGroup / sizeof kVideoGroup[0], bEnable, bShow);
}
