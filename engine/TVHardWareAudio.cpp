#include "engine/TVHardWare.h"

#include "dshow/AudioCaptureFilter.h"
#include "dshow/AudioRenderFilter.h"
#include "engine/AudioMixer.h"
#include "foundation/PathUtils.h"
#include "foundation/Trace.h"
#include "hardware/devices/CaptureDevice.h"
#include "hardware/devices/TVAudioDevice.h"

#include <ks.h>
#include <ksmedia.h>

namespace
{
const char kAudioDeviceNode[] = "AudioDevice";
const char kTVAudioName[] = "713x TV Card TV Audio (Proteus)";
// Component type 2 stands in when the mixer has no line input.
const DWORD kFallbackLineType = 2;

BOOL ListHoldsNoCase(const CStringList& list, LPCSTR pszName)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        if (list.GetNext(pos).CompareNoCase(pszName) == 0)
            return TRUE;
    }
    return FALSE;
}
}

BOOL CTVHardWare::InitAudioDevice()
{
    if (m_pAudioCaptureFilter == NULL && !m_AudioDeviceList.IsEmpty())
    {
        if (AudioDevice.IsEmpty())
            AudioDevice = m_AudioDeviceList.GetHead();
        m_pAudioCaptureFilter = dynamic_cast<CAudioCaptureFilter*>(
            m_Graph.AddFilterByName(CLSID_AudioInputDeviceCategory, AudioDevice, kAudioDeviceNode, FALSE, 0));
        for (POSITION pos = m_AudioDeviceList.GetHeadPosition(); pos != NULL && m_pAudioCaptureFilter == NULL;)
        {
            AudioDevice = m_AudioDeviceList.GetNext(pos);
            m_pAudioCaptureFilter = dynamic_cast<CAudioCaptureFilter*>(
                m_Graph.AddFilterByName(CLSID_AudioInputDeviceCategory, AudioDevice, kAudioDeviceNode, FALSE, 0));
        }
    }
    if (m_pAudioCaptureFilter == NULL)
        return FALSE;
    if (!m_pAudioCaptureFilter->EnableInput(AudioInput, TRUE))
    {
        // The line input of the mixer named exactly like the device.
        CStringList mixers;
        CAudioMixer::ListDevices(mixers);
        if (mixers.Find(AudioDevice) != NULL)
        {
            CAudioMixer mixer;
            if (mixer.Open(AudioDevice, CAudioMixer::DESTINATION_WAVEIN, NULL))
                mixer.GetLineName(CAudioMixer::SOURCE_LINE, AudioInput);
        }
        m_pAudioCaptureFilter->EnableInput(AudioInput, TRUE);
    }
    return TRUE;
}

BOOL CTVHardWare::SetAudioDevice(LPCSTR pszName)
{
    AudioDevice = pszName;
    return BuildRecordInputList();
}

BOOL CTVHardWare::SelectAudioCaptureInput(LPCSTR pszLine, BOOL bEnable)
{
    return m_pAudioCaptureFilter != NULL && m_pAudioCaptureFilter->EnableInput(pszLine, bEnable);
}

BOOL CTVHardWare::SetAudioCaptureFormat(int nRecordMode)
{
    if (m_pAudioCaptureFilter == NULL)
        return FALSE;
    WAVEFORMATEX format;
    memset(&format, 0, sizeof(format));
    if (!m_pAudioCaptureFilter->GetFormat(&format) || format.nBlockAlign == 0)
        return FALSE;
    format.nSamplesPerSec = nRecordMode == 6 || nRecordMode == 7 ? 48000 : 44100;
    format.nAvgBytesPerSec = format.nBlockAlign * format.nSamplesPerSec;
    return m_pAudioCaptureFilter->SetFormat(&format);
}

BOOL CTVHardWare::GetPlaySourceVolume(DWORD* pdwValue)
{
    CAudioMixer mixer;
    return mixer.Open(AudioPlayDev, CAudioMixer::DESTINATION_SPEAKERS, NULL) &&
           mixer.GetVolume(AudioPlayInput, pdwValue);
}

BOOL CTVHardWare::SetPlaySourceVolume(DWORD dwValue)
{
    CAudioMixer mixer;
    return mixer.Open(AudioPlayDev, CAudioMixer::DESTINATION_SPEAKERS, NULL) &&
           mixer.SetVolume(AudioPlayInput, dwValue);
}

BOOL CTVHardWare::GetPlaySourceMute(BOOL* pbMute)
{
    CAudioMixer mixer;
    DWORD dwValue = 0;
    if (pbMute == NULL || !mixer.Open(AudioPlayDev, CAudioMixer::DESTINATION_SPEAKERS, NULL) ||
        !mixer.GetMute(AudioPlayInput, &dwValue))
        return FALSE;
    *pbMute = dwValue != 0;
    return TRUE;
}

BOOL CTVHardWare::SetPlaySourceMute(BOOL bMute)
{
    CAudioMixer mixer;
    return mixer.Open(AudioPlayDev, CAudioMixer::DESTINATION_SPEAKERS, NULL) &&
           mixer.SetMute(AudioPlayInput, bMute ? 1 : 0);
}

BOOL CTVHardWare::SetRecordVolume(int nPercent)
{
    DWORD dwValue = static_cast<DWORD>((nPercent * 65535 + 50) / 100);
    CAudioMixer mixer;
    if (!mixer.Open(AudioDevice, CAudioMixer::DESTINATION_WAVEIN, NULL))
        return FALSE;
    AudioRecVol = nPercent;
    return mixer.SetVolume(AudioInput, dwValue);
}

BOOL CTVHardWare::GetRecordVolume(int* pnPercent)
{
    if (m_pAudioCaptureFilter == NULL)
        return FALSE;
    double level = 1.0;
    // A level that could not be read leaves the user's own in place.
    if (!m_pAudioCaptureFilter->GetMixLevel(AudioInput, &level))
        return FALSE;
    AudioRecVol = static_cast<int>(level * 100);
    if (pnPercent != NULL)
        *pnPercent = AudioRecVol;
    return TRUE;
}

BOOL CTVHardWare::SetRecordLineMute(BOOL bMute)
{
    {
        CAudioMixer record;
        if (record.Open(AudioDevice, CAudioMixer::DESTINATION_WAVEIN, NULL) &&
            record.SetOnOff(AudioInput, bMute ? 0 : 1))
            return TRUE;
    }
    CAudioMixer play;
    if (!play.Open(AudioPlayDev, CAudioMixer::DESTINATION_SPEAKERS, NULL) ||
        AudioInput.CompareNoCase(play.GetDestinationName()) == 0)
        return FALSE;
    return play.SetMute(AudioInput, bMute ? 1 : 0);
}

BOOL CTVHardWare::ApplyPlayLineVolume()
{
    CAudioMixer play;
    if (!play.Open(AudioPlayDev, CAudioMixer::DESTINATION_SPEAKERS, NULL) ||
        AudioInput.CompareNoCase(play.GetDestinationName()) == 0)
        return FALSE;
    // The line takes the level the user gave the play line.
    DWORD dwLevel = 0;
    if (!play.GetVolume(AudioPlayInput, &dwLevel))
        return FALSE;
    return play.SetVolume(AudioInput, dwLevel);
}

BOOL CTVHardWare::SetAudioMute(BOOL bMute)
{
    if (m_pAudioCaptureFilter == NULL)
        return FALSE;
    if (bMute)
        return HasAudioPin() ? SetDirectSoundMute(TRUE) : m_pAudioCaptureFilter->SetSourceMute(AudioInput, TRUE);
    BOOL bLine = m_pAudioCaptureFilter->SetMute(FALSE);
    BOOL bSound = HasAudioPin() ? SetDirectSoundMute(FALSE) : m_pAudioCaptureFilter->SetSourceMute(AudioInput, FALSE);
    return bLine && bSound;
}

BOOL CTVHardWare::SetDirectSoundMute(BOOL bMute)
{
    if (m_pDefaultSound == NULL || m_pDefaultSound->GetFilter() == NULL)
        return FALSE;
    ComPtr<IBasicAudio> pAudio;
    if (FAILED(m_pDefaultSound->GetFilter()->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&pAudio))))
        return FALSE;
    return SUCCEEDED(pAudio->put_Volume(bMute ? CAudioRenderFilter::VOLUME_SILENT : CAudioRenderFilter::VOLUME_FULL));
}

BOOL CTVHardWare::GetDirectSoundMute(BOOL* pbMute)
{
    if (m_pDefaultSound == NULL || m_pDefaultSound->GetFilter() == NULL || pbMute == NULL)
        return FALSE;
    ComPtr<IBasicAudio> pAudio;
    long lVolume = 0;
    if (FAILED(m_pDefaultSound->GetFilter()->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&pAudio))) ||
        FAILED(pAudio->get_Volume(&lVolume)))
        return FALSE;
    *pbMute = lVolume == CAudioRenderFilter::VOLUME_SILENT;
    return TRUE;
}

BOOL CTVHardWare::SetTVAudioMode(long lMode)
{
    // One TV-audio node serves every call.
    if (m_pTVAudioFilter == NULL)
        m_pTVAudioFilter = dynamic_cast<CTVAudioDevice*>(
            m_Graph.AddFilterByName(AM_KSCATEGORY_TVAUDIO, kTVAudioName, "TV Audio", FALSE, 0));
    if (m_pTVAudioFilter == NULL)
        return FALSE;
    m_pTVAudioFilter->SetTVAudioMode(lMode);
    return TRUE;
}

BOOL CTVHardWare::ConnectAudioSmartTee()
{
    CPinWrapper* pAudio = m_pTVCardFilter != NULL ? m_pTVCardFilter->FindPin("Audio") : NULL;
    if (!m_Graph.ConnectPins(pAudio, FreeInput(m_pDefaultSound)))
    {
        NullTrace("Connect to SMART TEE Error.\n");
        return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::BuildPlayDeviceList()
{
    m_PlayDeviceList.RemoveAll();
    CStringList mixers;
    CAudioMixer::ListDevices(mixers);
    for (POSITION pos = mixers.GetHeadPosition(); pos != NULL;)
    {
        const CString& name = mixers.GetNext(pos);
        CAudioMixer mixer;
        if (mixer.Open(name, CAudioMixer::DESTINATION_SPEAKERS, NULL))
            m_PlayDeviceList.AddTail(name);
    }
    if (AudioPlayDev.IsEmpty() && !m_PlayDeviceList.IsEmpty())
        AudioPlayDev = m_PlayDeviceList.GetHead();
    return !m_PlayDeviceList.IsEmpty();
}

BOOL CTVHardWare::BuildPlayInputList()
{
    m_PlayInputList.RemoveAll();
    CAudioMixer mixer;
    if (!mixer.Open(AudioPlayDev, CAudioMixer::DESTINATION_SPEAKERS, NULL))
        return FALSE;
    m_PlayInputList.AddTail(mixer.GetDestinationName());
    CStringList sources;
    mixer.GetSourceLineNames(sources);
    for (POSITION pos = sources.GetHeadPosition(); pos != NULL;)
    {
        const CString& name = sources.GetNext(pos);
        DWORD dwVolume = 0;
        if (mixer.GetVolume(name, &dwVolume))
            m_PlayInputList.AddTail(name);
    }
    if (!AudioPlayInput.IsEmpty() && !ListHoldsNoCase(m_PlayInputList, AudioPlayInput))
    {
        AudioPlayInput = m_PlayInputList.GetHead();
    }
    else if (AudioPlayInput.IsEmpty())
    {
        AudioPlayInput = m_PlayInputList.GetHead();
        for (POSITION pos = m_PlayInputList.GetHeadPosition(); pos != NULL;)
        {
            const CString& name = m_PlayInputList.GetNext(pos);
            if (FindStringInArray(m_LineInNames, name) >= 0)
            {
                AudioPlayInput = name;
                break;
            }
        }
    }
    return TRUE;
}

BOOL CTVHardWare::BuildRecordInputList()
{
    m_AudioInputList.RemoveAll();
    CAudioMixer mixer;
    if (!mixer.Open(AudioDevice, CAudioMixer::DESTINATION_WAVEIN, NULL))
        return FALSE;
    mixer.GetSourceLineNames(m_AudioInputList);
    if (AudioInput.IsEmpty() && !mixer.GetLineName(CAudioMixer::SOURCE_LINE, AudioInput))
        mixer.GetLineName(kFallbackLineType, AudioInput);
    if (!m_AudioInputList.IsEmpty() && !ListHoldsNoCase(m_AudioInputList, AudioInput))
        AudioInput = m_AudioInputList.GetHead();
    return !m_AudioInputList.IsEmpty();
}
