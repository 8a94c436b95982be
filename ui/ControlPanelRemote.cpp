// The control panel's remote-control keys and the channel-number entry that the remote's and the
// keyboard's digit keys feed.
#include "ui/ControlPanelDlg.h"

#include "resources/ResourceIds.h"
#include "ui/VideoDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"

namespace
{
const UINT kNumberEntryMs = 3000;
// The end of an entry: the display shows the channel again.
const int kEntryEnded = 3;

// The remote's digit keys: code, digit.
const struct
{
    UINT code;
    int digit;
} kRemoteDigits[] = {
    { 224, 1 }, { 252, 2 }, { 251, 3 }, { 250, 4 }, { 227, 5 },
    { 249, 6 }, { 248, 7 }, { 247, 8 }, { 226, 9 }, { 245, 0 },
};

CTVEngine& Engine() { return *g_pTVEngine; }

char DigitChar(int digit) { return digit < 0 ? '-' : static_cast<char>('0' + digit); }
}  // namespace

LRESULT CControlPanelDlg::OnRemoteKey(WPARAM wParam, LPARAM)
{
    if (!m_bRemoteKeysOn)
        return 0;
    CTVEngine& engine = Engine();
    UINT code = static_cast<UINT>(wParam);
    // The remote's channel keys act on the TV tuner only, never on the radio.
    BOOL bTVChannelKey = engine.IsTVInput() && !engine.IsScanning() && !engine.IsTimeShifting() && !m_bWallShown;
    switch (code)
    {
    case 165:
        OnRecord();
        break;
    case 179:
        OnPreviewWall();
        break;
    case 187:
        if (engine.IsTVInput() && !engine.IsScanning() && !engine.IsRecording() && !m_bWallShown)
            OnTimeShift(ID_TIMESHIFT_START);
        break;
    case 188:
        if (!engine.IsRecording() && !engine.IsScanning() && !m_bWallShown)
            OnSnapshot();
        break;
    case 189:
        OnPause();
        break;
    case 191:
        SetNextVideoSource(FALSE);
        break;
    case 228:
        OnFullScreen();
        break;
    case 232:
        OnVolume(ID_VOLUME_DOWN);
        break;
    case 233:
        if (bTVChannelKey)
            OnChannelNext();
        break;
    case 234:
        OnExit();
        break;
    case 237:
        if (bTVChannelKey)
            OnChannelPrev();
        break;
    case 239:
        RunShutdownCountDown();
        break;
    case 242:
        OnMute();
        break;
    case 243:
        OnVolume(ID_VOLUME_UP);
        break;
    case 244:
        OnChannelLast();
        break;
    case 246:
        if (engine.IsTunerSource())
            ToggleNumberMode();
        break;
    case 253:
        OnPictureBrowser();
        break;
    case 254:
    case 255:
        OnMoviePlayer();
        break;
    default:
        for (const auto& entry : kRemoteDigits)
        {
            if (entry.code == code)
            {
                OnDigit(entry.digit);
                break;
            }
        }
        break;
    }
    return 0;
}

void CControlPanelDlg::CancelNumberEntry()
{
    if (m_nNumberTimer != 0)
        KillTimer(TIMER_NUMBER_ENTRY);
    m_nNumberTimer = 0;
    m_nFirstDigit = m_nSecondDigit = m_nHundredsDigit = -1;
}

void CControlPanelDlg::ToggleNumberMode()
{
    CancelNumberEntry();
    m_nNumberMode = m_nNumberMode + 1 == 2 ? 0 : m_nNumberMode + 1;
    ShowDigits(m_nNumberMode);
}

void CControlPanelDlg::ShowDigits(int nMode)
{
    BOOL bRadio = Engine().IsRadio();
    CVideoDlg& video = GetVideoDlg();
    if (nMode == kEntryEnded)
    {
        if (bRadio)
            ShowChannelText();
        else if (video.m_hWnd != NULL)
            video.ShowDigitsLabel(FALSE);
        return;
    }
    CString text;
    if (nMode == 0)
        text.Format("%c", DigitChar(m_nFirstDigit));
    else if (nMode == 1)
        text.Format("%c%c", DigitChar(m_nFirstDigit), DigitChar(m_nSecondDigit));
    else
        text.Format("%c%c%c", DigitChar(m_nHundredsDigit), DigitChar(m_nFirstDigit), DigitChar(m_nSecondDigit));
    if (bRadio)
    {
        SetPanelText(IDC_PANEL_CHANNEL_TEXT, text);
    }
    else if (video.m_hWnd != NULL)
    {
        video.SetDigitsText(text);
        video.ShowDigitsLabel(TRUE);
    }
}

BOOL CControlPanelDlg::OnDigit(int digit)
{
    if (!CanChangeChannel() || digit < 0 || digit > 9)
        return FALSE;
    // A digit that is not the entry's last waits up to three seconds for the next one.
    int* pWaiting = NULL;
    if (m_nNumberMode == 2 && m_nHundredsDigit < 0)
        pWaiting = &m_nHundredsDigit;
    else if (m_nNumberMode != 0 && m_nFirstDigit < 0)
        pWaiting = &m_nFirstDigit;
    if (pWaiting != NULL)
    {
        if (pWaiting == &m_nHundredsDigit)
            m_nFirstDigit = -1;
        *pWaiting = digit;
        m_nSecondDigit = -1;
        m_nNumberTimer = SetTimer(TIMER_NUMBER_ENTRY, kNumberEntryMs, NULL);
        ShowDigits(m_nNumberMode);
        return TRUE;
    }
    if (m_nNumberMode == 0)
    {
        m_nFirstDigit = digit;
        m_nSecondDigit = -1;
    }
    else
    {
        m_nSecondDigit = digit;
    }
    ShowDigits(m_nNumberMode);
    ApplyChannelNumber();
    return TRUE;
}

void CControlPanelDlg::ApplyChannelNumber()
{
    CTVEngine& engine = Engine();
    if (engine.IsTunerSource() && !engine.IsRecording() && !engine.IsScanning() && !engine.IsTimeShifting())
    {
        int number = 0;
        switch (m_nNumberMode)
        {
        case 0:
            number = m_nFirstDigit;
            break;
        case 1:
            number = m_nSecondDigit < 0 ? m_nFirstDigit : m_nFirstDigit * 10 + m_nSecondDigit;
            break;
        default:
            number = (m_nFirstDigit >= 0 && m_nSecondDigit >= 0)
                         ? m_nHundredsDigit * 100 + m_nFirstDigit * 10 + m_nSecondDigit
                         : 0;
            break;
        }
        CChannelTable* pTable = engine.GetChannelTable();
        if (number > 0 && number <= pTable->GetCount())
        {
            StopPreviewForChange();
            pTable->SetCurrentChannel(pTable->GetChannel(number - 1));
            ShowChannelText();
        }
    }
    CancelNumberEntry();
    ShowDigits(kEntryEnded);
}
