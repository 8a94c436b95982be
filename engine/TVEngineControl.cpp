#include "engine/TVEngine.h"

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

BOOL CTVEngine::SaveSnapshotTo(LPCSTR pszFile)
{
    return pszFile != NULL && m_TVHardWare.TakeSnapshot(pszFile, kSnapshotBmp, JpgQuality);
}
