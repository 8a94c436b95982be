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
    return SwitchAudioByGpio(pAccess, nInput, bEnable, AudioRuleLines12And13, 0x7000);
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
