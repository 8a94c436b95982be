#include "engine/TVEngine.h"

#include "engine/AudioMixer.h"

namespace {
const LONG kSnapshotBmp = 1;
} // namespace

BOOL CTVEngine::StartChannelScan(int nMode)
{
    m_bScanning = m_TVHardWare.StartChannelScan(nMode == 1, FALSE);
    return m_bScanning;
}

void CTVEngine::StopChannelScan()
{
    if (!m_bScanning)
        return;
    m_TVHardWare.StopChannelScan();
    m_bScanning = FALSE;
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
        return MuteAudioPlaySrc;
    return bMute;
}

BOOL CTVEngine::GetPlayVolume(int& nPercent)
{
    DWORD dwValue = 0;
    if (!m_TVHardWare.GetPlaySourceVolume(&dwValue))
        return FALSE;
    nPercent = static_cast<int>((dwValue * 100 + 32767) / 65535);
    return TRUE;
}

BOOL CTVEngine::SetPlayVolume(int nPercent)
{
    if (nPercent < 0)
        nPercent = 0;
    if (nPercent > 100)
        nPercent = 100;
    return m_TVHardWare.SetPlaySourceVolume(static_cast<DWORD>((nPercent * 65535 + 50) / 100));
}

BOOL CTVEngine::MuteMasterOutput(BOOL bMute)
{
    CAudioMixer mixer;
    return mixer.Open(NULL, CAudioMixer::DESTINATION_SPEAKERS, NULL) && mixer.SetMute(NULL, bMute ? 1 : 0);
}

BOOL CTVEngine::SaveSnapshotTo(LPCSTR pszFile)
{
    return pszFile != NULL && m_TVHardWare.TakeSnapshot(pszFile, kSnapshotBmp, JpgQuality);
}
