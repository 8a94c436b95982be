#include "ui/settings/RecordFormatPage.h"

#include "engine/TVEngine.h"
#include "foundation/FolderBrowser.h"
#include "foundation/PathUtils.h"
#include "foundation/Trace.h"
#include "platform/afx/DataExchange.h"
#include "resources/ResourceIds.h"
#include "ui/settings/CaptureSizes.h"
#include "ui/settings/RecordDiskChoice.h"
#include "ui/settings/RecordFormatDlg.h"
#include "ui/settings/SettingsPanel.h"

IMPLEMENT_DYNAMIC(CRecordFormatPage, CPageBase)

namespace
{
const int kMpeg4Format = 3;
const int kTimeShiftStep = 600;
const int kTimeShiftChoices = 6;
// The motion-search setting stored for each choice of the radio group.
const int kMotionValues[] = { 0, 1, 3 };

int MotionChoiceOf(int nValue)
{
    return nValue == 1 ? 1 : nValue == 3 ? 2 : 0;
}

// A folder that exists or can be made; otherwise the fallback.
CString UsableFolder(const CString& folder, const CString& fallback)
{
    if (!folder.IsEmpty() && (DirectoryExists(folder) || CreateDirectoryPath(folder)))
        return folder;
    return fallback;
}
} // namespace

BEGIN_MESSAGE_MAP(CRecordFormatPage, CPageBase)
    ON_BN_CLICKED(IDC_RECORD_BROWSE_SNAP, &CRecordFormatPage::OnBrowseSnapshot)
    ON_BN_CLICKED(IDC_RECORD_BROWSE_FOLDER, &CRecordFormatPage::OnBrowseRecord)
    ON_CBN_SELCHANGE(IDC_RECORD_QUALITY, &CRecordFormatPage::OnQualityChanged)
    ON_CBN_SELCHANGE(IDC_RECORD_FORMAT, &CRecordFormatPage::OnFormatChanged)
    ON_CBN_SELCHANGE(IDC_RECORD_MPEG4_SIZE, &CRecordFormatPage::OnMpeg4SizeChanged)
    ON_CBN_SELCHANGE(IDC_RECORD_MPEG4_AUDIO, &CRecordFormatPage::OnMpeg4AudioChanged)
    ON_BN_CLICKED(IDC_RECORD_SNAP_BMP, &CRecordFormatPage::OnSnapshotType)
    ON_BN_CLICKED(IDC_RECORD_SNAP_JPEG, &CRecordFormatPage::OnSnapshotType)
    ON_BN_CLICKED(IDC_RECORD_TIMESHIFT_FIRST, &CRecordFormatPage::OnTimeShiftFirst)
    ON_BN_CLICKED(IDC_RECORD_TIMESHIFT_SECOND, &CRecordFormatPage::OnTimeShiftSecond)
    ON_BN_CLICKED(IDC_RECORD_MPEG_PARAMS, &CRecordFormatPage::OnMpegParameters)
    ON_CBN_SELCHANGE(IDC_RECORD_TIMESHIFT_LENGTH, &CRecordFormatPage::OnTimeShiftLength)
    ON_BN_CLICKED(IDC_RECORD_TIMESHIFT_RESERVE, &CRecordFormatPage::OnTimeShiftReserve)
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CRecordFormatPage::CRecordFormatPage()
    : CPageBase(IDD_PAGE_RECORD_FORMAT),
      m_nSnapType(0),
      m_nTimeShiftFormat(1),
      m_nMotionChoice(0),
      m_nJpegQuality(0),
      m_nMotionValue(0),
      m_nPictureQuality(1),
      m_nRecordFormat(0),
      m_nBackupTimeShiftLength(0),
      m_nBackupTimeShiftReserved(0),
      m_nBackupMpeg4Width(0),
      m_nBackupMpeg4Height(0)
{
}

CRecordFormatPage::~CRecordFormatPage() {}

void CRecordFormatPage::DoDataExchange(CDataExchange* pDX)
{
    CPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RECORD_MPEG4_SIZE, m_mpeg4Size);
    DDX_Control(pDX, IDC_RECORD_MPEG4_AUDIO, m_mpeg4Audio);
    DDX_Control(pDX, IDC_RECORD_FORMAT, m_format);
    DDX_Control(pDX, IDC_RECORD_QUALITY, m_quality);
    DDX_Control(pDX, IDC_RECORD_JPEG_QUALITY, m_jpegSlider);
    DDX_Control(pDX, IDC_RECORD_MOTION_SLIDER, m_motionSlider);
    DDX_Text(pDX, IDC_RECORD_SNAP_FOLDER, m_strSnapFolder);
    DDV_MaxChars(pDX, m_strSnapFolder, MAX_PATH - 1);
    DDX_Text(pDX, IDC_RECORD_FOLDER, m_strRecordFolder);
    DDV_MaxChars(pDX, m_strRecordFolder, MAX_PATH - 1);
    DDX_Radio(pDX, IDC_RECORD_SNAP_BMP, m_nSnapType);
    DDX_Radio(pDX, IDC_RECORD_TIMESHIFT_FIRST, m_nTimeShiftFormat);
    DDX_Radio(pDX, IDC_RECORD_MOTION_FIRST, m_nMotionChoice);
}

void CRecordFormatPage::LoadData()
{
    CTVHardWare& hw = g_pTVEngine->GetHardWare();
    m_strBackupMpeg4Audio = hw.Mpeg4Audio;
    m_nBackupMpeg4Width = g_pTVEngine->Mpeg4RecordSize.cx;
    m_nBackupMpeg4Height = g_pTVEngine->Mpeg4RecordSize.cy;
    m_nBackupTimeShiftReserved = g_pTVEngine->TFReserved;
    m_nBackupTimeShiftLength = g_pTVEngine->TFTime;
}

BOOL CRecordFormatPage::OnInitDialog()
{
    CPageBase::OnInitDialog();
    CTVEngine& engine = *g_pTVEngine;
    m_strSnapFolder = UsableFolder(engine.SnapPath, engine.GetDefaultSnapPath());
    m_strRecordFolder = UsableFolder(engine.GetRecordPath(), engine.GetDefaultRecordPath());
    m_nSnapType = 1 - (engine.SnapBmp ? 1 : 0);
    m_nJpegQuality = engine.JpgQuality;
    m_nMotionValue = engine.MotionSearchInc;
    m_nMotionChoice = MotionChoiceOf(m_nMotionValue);
    m_nTimeShiftFormat = engine.GetHardWare().TimeShiftFormat;
    m_nPictureQuality = engine.GetDisplayQuality();
    m_nRecordFormat = engine.GetRecordFormat();
    UpdateData(FALSE);

    m_jpegSlider.SetRange(0, 100, TRUE);
    m_jpegSlider.SetPos(m_nJpegQuality);
    m_jpegSlider.EnableWindow(m_nSnapType == 1);
    m_motionSlider.SetRange(0, 6, TRUE);
    m_motionSlider.SetPos(m_nMotionValue);
    CString text;
    text.Format("%d", m_nJpegQuality);
    SetDlgItemText(IDC_RECORD_JPEG_VALUE, text);
    text.Format("%d", m_nMotionValue);
    SetDlgItemText(IDC_RECORD_MOTION_VALUE, text);

    FillChoices(m_quality, IDS_RECORD_QUALITY_CHOICES);
    m_quality.SetCurSel(m_nPictureQuality);
    const CIdNameArray& formats = engine.GetRecordFormatNames();
    for (INT_PTR i = 0; i < formats.GetSize(); ++i)
    {
        const int nRow = m_format.AddString(formats[i].strName);
        m_format.SetItemData(nRow, static_cast<DWORD_PTR>(formats[i].nID));
        if (formats[i].nID == m_nRecordFormat)
            m_format.SetCurSel(nRow);
    }
    const CStringList& compressors = engine.GetHardWare().m_AudioCompressorList;
    for (POSITION pos = compressors.GetHeadPosition(); pos;)
        m_mpeg4Audio.AddString(compressors.GetNext(pos));
    if (SelectExact(m_mpeg4Audio, engine.GetHardWare().Mpeg4Audio) < 0)
        m_mpeg4Audio.SetCurSel(0);
    CheckDlgButton(IDC_RECORD_TIMESHIFT_RESERVE, engine.TFReserved != 0 ? BST_CHECKED : BST_UNCHECKED);
    // The length list shows the length in use from the start, not an empty choice.
    FillTimeShiftLengths();
    return TRUE;
}

void CRecordFormatPage::FillTimeShiftLengths()
{
    CComboBox* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_RECORD_TIMESHIFT_LENGTH));
    if (!pCombo)
        return;
    pCombo->ResetContent();
    for (int i = 1; i <= kTimeShiftChoices; ++i)
    {
        CString text;
        text.Format("%d", i * kTimeShiftStep / 60);
        pCombo->AddString(text);
    }
    int nSel = g_pTVEngine->TFTime / kTimeShiftStep - 1;
    if (nSel < 0)
        nSel = 0;
    if (nSel > kTimeShiftChoices - 1)
        nSel = kTimeShiftChoices - 1;
    pCombo->SetCurSel(nSel);
}

BOOL CRecordFormatPage::OnSetActive()
{
    CTVEngine& engine = *g_pTVEngine;
    if (FillCaptureSizes(m_mpeg4Size, engine.GetHardWare().IsNTSC(), engine.Mpeg4RecordSize) < 0)
    {
        // The size of the other standard's table gives way; that is no change of the user's.
        const BOOL bModified = IsModified();
        m_mpeg4Size.SetCurSel(0);
        OnMpeg4SizeChanged();
        SetModified(bModified);
    }
    ShowMpeg4Controls();
    return CPageBase::OnSetActive();
}

void CRecordFormatPage::ShowMpeg4Controls()
{
    const BOOL bMpeg4 = m_nRecordFormat == kMpeg4Format;
    const BOOL bParameters = m_nRecordFormat >= 1 && m_nRecordFormat <= kMpeg4Format;
    GetDlgItem(IDC_RECORD_MPEG4_SIZE)->ShowWindow(bMpeg4 ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_RECORD_MPEG4_SIZE_LABEL)->ShowWindow(bMpeg4 ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_RECORD_MPEG_PARAMS)->ShowWindow(bParameters ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_RECORD_MPEG4_AUDIO)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_RECORD_MPEG4_AUDIO_LABEL)->ShowWindow(SW_HIDE);
}

BOOL CRecordFormatPage::SaveData()
{
    if (!UpdateData(TRUE))
        return FALSE;
    CTVEngine& engine = *g_pTVEngine;
    m_strSnapFolder = UsableFolder(m_strSnapFolder, engine.GetDefaultSnapPath());
    engine.SnapPath = m_strSnapFolder;
    if (m_strRecordFolder != engine.GetRecordPath())
    {
        m_strRecordFolder = UsableFolder(m_strRecordFolder, engine.GetDefaultRecordPath());
        engine.SetRecordPath(m_strRecordFolder);
    }
    engine.SaveSnapPathToRegistry();
    engine.SaveRecordPathToRegistry();
    engine.SnapBmp = 1 - m_nSnapType;
    engine.JpgQuality = m_nJpegQuality;
    if (m_nMotionChoice >= 0 && m_nMotionChoice <= 2)
        engine.MotionSearchInc = kMotionValues[m_nMotionChoice];
    engine.GetHardWare().TimeShiftFormat = m_nTimeShiftFormat;
    engine.SetDisplayQuality(m_nPictureQuality);
    engine.SetRecordFormat(m_nRecordFormat);
    GetSettingsPanel()->UpdateMenuChecks();
    UpdateData(FALSE);
    return CPageBase::SaveData();
}

void CRecordFormatPage::OnReset()
{
    CTVEngine& engine = *g_pTVEngine;
    engine.GetHardWare().Mpeg4Audio = m_strBackupMpeg4Audio;
    engine.Mpeg4RecordSize = CSize(m_nBackupMpeg4Width, m_nBackupMpeg4Height);
    engine.GetHardWare().Mpeg4RecordSize = engine.Mpeg4RecordSize;
    engine.SetTimeShiftLength(m_nBackupTimeShiftLength);
    engine.SetTimeShiftReserved(m_nBackupTimeShiftReserved);
}

void CRecordFormatPage::OnBrowseSnapshot()
{
    UpdateData(TRUE);
    CFolderBrowser browser;
    if (browser.BrowseRes(m_hWnd, IDS_BROWSE_SNAPSHOT_FOLDER, NULL) != 1)
        return;
    m_strSnapFolder = browser.GetResult();
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CRecordFormatPage::OnBrowseRecord()
{
    UpdateData(TRUE);
    CFolderBrowser browser;
    if (browser.BrowseRes(m_hWnd, IDS_BROWSE_RECORD_FOLDER, NULL) != 1)
        return;
    m_strRecordFolder = browser.GetResult();
    UseDiskOfRecordFolder(*g_pTVEngine, m_strRecordFolder);
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CRecordFormatPage::OnQualityChanged()
{
    m_nPictureQuality = m_quality.GetCurSel();
    SetModified(TRUE);
}

void CRecordFormatPage::OnFormatChanged()
{
    const int nRow = m_format.GetCurSel();
    if (nRow < 0)
        return;
    m_nRecordFormat = static_cast<int>(m_format.GetItemData(nRow));
    ShowMpeg4Controls();
    SetModified(TRUE);
}

void CRecordFormatPage::OnMpeg4SizeChanged()
{
    const CSize size = CaptureSizeOfRow(m_mpeg4Size, m_mpeg4Size.GetCurSel());
    if (size.cx == 0)
        return;
    g_pTVEngine->Mpeg4RecordSize = size;
    // The graph manager records with its own copy.
    g_pTVEngine->GetHardWare().Mpeg4RecordSize = size;
    CString trace;
    trace.Format("mpeg4 size : CSize(%d,%d)\n", static_cast<int>(size.cx), static_cast<int>(size.cy));
    NullTrace(trace);
    SetModified(TRUE);
}

void CRecordFormatPage::OnMpeg4AudioChanged()
{
    const int nRow = m_mpeg4Audio.GetCurSel();
    if (nRow < 0)
        return;
    m_mpeg4Audio.GetLBText(nRow, g_pTVEngine->GetHardWare().Mpeg4Audio);
    SetModified(TRUE);
}

void CRecordFormatPage::OnSnapshotType()
{
    UpdateData(TRUE);
    m_jpegSlider.EnableWindow(m_nSnapType == 1);
    SetModified(TRUE);
}

void CRecordFormatPage::OnTimeShiftFirst()
{
    ChooseTimeShiftFormat(0);
}

void CRecordFormatPage::OnTimeShiftSecond()
{
    ChooseTimeShiftFormat(1);
}

void CRecordFormatPage::ChooseTimeShiftFormat(int nFormat)
{
    UpdateData(TRUE);
    m_nTimeShiftFormat = nFormat;
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CRecordFormatPage::OnMpegParameters()
{
    if (m_nRecordFormat == 1 || m_nRecordFormat == 2)
    {
        CRecordFormatDlg dlg(this);
        dlg.SetFormat(m_nRecordFormat);
        dlg.DoModal();
        return;
    }
    if (g_pTVEngine->ConfigureMpeg4Codec(m_hWnd))
        SetModified(TRUE);
}

void CRecordFormatPage::OnTimeShiftLength()
{
    CComboBox* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_RECORD_TIMESHIFT_LENGTH));
    const int nRow = pCombo->GetCurSel();
    if (nRow >= 0)
        g_pTVEngine->SetTimeShiftLength((nRow + 1) * kTimeShiftStep);
}

void CRecordFormatPage::OnTimeShiftReserve()
{
    g_pTVEngine->SetTimeShiftReserved(IsDlgButtonChecked(IDC_RECORD_TIMESHIFT_RESERVE) ? 1 : 0);
}

void CRecordFormatPage::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CPageBase::OnHScroll(nSBCode, nPos, pScrollBar);
    const HWND hSlider = pScrollBar ? pScrollBar->GetSafeHwnd() : NULL;
    CString text;
    if (hSlider == m_jpegSlider.m_hWnd)
    {
        m_nJpegQuality = m_jpegSlider.GetPos();
        text.Format("%d", m_nJpegQuality);
        SetDlgItemText(IDC_RECORD_JPEG_VALUE, text);
    }
    else if (hSlider == m_motionSlider.m_hWnd)
    {
        m_nMotionValue = m_motionSlider.GetPos();
        text.Format("%d", m_nMotionValue);
        SetDlgItemText(IDC_RECORD_MOTION_VALUE, text);
    }
    else
        return;
    SetModified(TRUE);
}

BOOL CRecordFormatPage::OnMouseWheel(UINT, short, CPoint)
{
    return TRUE;
}
