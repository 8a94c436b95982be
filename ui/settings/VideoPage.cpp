#include "ui/settings/VideoPage.h"

#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "resources/ResourceIds.h"
#include "ui/settings/CaptureSizes.h"
#include "ui/settings/SettingsPanel.h"

IMPLEMENT_DYNAMIC(CVideoPage, CPageBase)

namespace
{
// Per picture value (brightness, contrast, hue, saturation, sharpness): its slider, edit and the
// two statics that show the range.
struct PictureControls
{
    int slider;
    int value;
    int low;
    int high;
};
const PictureControls kControls[CVideoPage::PICTURE_VALUES] = {
    { IDC_VIDEO_BRIGHTNESS, IDC_VIDEO_BRIGHTNESS_VALUE, IDC_VIDEO_BRIGHTNESS_MIN, IDC_VIDEO_BRIGHTNESS_MAX },
    { IDC_VIDEO_CONTRAST, IDC_VIDEO_CONTRAST_VALUE, IDC_VIDEO_CONTRAST_MIN, IDC_VIDEO_CONTRAST_MAX },
    { IDC_VIDEO_HUE, IDC_VIDEO_HUE_VALUE, IDC_VIDEO_HUE_MIN, IDC_VIDEO_HUE_MAX },
    { IDC_VIDEO_SATURATION, IDC_VIDEO_SATURATION_VALUE, IDC_VIDEO_SATURATION_MIN, IDC_VIDEO_SATURATION_MAX },
    { IDC_VIDEO_SHARPNESS, IDC_VIDEO_SHARPNESS_VALUE, IDC_VIDEO_SHARPNESS_MIN, IDC_VIDEO_SHARPNESS_MAX },
};
const int kDeviceDefaultSharpness = 1;
// Disabled for the radio: nothing of the picture applies.
const int kPictureControls[] = { IDC_VIDEO_SIZE,       IDC_VIDEO_NOISE_REDUCE, IDC_VIDEO_USE_OVERLAY,
                                 IDC_VIDEO_HALF_RATE,  IDC_VIDEO_HIGH_QUALITY, IDC_VIDEO_NOISE_LEVEL,
                                 IDC_VIDEO_SET_DEVICE, IDC_VIDEO_SET_OVERLAY,  IDC_VIDEO_BRIGHTNESS,
                                 IDC_VIDEO_CONTRAST,   IDC_VIDEO_HUE,          IDC_VIDEO_SATURATION,
                                 IDC_VIDEO_SHARPNESS,  IDC_VIDEO_DEFAULTS };

int SetDeviceValue(CTVEngine& engine, int nIndex, int nValue)
{
    switch (nIndex)
    {
    case 0: return engine.SetBrightness(nValue);
    case 1: return engine.SetContrast(nValue);
    case 2: return engine.SetHue(nValue);
    case 3: return engine.SetSaturation(nValue);
    default: return engine.SetSharpness(nValue);
    }
}

BOOL SetOverlayValue(CTVEngine& engine, int nIndex, int nValue)
{
    switch (nIndex)
    {
    case 0: return engine.SetOverlayBrightness(nValue);
    case 1: return engine.SetOverlayContrast(nValue);
    case 2: return engine.SetOverlayHue(nValue);
    case 3: return engine.SetOverlaySaturation(nValue);
    default: return engine.SetOverlaySharpness(nValue);
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CVideoPage, CPageBase)
    ON_BN_CLICKED(IDC_VIDEO_NOISE_REDUCE, &CVideoPage::OnNoiseReduce)
    ON_BN_CLICKED(IDC_VIDEO_SET_DEVICE, &CVideoPage::OnSetChosen)
    ON_BN_CLICKED(IDC_VIDEO_SET_OVERLAY, &CVideoPage::OnSetChosen)
    ON_CBN_SELCHANGE(IDC_VIDEO_SIZE, &CVideoPage::OnSizeChanged)
    ON_BN_CLICKED(IDC_VIDEO_DEFAULTS, &CVideoPage::OnDefaults)
    ON_BN_CLICKED(IDC_VIDEO_HIGH_QUALITY, &CVideoPage::OnHighQuality)
    ON_BN_CLICKED(IDC_VIDEO_USE_OVERLAY, &CVideoPage::OnUseOverlay)
    ON_BN_CLICKED(IDC_VIDEO_HALF_RATE, &CVideoPage::OnHalfRate)
    ON_BN_CLICKED(IDC_VIDEO_DESKTOP, &CVideoPage::OnDesktop)
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CVideoPage::CVideoPage()
    : CPageBase(IDD_PAGE_VIDEO),
      m_bHalfRate(FALSE),
      m_bUseOverlay(TRUE),
      m_bNoiseReduce(TRUE),
      m_nNoiseLevel(5),
      m_nSet(SET_DEVICE),
      m_bHighQuality(FALSE),
      m_captureSize(0, 0),
      m_bDesktop(FALSE),
      m_pBackup(NULL)
{
    static const int device[PICTURE_VALUES] = { 5020, 2235, 5020, 4980, 1 };
    static const int overlay[PICTURE_VALUES] = { 750, 10000, 0, 10000, 5 };
    for (int i = 0; i < PICTURE_VALUES; ++i)
    {
        m_device[i] = device[i];
        m_overlay[i] = overlay[i];
        m_shown[i] = 0;
    }
}

CVideoPage::~CVideoPage()
{
    delete m_pBackup;
}

void CVideoPage::DoDataExchange(CDataExchange* pDX)
{
    CPageBase::DoDataExchange(pDX);
    for (int i = 0; i < PICTURE_VALUES; ++i)
        DDX_Control(pDX, kControls[i].slider, m_sliders[i]);
    DDX_Control(pDX, IDC_VIDEO_SIZE, m_size);
    DDX_Control(pDX, IDC_VIDEO_NOISE_LEVEL, m_noiseSlider);
    DDX_Check(pDX, IDC_VIDEO_HALF_RATE, m_bHalfRate);
    DDX_Check(pDX, IDC_VIDEO_USE_OVERLAY, m_bUseOverlay);
    DDX_Check(pDX, IDC_VIDEO_NOISE_REDUCE, m_bNoiseReduce);
    for (int i = 0; i < PICTURE_VALUES; ++i)
        DDX_Text(pDX, kControls[i].value, m_shown[i]);
    DDX_Text(pDX, IDC_VIDEO_NOISE_VALUE, m_nNoiseLevel);
    DDX_Radio(pDX, IDC_VIDEO_SET_DEVICE, m_nSet);
    DDX_Check(pDX, IDC_VIDEO_HIGH_QUALITY, m_bHighQuality);
    DDX_Check(pDX, IDC_VIDEO_DESKTOP, m_bDesktop);
}

void CVideoPage::ReadController()
{
    CTVEngine& engine = *g_pTVEngine;
    m_bHighQuality = engine.GetHighQuality();
    m_bHalfRate = engine.GetHalfRate();
    m_bUseOverlay = engine.GetUseOverlay();
    m_bNoiseReduce = engine.GetNoiseReduce();
    m_nNoiseLevel = engine.GetReduceValue();
    m_captureSize = engine.GetVideoSize();
    const int device[PICTURE_VALUES] = { engine.GetBrightness(), engine.GetContrast(), engine.GetHue(),
                                         engine.GetSaturation(), engine.GetSharpness() };
    const int overlay[PICTURE_VALUES] = { engine.GetOverlayBrightness(), engine.GetOverlayContrast(),
                                          engine.GetOverlayHue(), engine.GetOverlaySaturation(),
                                          engine.GetOverlaySharpness() };
    for (int i = 0; i < PICTURE_VALUES; ++i)
    {
        m_device[i] = device[i];
        m_overlay[i] = overlay[i];
    }
    m_bDesktop = engine.CanUseDesktopOverlay();
}

void CVideoPage::LoadData()
{
    if (!m_pBackup)
        m_pBackup = new CVideoPage;
    m_pBackup->ReadController();
}

BOOL CVideoPage::OnInitDialog()
{
    CPageBase::OnInitDialog();
    m_noiseSlider.SetRange(0, 10, TRUE);
    ReadController();
    ShowSet();
    return TRUE;
}

void CVideoPage::ShowSet()
{
    CTVEngine& engine = *g_pTVEngine;
    for (int i = 0; i < PICTURE_VALUES; ++i)
    {
        const CValueRange& range = m_nSet == SET_OVERLAY ? engine.GetOverlayRange(i) : engine.GetProcAmpRange(i);
        m_sliders[i].SetRange(range.m_nMin, range.m_nMax, TRUE);
        SetDlgItemInt(kControls[i].low, range.m_nMin, TRUE);
        SetDlgItemInt(kControls[i].high, range.m_nMax, TRUE);
        m_shown[i] = m_nSet == SET_OVERLAY ? m_overlay[i] : m_device[i];
        m_sliders[i].SetPos(m_shown[i]);
    }
    m_noiseSlider.SetPos(m_nNoiseLevel);
    m_noiseSlider.EnableWindow(m_bNoiseReduce);
    UpdateData(FALSE);
}

void CVideoPage::EnableControls()
{
    const BOOL bRadio = g_pTVEngine->IsRadio();
    for (int nID : kPictureControls)
        GetDlgItem(nID)->EnableWindow(!bRadio);
    if (!bRadio)
        m_noiseSlider.EnableWindow(m_bNoiseReduce);
    GetDlgItem(IDC_VIDEO_DESKTOP)->EnableWindow(!bRadio && m_bUseOverlay);
}

BOOL CVideoPage::OnSetActive()
{
    ReadController();
    if (FillCaptureSizes(m_size, g_pTVEngine->GetHardWare().IsNTSC(), m_captureSize) < 0 && m_size.GetCount() > 0)
    {
        // The size of the other standard's table gives way; that is no change of the user's.
        const BOOL bModified = IsModified();
        m_size.SetCurSel(0);
        OnSizeChanged();
        SetModified(bModified);
    }
    ShowSet();
    EnableControls();
    return CPageBase::OnSetActive();
}

void CVideoPage::ApplyValue(int nIndex, int nValue)
{
    m_shown[nIndex] = nValue;
    SetDlgItemInt(kControls[nIndex].value, nValue, TRUE);
    if (m_nSet == SET_OVERLAY)
    {
        m_overlay[nIndex] = nValue;
        SetOverlayValue(*g_pTVEngine, nIndex, nValue);
    }
    else
    {
        m_device[nIndex] = nValue;
        SetDeviceValue(*g_pTVEngine, nIndex, nValue);
    }
}

void CVideoPage::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CPageBase::OnHScroll(nSBCode, nPos, pScrollBar);
    if (!pScrollBar || (nSBCode != TB_THUMBTRACK && nSBCode != TB_ENDTRACK))
        return;
    const HWND hSlider = pScrollBar->GetSafeHwnd();
    if (hSlider == m_noiseSlider.m_hWnd)
    {
        m_nNoiseLevel = m_noiseSlider.GetPos();
        SetDlgItemInt(IDC_VIDEO_NOISE_VALUE, m_nNoiseLevel, TRUE);
        g_pTVEngine->SetReduceValue(m_nNoiseLevel);
        SetModified(TRUE);
        return;
    }
    for (int i = 0; i < PICTURE_VALUES; ++i)
    {
        if (hSlider == m_sliders[i].m_hWnd)
        {
            ApplyValue(i, m_sliders[i].GetPos());
            SetModified(TRUE);
            return;
        }
    }
}

void CVideoPage::OnNoiseReduce()
{
    SetModified(TRUE);
    UpdateData(TRUE);
    m_noiseSlider.EnableWindow(m_bNoiseReduce);
    g_pTVEngine->SetNoiseReduce(m_bNoiseReduce);
}

void CVideoPage::OnSetChosen()
{
    SetModified(TRUE);
    UpdateData(TRUE);
    if (m_nSet == SET_OVERLAY && !g_pTVEngine->IsOverlayActive())
        SettingsMessageBox(this, IDS_OVERLAY_NOT_ACTIVE, MB_OK | MB_ICONINFORMATION);
    ShowSet();
}

void CVideoPage::OnSizeChanged()
{
    SetModified(TRUE);
    const CSize size = CaptureSizeOfRow(m_size, m_size.GetCurSel());
    if (size.cx == 0)
        return;
    m_captureSize = size;
    GetSettingsPanel()->StopPreviewForChange();
    g_pTVEngine->SetVideoSize(size);
}

void CVideoPage::OnDefaults()
{
    SetModified(TRUE);
    CTVEngine& engine = *g_pTVEngine;
    for (int i = 0; i < PICTURE_VALUES; ++i)
    {
        if (m_nSet == SET_OVERLAY)
            m_overlay[i] = engine.GetOverlayRange(i).m_nDefault;
        else
            m_device[i] = i == CTVEngine::PROCAMP_SHARPNESS ? kDeviceDefaultSharpness : engine.GetProcAmpRange(i).m_nDefault;
    }
    ShowSet();
    if (m_nSet == SET_OVERLAY)
        engine.ResetOverlayColors();
    else
        engine.ResetVideoProcAmp();
}

void CVideoPage::OnHighQuality()
{
    SetModified(TRUE);
    UpdateData(TRUE);
    CWaitCursor wait;
    g_pTVEngine->SetHighQuality(m_bHighQuality);
}

void CVideoPage::OnUseOverlay()
{
    SetModified(TRUE);
    UpdateData(TRUE);
    CWaitCursor wait;
    if (!g_pTVEngine->SetUseOverlay(m_bUseOverlay))
        SettingsMessageBox(this, IDS_OVERLAY_FAILED, MB_OK | MB_ICONINFORMATION);
    GetDlgItem(IDC_VIDEO_DESKTOP)->EnableWindow(m_bUseOverlay);
}

void CVideoPage::OnHalfRate()
{
    SetModified(TRUE);
    UpdateData(TRUE);
    CWaitCursor wait;
    g_pTVEngine->SetHalfRate(m_bHalfRate);
}

void CVideoPage::OnDesktop()
{
    SetModified(TRUE);
    GetSettingsPanel()->StopPreviewForChange();
    const BOOL bOn = IsDlgButtonChecked(IDC_VIDEO_DESKTOP) != 0;
    if (!g_pTVEngine->SetOverlayDesktop(bOn))
        CheckDlgButton(IDC_VIDEO_DESKTOP, bOn ? BST_UNCHECKED : BST_CHECKED);
    m_bDesktop = IsDlgButtonChecked(IDC_VIDEO_DESKTOP) != 0;
}

BOOL CVideoPage::OnMouseWheel(UINT, short, CPoint)
{
    return TRUE;
}

void CVideoPage::OnReset()
{
    if (!m_pBackup)
        return;
    CWaitCursor wait;
    CTVEngine& engine = *g_pTVEngine;
    const CVideoPage& b = *m_pBackup;
    // What the controller holds now, not what the page last showed.
    CVideoPage now;
    now.ReadController();
    if (now.m_captureSize != b.m_captureSize || now.m_bUseOverlay != b.m_bUseOverlay || now.m_bDesktop != b.m_bDesktop)
        GetSettingsPanel()->StopPreviewForChange();
    if (now.m_bHighQuality != b.m_bHighQuality)
        engine.SetHighQuality(b.m_bHighQuality);
    if (now.m_bHalfRate != b.m_bHalfRate)
        engine.SetHalfRate(b.m_bHalfRate);
    if (now.m_bUseOverlay != b.m_bUseOverlay)
        engine.SetUseOverlay(b.m_bUseOverlay);
    if (now.m_bNoiseReduce != b.m_bNoiseReduce)
        engine.SetNoiseReduce(b.m_bNoiseReduce);
    if (now.m_nNoiseLevel != b.m_nNoiseLevel)
        engine.SetReduceValue(b.m_nNoiseLevel);
    if (now.m_captureSize != b.m_captureSize)
        engine.SetVideoSize(b.m_captureSize);
    if (now.m_bDesktop != b.m_bDesktop)
        engine.SetOverlayDesktop(b.m_bDesktop);
    for (int i = 0; i < PICTURE_VALUES; ++i)
    {
        if (now.m_device[i] != b.m_device[i])
            SetDeviceValue(engine, i, b.m_device[i]);
        if (now.m_overlay[i] != b.m_overlay[i])
            SetOverlayValue(engine, i, b.m_overlay[i]);
    }
}
