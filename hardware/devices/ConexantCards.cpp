#include "hardware/devices/ConexantCards.h"

#include "hardware/bus/2388xRegisterAccess.h"
#include "hardware/bus/BusClock.h"
#include "hardware/bus/McuRegisterAccess.h"
#include "hardware/devices/RemoteControlLock.h"

#include <new>

HRESULT SwitchConexantAudio(CRegisterAccess* pAccess, int nInput, BOOL bEnable, BOOL bLock)
{
    CRemoteControlLock lock(bLock);
    if (bLock && !lock.Locked())
        return E_FAIL;
    if (pAccess == NULL)
        return E_FAIL;
    BusSleep(CCaptureDevice::AUDIO_SWITCH_SETTLE_MS);
    DWORD word = 0;
    HRESULT hr = pAccess->ReadGpio(&word);
    if (FAILED(hr))
        return hr;
    if (!bEnable)
        word |= 0x3000;
    else if (nInput >= 0 && nInput <= 2)
        word = (word & ~0x3000u) | (static_cast<DWORD>(nInput) << 12);
    return pAccess->WriteGpio(word, 0x7000);
}

void CConexant2388xCapture::InitDefaults()
{
    m_strTunerFilterName = "Conexant 2388x Tuner";
}

HRESULT CConexant2388xCapture::SetAudioInput(int nInput, BOOL bEnable)
{
    return SwitchConexantAudio(m_pRegisterAccess, nInput, bEnable, FALSE);
}

HRESULT CConexant2388xCapture::CreateRegisterAccess()
{
    return AttachTunerFilterTransport(new (std::nothrow) C2388xRegisterAccess(), CARD_KIND_CONEXANT);
}

void CConexantMcuCapture::InitDefaults()
{
    m_strTunerFilterName = m_pszTuner;
    m_nKeyTimeout = DEFAULT_KEY_HOLD_MS;
}

HRESULT CConexantMcuCapture::SetAudioInput(int nInput, BOOL bEnable)
{
    return SwitchConexantAudio(m_pRegisterAccess, nInput, bEnable, TRUE);
}

HRESULT CConexantMcuCapture::CreateRegisterAccess()
{
    return AttachTunerFilterTransport(new (std::nothrow) CMcuRegisterAccess(),
                                      CConexant2388xCapture::CARD_KIND_CONEXANT);
}
