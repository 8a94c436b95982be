// Time shift from the control panel: live television paused into the disk buffer, resumed and
// stopped by the three time-shift commands, with the position slider following the buffer.
#include "ui/ControlPanelDlg.h"

#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "skin/DialogSkin.h"
#include "skin/MultiSlider.h"
#include "skin/SkinButton.h"
#include "ui/VideoDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"
#include "foundation/PathUtils.h"

namespace
{
const UINT kPositionMs = 1000;
const int kDefaultLengthSeconds = 600;

CTVEngine& Engine() { return *g_pTVEngine; }

BOOL SameDrive(const CString& a, const CString& b)
{
    return a.GetLength() >= 2 && b.GetLength() >= 2 && a.Left(2).CompareNoCase(b.Left(2)) == 0;
}

void ShowNoticeText(UINT nTextId)
{
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd == NULL)
        return;
    CString text;
    AfxLoadString(nTextId, text);
    video.SetNoticeText(text);
    video.ShowNoticeLabel(TRUE);
}
}  // namespace

CMultiSlider* CControlPanelDlg::GetTimeShiftSlider()
{
    return m_pSkin != NULL ? dynamic_cast<CMultiSlider*>(m_pSkin->FindControl(IDC_TIMESHIFT_POSITION)) : NULL;
}

void CControlPanelDlg::StartTimeShift()
{
    CTVEngine& engine = Engine();
    // A second start would take the line the running one muted for the user's own setting.
    if (engine.IsTimeShifting())
        return;
    int nVolume = GetVolumePercent();
    BOOL bMuted = engine.IsPlaySourceMuted();
    if (engine.IsRecording() || engine.IsScanning() || engine.IsRadio() || engine.IsDeviceMissing() || m_bWallShown)
        return;
    m_nTimeShiftVolume = nVolume;
    m_bTimeShiftMute = bMuted;
    ShowNoticeText(IDS_TIMESHIFT_STARTED);
    CString root;
    if (!engine.FindTimeShiftDisk(root) || root.IsEmpty())
    {
        MessageBoxRes(IDS_TIMESHIFT_NO_FILE, IDS_TIMESHIFT_CAPTION, MB_ICONINFORMATION);
        return;
    }
    // The buffer file goes into the record folder: it moves to the disk that has room for it.
    if (!SameDrive(root, engine.GetRecordFolder()))
    {
        CString path = root;
        if (!engine.GetVideoFolder().IsEmpty())
            path = JoinPath(path, engine.GetVideoFolder());
        if (!engine.SetRecordPath(path))
        {
            MessageBoxRes(IDS_TIMESHIFT_NO_FILE, IDS_TIMESHIFT_CAPTION, MB_ICONINFORMATION);
            return;
        }
    }
    CWaitCursor wait;
    if (!engine.StartTimeShift())
    {
        ShowTimeShiftState();
        MessageBoxRes(IDS_TIMESHIFT_START_FAILED, IDS_TIMESHIFT_CAPTION, MB_ICONINFORMATION);
        return;
    }
    RetuneCurrentChannel();
    // The live line falls silent: the time-shift graph's sound renderer plays what is watched.
    engine.SetPlaySourceMute(TRUE, FALSE);
    ShowTimeShiftState();
    m_nTimeShiftSeconds = 0;
    SetTimer(TIMER_TIMESHIFT_POSITION, kPositionMs, NULL);
    ShowNoticeText(IDS_TIMESHIFT_STARTED);
    SetVolume(m_nTimeShiftVolume);
}

void CControlPanelDlg::ToggleTimeShiftPause()
{
    CTVEngine& engine = Engine();
    if (!engine.IsTimeShifting())
        return;
    if (!engine.ToggleTimeShiftPause())
        MessageBoxRes(IDS_TIMESHIFT_RESUME_FAILED, IDS_TIMESHIFT_CAPTION, MB_ICONINFORMATION);
    ShowTimeShiftState();
}

void CControlPanelDlg::StopTimeShift()
{
    CTVEngine& engine = Engine();
    if (!engine.IsTimeShifting())
        return;
    engine.SetPlaySourceMute(TRUE, FALSE);
    if (!engine.StopTimeShift())
    {
        MessageBoxRes(IDS_TIMESHIFT_STOP_FAILED, IDS_TIMESHIFT_CAPTION, MB_ICONINFORMATION);
        return;
    }
    KillTimer(TIMER_TIMESHIFT_POSITION);
    m_nTimeShiftSeconds = 0;
    ShowTimeShiftState();
    engine.SetPlaySourceMute(FALSE, FALSE);
    // Back to the live picture and the live line, as they were before time shift.
    StopPreviewForChange();
    RetuneCurrentChannel();
    StopSoundRestore();
    engine.SetPlaySourceMute(m_bTimeShiftMute, FALSE);
    SetVolume(m_nTimeShiftVolume);
}

void CControlPanelDlg::ShowTimeShiftState()
{
    CTVEngine& engine = Engine();
    BOOL bOn = engine.IsTimeShifting();
    EnableButton(ID_TIMESHIFT_START, !bOn && !engine.IsRecording() && !engine.IsScanning());
    EnableButton(ID_TIMESHIFT_PAUSE, bOn);
    EnableButton(ID_TIMESHIFT_STOP, bOn);
    EnableButton(IDC_TIMESHIFT_POSITION, bOn);
    // The pause button rests pressed while the play-back waits.
    if (CSkinButton* pButton = m_pSkin != NULL ? dynamic_cast<CSkinButton*>(m_pSkin->FindControl(ID_TIMESHIFT_PAUSE))
                                               : NULL)
        pButton->SetToggle(TRUE);
    SetButtonCheck(ID_TIMESHIFT_PAUSE, bOn && engine.GetHardWare().IsTimeShiftPaused());
}

void CControlPanelDlg::OnTimeShiftPosition()
{
    KillTimer(TIMER_TIMESHIFT_POSITION);
    CTVEngine& engine = Engine();
    if (!engine.IsTimeShifting())
    {
        EnableButton(IDC_TIMESHIFT_POSITION, FALSE);
        m_nTimeShiftSeconds = 0;
        return;
    }
    CMultiSlider* pSlider = GetTimeShiftSlider();
    // The thumb the user holds stays where the user has it.
    if (pSlider == NULL || !pSlider->IsDragging())
    {
        int nLength = engine.TFTime > 0 ? engine.TFTime : kDefaultLengthSeconds;
        if (engine.TFReserved && m_nTimeShiftSeconds >= nLength)
        {
            StopTimeShift();
            MessageBoxRes(IDS_TIMESHIFT_LENGTH_REACHED, IDS_TIMESHIFT_STARTED, MB_ICONINFORMATION);
            return;
        }
        LONGLONG read = 0, buffered = 0, total = 0;
        engine.GetHardWare().GetTimeShiftPosition(&read, &buffered, &total);
        EnableButton(IDC_TIMESHIFT_POSITION, TRUE);
        if (pSlider != NULL)
        {
            total = total < 0 ? 0 : total;
            buffered = buffered < 0 ? 0 : (buffered > total ? total : buffered);
            read = read < 0 ? 0 : (read > buffered ? buffered : read);
            pSlider->SetRange(0, total, FALSE);
            pSlider->SetSelection(0, buffered, FALSE);
            pSlider->SetPos(read, TRUE);
        }
    }
    SetTimer(TIMER_TIMESHIFT_POSITION, kPositionMs, NULL);
    ++m_nTimeShiftSeconds;
}

void CControlPanelDlg::OnTimeShiftPlaced()
{
    CMultiSlider* pSlider = GetTimeShiftSlider();
    if (pSlider == NULL || !Engine().IsTimeShifting())
        return;
    LONGLONG position = pSlider->GetPos();
    if (Engine().GetHardWare().SeekTimeShift(&position))
        pSlider->SetPos(position, TRUE);
}
