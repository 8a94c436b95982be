#include "platform/sim/blackbird/SimBlackBirdCard.h"

#include "platform/sim/chipbus/SimLock.h"

#include <dshow.h>
#include <string.h>

namespace
{
const DWORD kEncoderLengths[CSimBlackBirdCard::ENCODER_PROPERTY_COUNT] = { 12, 4, 1, 0, 1, 4, 4, 4, 4, 4 };

void PutDword(std::vector<BYTE>& value, DWORD v)
{
    value.resize(4);
    memcpy(value.data(), &v, 4);
}
}

CSimBlackBirdCard& CSimBlackBirdCard::Instance()
{
    static CSimBlackBirdCard s_card;
    return s_card;
}

CSimBlackBirdCard::CSimBlackBirdCard()
    : m_byPllAddress(0)
{
    InitializeCriticalSection(&m_cs);
    Reset();
}

CSimBlackBirdCard::~CSimBlackBirdCard()
{
    DeleteCriticalSection(&m_cs);
}

void CSimBlackBirdCard::Reset()
{
    CSimLock lock(&m_cs);
    m_bus.DetachChip(0xA0);
    if (m_byPllAddress != 0)
        m_bus.DetachChip(m_byPllAddress);
    m_eeprom = CSimEeprom();
    m_eeprom.SetTuner('T', 4);
    m_pll = CSimPllTuner();
    SimStation station = { 471250, FALSE };
    m_pll.SetStations(&station, 1);
    m_bus.AttachChip(0xA0, &m_eeprom);
    m_byPllAddress = 0xC0;
    m_bus.AttachChip(m_byPllAddress, &m_pll);
    m_bus.ClearLog();
    m_alRoutes[SIM_XBAR_OUT_VIDEO] = SIM_XBAR_VIDEO_TUNER;
    m_alRoutes[SIM_XBAR_OUT_AUDIO] = SIM_XBAR_AUDIO_TUNER;
    m_lVideoStandard = AnalogVideo_PAL_D;
    m_lTVAudioMode = AMTVAUDIO_MODE_STEREO;
    m_lTunerMode = AMTUNER_MODE_TV;
    m_lChannel = 0;
    m_lVideoSub = 0;
    m_lAudioSub = 0;
    static const LONG s_defaults[5] = { 5020, 2235, 5020, 4980, 1 };
    memcpy(m_alProcAmp, s_defaults, sizeof(s_defaults));
    m_bCompanions = TRUE;
    m_nCompanionsMade = 0;
    m_bCardControl = TRUE;
    // What the encoder comes up with: a DVD-like MPEG-2 program stream.
    m_aEncoderValues[0].assign(12, 0);
    DWORD rates[3] = { 0, 4500000, 9800000 };
    memcpy(m_aEncoderValues[0].data(), rates, 12);
    PutDword(m_aEncoderValues[1], 0);
    m_aEncoderValues[2].assign(1, 15);
    m_aEncoderValues[3].clear();
    m_aEncoderValues[4].assign(1, 11);
    PutDword(m_aEncoderValues[5], 1);
    PutDword(m_aEncoderValues[6], 0);
    PutDword(m_aEncoderValues[7], 0);
    PutDword(m_aEncoderValues[8], 3);
    PutDword(m_aEncoderValues[9], 10);
    m_refusals.clear();
    m_encoderLog.clear();
    m_bPacing = TRUE;
    m_nPasses = 0;
    for (LONG& standard : m_alSourceStandards)
        standard = AnalogVideo_PAL_D;
    m_bAudioPin = FALSE;
}

void CSimBlackBirdCard::SetSourceStandard(LONG input, LONG standard)
{
    CSimLock lock(&m_cs);
    if (input >= 0 && input <= SIM_XBAR_VIDEO_COMPOSITE)
        m_alSourceStandards[input] = standard;
}

LONG CSimBlackBirdCard::GetSourceStandard(LONG input)
{
    CSimLock lock(&m_cs);
    return input >= 0 && input <= SIM_XBAR_VIDEO_COMPOSITE ? m_alSourceStandards[input] : 0;
}

void CSimBlackBirdCard::SetEepromTuner(char letter, BYTE type)
{
    CSimLock lock(&m_cs);
    m_eeprom.SetTuner(letter, type);
}

void CSimBlackBirdCard::SetEepromByte(int offset, BYTE value)
{
    CSimLock lock(&m_cs);
    m_eeprom.SetByte(offset, value);
}

BYTE CSimBlackBirdCard::GetEepromByte(int offset)
{
    CSimLock lock(&m_cs);
    return m_eeprom.GetByte(offset);
}

void CSimBlackBirdCard::SetStations(const SimStation* pStations, int count)
{
    CSimLock lock(&m_cs);
    m_pll.SetStations(pStations, count);
}

void CSimBlackBirdCard::SetPllAddress(BYTE writeAddress)
{
    CSimLock lock(&m_cs);
    if (m_byPllAddress != 0)
        m_bus.DetachChip(m_byPllAddress);
    m_byPllAddress = writeAddress & 0xFE;
    if (m_byPllAddress != 0)
        m_bus.AttachChip(m_byPllAddress, &m_pll);
}

int CSimBlackBirdCard::GetBusEventCount()
{
    return m_bus.GetEventCount();
}

BOOL CSimBlackBirdCard::GetBusEvent(int index, SimBusEvent* pEvent)
{
    return m_bus.GetEvent(index, pEvent);
}

void CSimBlackBirdCard::ClearBusLog()
{
    m_bus.ClearLog();
}

BOOL CSimBlackBirdCard::IsOnStation()
{
    CSimLock lock(&m_cs);
    return m_pll.IsOnStation();
}

double CSimBlackBirdCard::GetTunedFrequency()
{
    CSimLock lock(&m_cs);
    return m_pll.IsTuned() ? m_pll.GetTunedFrequency() : 0.0;
}

HRESULT CSimBlackBirdCard::Route(LONG output, LONG input)
{
    CSimLock lock(&m_cs);
    if (output < 0 || output >= SIM_XBAR_OUTPUTS || input < 0 || input >= SIM_XBAR_INPUTS)
        return E_INVALIDARG;
    BOOL bVideoInput = input <= SIM_XBAR_VIDEO_COMPOSITE;
    if (bVideoInput != (output == SIM_XBAR_OUT_VIDEO))
        return S_FALSE;
    m_alRoutes[output] = input;
    return S_OK;
}

LONG CSimBlackBirdCard::GetRoute(LONG output)
{
    CSimLock lock(&m_cs);
    return output >= 0 && output < SIM_XBAR_OUTPUTS ? m_alRoutes[output] : -1;
}

LONG CSimBlackBirdCard::GetVideoStandard()
{
    return m_lVideoStandard;
}

LONG CSimBlackBirdCard::GetTVAudioMode()
{
    return m_lTVAudioMode;
}

LONG CSimBlackBirdCard::GetTunerMode()
{
    return m_lTunerMode;
}

void CSimBlackBirdCard::GetTunerChannel(LONG* pChannel, LONG* pVideo, LONG* pAudio)
{
    CSimLock lock(&m_cs);
    if (pChannel != NULL)
        *pChannel = m_lChannel;
    if (pVideo != NULL)
        *pVideo = m_lVideoSub;
    if (pAudio != NULL)
        *pAudio = m_lAudioSub;
}

void CSimBlackBirdCard::SetTunerChannel(LONG channel, LONG video, LONG audio)
{
    CSimLock lock(&m_cs);
    m_lChannel = channel;
    m_lVideoSub = video;
    m_lAudioSub = audio;
}

LONG CSimBlackBirdCard::GetProcAmp(LONG property)
{
    CSimLock lock(&m_cs);
    return property >= 0 && property < 5 ? m_alProcAmp[property] : 0;
}

void CSimBlackBirdCard::SetProcAmp(LONG property, LONG value)
{
    CSimLock lock(&m_cs);
    if (property >= 0 && property < 5)
        m_alProcAmp[property] = value;
}

void CSimBlackBirdCard::SetCompanionsEnabled(BOOL bEnabled)
{
    m_bCompanions = bEnabled;
}

int CSimBlackBirdCard::GetCompanionsMade()
{
    return m_nCompanionsMade;
}

void CSimBlackBirdCard::SetCardControlSupported(BOOL bSupported)
{
    m_bCardControl = bSupported;
}

DWORD CSimBlackBirdCard::EncoderPropertyLength(DWORD id)
{
    return id < ENCODER_PROPERTY_COUNT ? kEncoderLengths[id] : 0;
}

void CSimBlackBirdCard::RefuseEncoderProperty(DWORD id, HRESULT hr)
{
    CSimLock lock(&m_cs);
    if (hr == S_OK)
        m_refusals.erase(id);
    else
        m_refusals[id] = hr;
}

HRESULT CSimBlackBirdCard::SetEncoderProperty(DWORD id, const BYTE* pData, DWORD cbData)
{
    CSimLock lock(&m_cs);
    EncoderWrite write;
    write.id = id;
    if (pData != NULL)
        write.data.assign(pData, pData + cbData);
    m_encoderLog.push_back(write);
    std::map<DWORD, HRESULT>::const_iterator refused = m_refusals.find(id);
    if (refused != m_refusals.end())
        return refused->second;
    DWORD length = EncoderPropertyLength(id);
    if (length == 0)
        return E_PROP_ID_UNSUPPORTED;
    if (pData == NULL || cbData < length)
        return E_INVALIDARG;
    m_aEncoderValues[id].assign(pData, pData + length);
    return S_OK;
}

HRESULT CSimBlackBirdCard::GetEncoderProperty(DWORD id, BYTE* pData, DWORD cbData, DWORD* pcbReturned)
{
    CSimLock lock(&m_cs);
    std::map<DWORD, HRESULT>::const_iterator refused = m_refusals.find(id);
    if (refused != m_refusals.end())
        return refused->second;
    DWORD length = EncoderPropertyLength(id);
    if (length == 0)
        return E_PROP_ID_UNSUPPORTED;
    if (pData == NULL || cbData < length)
        return E_INVALIDARG;
    memcpy(pData, m_aEncoderValues[id].data(), length);
    if (pcbReturned != NULL)
        *pcbReturned = length;
    return S_OK;
}

DWORD CSimBlackBirdCard::GetStreamKind()
{
    CSimLock lock(&m_cs);
    DWORD kind = 0;
    memcpy(&kind, m_aEncoderValues[9].data(), 4);
    return kind;
}

int CSimBlackBirdCard::GetEncoderWriteCount()
{
    CSimLock lock(&m_cs);
    return static_cast<int>(m_encoderLog.size());
}

BOOL CSimBlackBirdCard::GetEncoderWrite(int index, DWORD* pId, BYTE* pData, DWORD cbData, DWORD* pcbWritten)
{
    CSimLock lock(&m_cs);
    if (index < 0 || index >= static_cast<int>(m_encoderLog.size()))
        return FALSE;
    const EncoderWrite& write = m_encoderLog[index];
    if (pId != NULL)
        *pId = write.id;
    DWORD n = static_cast<DWORD>(write.data.size());
    if (pcbWritten != NULL)
        *pcbWritten = n;
    if (pData != NULL && n > 0)
        memcpy(pData, write.data.data(), n < cbData ? n : cbData);
    return TRUE;
}

void CSimBlackBirdCard::ClearEncoderLog()
{
    CSimLock lock(&m_cs);
    m_encoderLog.clear();
}
