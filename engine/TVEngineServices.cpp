#include "engine/TVEngine.h"

#include "engine/MasterMute.h"

namespace
{
const DWORD kMixerFullScale = 65535;
const DWORD kPlayVolumePreset = 50000;
const char* const kVideoFormatNames[] = { "AVI", "MPEG1", "MPEG2", "MPEG4", "VCD", "SVCD", "DVD", "HiDVD" };
const char* const kAudioFormatNames[] = { "PCM", "ADPCM", "MP2" };
const int kAudioFormatCustom = 3;
} // namespace

UINT CTVEngine::MuteMasterOutput(BOOL bMute)
{
    return MuteMixerMasterLine(SystemMixerCalls(), bMute);
}

BOOL CTVEngine::SetOverlayDesktop(BOOL bOn)
{
    if (bOn == OverlayDesktop)
        return 1;
    BOOL bResult = bOn ? m_TVHardWare.StartDesktopOverlay() : m_TVHardWare.StopDesktopOverlay();
    if (bResult)
        OverlayDesktop = bOn;
    // The preview was built again: the channel goes back to the tuner.
    CChannelTable* pTable = GetChannelTable();
    if (pTable != NULL)
        pTable->SetCurrentChannel(GetCurrentChannel());
    return bResult;
}

BOOL CTVEngine::CanUseDesktopOverlay()
{
    if (IsTimeShifting() || m_bScanning || !m_TVHardWare.IsOverlayMixerReady())
        return 0;
    return m_TVHardWare.IsDesktopVideo();
}

BOOL CTVEngine::ClearDesktopWallpaper()
{
    if (!CanUseDesktopOverlay())
        return 0;
    return m_TVHardWare.ClearDesktopWallpaper();
}

BOOL CTVEngine::RestoreDesktopWallpaper()
{
    return m_TVHardWare.RestoreDesktopWallpaper();
}

BOOL CTVEngine::GetPlayVolume(int* pnPercent)
{
    DWORD dwValue = kPlayVolumePreset;
    if (pnPercent == NULL || !m_TVHardWare.GetPlaySourceVolume(&dwValue))
        return 0;
    *pnPercent = static_cast<int>((dwValue * 100 + kMixerFullScale / 2) / kMixerFullScale);
    return 1;
}

BOOL CTVEngine::SetPlayVolume(int nPercent)
{
    int nValue = (nPercent * static_cast<int>(kMixerFullScale) + 50) / 100;
    return m_TVHardWare.SetPlaySourceVolume(static_cast<DWORD>(nValue));
}

BOOL CTVEngine::SetPlaySourceMute(BOOL bMute, BOOL bRemember)
{
    if (bRemember)
        MuteAudioPlaySrc = bMute;
    return m_TVHardWare.SetPlaySourceMute(bMute);
}

BOOL CTVEngine::IsPlaySourceMuted()
{
    BOOL bMute = FALSE;
    if (!m_TVHardWare.GetPlaySourceMute(&bMute))
        return 0;
    return bMute;
}

void CTVEngine::GetVideoFormatName(CString& name, int nFormat)
{
    const int nNames = static_cast<int>(sizeof(kVideoFormatNames) / sizeof(kVideoFormatNames[0]));
    name = nFormat >= 0 && nFormat < nNames ? kVideoFormatNames[nFormat] : "";
}

void CTVEngine::GetAudioFormatName(CString& name, int nFormat)
{
    const int nNames = static_cast<int>(sizeof(kAudioFormatNames) / sizeof(kAudioFormatNames[0]));
    if (nFormat >= 0 && nFormat < nNames)
        name = kAudioFormatNames[nFormat];
    else if (nFormat == kAudioFormatCustom && m_FMCustom.IsCurValid())
        name = m_FMCustom.GetCurEntry()->m_strName;
    else
        name.Empty();
}

void CTVEngine::GetRecordFormatName(CString& name)
{
    if (IsRadio())
        GetAudioFormatName(name, m_TVHardWare.FMRecordFormat);
    else
        GetVideoFormatName(name, m_TVHardWare.RecordFormat);
}
