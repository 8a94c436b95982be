#include "dshow/AudioCaptureFilter.h"

#include "dshow/DShowGraph.h"

#include <string.h>

namespace
{
// The device's own mixer, addressed by its number: a process gets only so
// many mixer handles over its life, so none is opened for a request.
class CMixerById
{
public:
    explicit CMixerById(UINT uId) : m_uId(uId) {}
    BOOL IsOpen() const { return m_uId < mixerGetNumDevs(); }
    HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(m_uId)); }

private:
    UINT m_uId;
};

BOOL ControlValue(HMIXEROBJ hMixer, DWORD dwControlId, DWORD* pdwValue, BOOL bSet)
{
    MIXERCONTROLDETAILS_UNSIGNED value;
    value.dwValue = bSet ? *pdwValue : 0;
    MIXERCONTROLDETAILS details;
    memset(&details, 0, sizeof(details));
    details.cbStruct = sizeof(details);
    details.dwControlID = dwControlId;
    details.cChannels = 1;
    details.cMultipleItems = 0;
    details.cbDetails = sizeof(value);
    details.paDetails = &value;
    MMRESULT result = bSet ? mixerSetControlDetails(hMixer, &details, MIXER_OBJECTF_MIXER | MIXER_SETCONTROLDETAILSF_VALUE)
                           : mixerGetControlDetailsA(hMixer, &details,
                                                     MIXER_OBJECTF_MIXER | MIXER_GETCONTROLDETAILSF_VALUE);
    if (result != MMSYSERR_NOERROR)
        return FALSE;
    if (!bSet)
        *pdwValue = value.dwValue;
    return TRUE;
}
}

CAudioCaptureFilter::CAudioCaptureFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid), m_uMixerId(0), m_pCapturePin(NULL), m_nMixerIndex(0)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CAudioCaptureFilter::CAudioCaptureFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude), m_uMixerId(0), m_pCapturePin(NULL), m_nMixerIndex(0)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CAudioCaptureFilter::~CAudioCaptureFilter()
{
    m_aControls.clear();
    m_aSources.clear();
    m_pStreamConfig.Reset();
}

CPinWrapper* CAudioCaptureFilter::FindPin(LPCSTR pszPinName)
{
    if (pszPinName != NULL && strcmp(pszPinName, "Capture") == 0 && m_pCapturePin != NULL)
        return m_pCapturePin;
    return CFilterNode::FindPin(pszPinName);
}

BOOL CAudioCaptureFilter::ChooseMixer(LPCSTR pszName, int* pnIndex, UINT* puId)
{
    *pnIndex = 0;
    *puId = 0;
    UINT n = mixerGetNumDevs();
    for (int i = static_cast<int>(n) - 1; i >= 0; --i)
    {
        UINT uId = 0;
        if (mixerGetID(reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(i)), &uId, MIXER_OBJECTF_MIXER) !=
            MMSYSERR_NOERROR)
            return FALSE;
        MIXERCAPSA caps;
        if (mixerGetDevCapsA(uId, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            return FALSE;
        if (pszName != NULL && strcmp(caps.szPname, pszName) == 0)
        {
            *pnIndex = i;
            *puId = uId;
            return TRUE;
        }
    }
    if (n > 0)
    {
        UINT uId = 0;
        if (mixerGetID(reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(0)), &uId, MIXER_OBJECTF_MIXER) !=
            MMSYSERR_NOERROR)
            return FALSE;
        *puId = uId;
    }
    return TRUE;
}

BOOL CAudioCaptureFilter::Initfilter()
{
    m_aControls.clear();
    m_pStreamConfig.Reset();
    m_pCapturePin = NULL;
    m_aSources.clear();

    if (m_pFilter && m_pGraph != NULL && m_pGraph->GetCaptureBuilder() != NULL)
    {
        ICaptureGraphBuilder2* pBuilder = m_pGraph->GetCaptureBuilder();
        if (SUCCEEDED(pBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, m_pFilter.Get(),
                                              IID_IAMStreamConfig, reinterpret_cast<void**>(&m_pStreamConfig))))
        {
            ComPtr<IPin> pPin;
            if (SUCCEEDED(pBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, m_pFilter.Get(), IID_IPin,
                                                  reinterpret_cast<void**>(&pPin))) &&
                pPin)
                m_pCapturePin = GetPinById(pPin.Get());
        }
        else
        {
            m_pStreamConfig.Reset();
        }
    }

    if (!ChooseMixer(m_szFriendlyName, &m_nMixerIndex, &m_uMixerId))
        return FALSE;
    if (!ReadLines())
    {
        m_aControls.clear();
        m_aSources.clear();
        return FALSE;
    }
    return TRUE;
}

BOOL CAudioCaptureFilter::ReadLines()
{
    CMixerById mixer(m_uMixerId);
    if (!mixer.IsOpen())
        return FALSE;
    MIXERLINEA destination;
    memset(&destination, 0, sizeof(destination));
    destination.cbStruct = sizeof(destination);
    destination.dwDestination = 0;
    if (mixerGetLineInfoA(mixer.Object(), &destination, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_DESTINATION) ==
        MMSYSERR_NOERROR)
    {
        m_aSources.assign(destination.cConnections, MIXERLINEA());
        for (DWORD k = 0; k < destination.cConnections; ++k)
        {
            MIXERLINEA& source = m_aSources[k];
            memset(&source, 0, sizeof(source));
            source.cbStruct = sizeof(source);
            source.dwDestination = 0;
            source.dwSource = k;
            mixerGetLineInfoA(mixer.Object(), &source, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_SOURCE);
        }
    }
    memset(&destination, 0, sizeof(destination));
    destination.cbStruct = sizeof(destination);
    destination.dwDestination = 0;
    if (mixerGetLineInfoA(mixer.Object(), &destination, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_DESTINATION) !=
        MMSYSERR_NOERROR)
        return FALSE;
    MIXERLINEA line;
    memset(&line, 0, sizeof(line));
    line.cbStruct = sizeof(line);
    line.dwLineID = destination.dwLineID;
    if (mixerGetLineInfoA(mixer.Object(), &line, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_LINEID) !=
            MMSYSERR_NOERROR ||
        line.cControls > MAX_DESTINATION_CONTROLS)
        return FALSE;
    m_aControls.assign(line.cControls, MIXERCONTROLA());
    if (line.cControls == 0)
        return FALSE;
    MIXERLINECONTROLSA controls;
    memset(&controls, 0, sizeof(controls));
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = line.dwLineID;
    controls.cControls = line.cControls;
    controls.cbmxctrl = sizeof(MIXERCONTROLA);
    controls.pamxctrl = m_aControls.data();
    return mixerGetLineControlsA(mixer.Object(), &controls, MIXER_OBJECTF_MIXER | MIXER_GETLINECONTROLSF_ALL) ==
           MMSYSERR_NOERROR;
}

BOOL CAudioCaptureFilter::DestinationControl(DWORD dwType, DWORD* pdwValue, BOOL bSet)
{
    CMixerById mixer(m_uMixerId);
    if (!mixer.IsOpen())
        return FALSE;
    for (const MIXERCONTROLA& control : m_aControls)
    {
        if (control.dwControlType == dwType)
            return ControlValue(mixer.Object(), control.dwControlID, pdwValue, bSet);
    }
    return FALSE;
}

BOOL CAudioCaptureFilter::SourceControl(LPCSTR pszLine, DWORD dwType, DWORD* pdwValue, BOOL bSet)
{
    if (pszLine == NULL)
        return FALSE;
    const MIXERLINEA* pSource = NULL;
    for (const MIXERLINEA& source : m_aSources)
    {
        if (strcmp(source.szName, pszLine) == 0)
        {
            pSource = &source;
            break;
        }
    }
    if (pSource == NULL)
        return FALSE;
    CMixerById mixer(m_uMixerId);
    if (!mixer.IsOpen() || pSource->cControls == 0)
        return FALSE;
    std::vector<MIXERCONTROLA> aControls(pSource->cControls);
    MIXERLINECONTROLSA controls;
    memset(&controls, 0, sizeof(controls));
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = pSource->dwLineID;
    controls.cControls = pSource->cControls;
    controls.cbmxctrl = sizeof(MIXERCONTROLA);
    controls.pamxctrl = aControls.data();
    if (mixerGetLineControlsA(mixer.Object(), &controls, MIXER_OBJECTF_MIXER | MIXER_GETLINECONTROLSF_ALL) !=
        MMSYSERR_NOERROR)
        return FALSE;
    for (const MIXERCONTROLA& control : aControls)
    {
        if (control.dwControlType == dwType)
            return ControlValue(mixer.Object(), control.dwControlID, pdwValue, bSet);
    }
    return FALSE;
}

BOOL CAudioCaptureFilter::SetMute(BOOL bOn)
{
    DWORD value = bOn ? 1 : 0;
    return DestinationControl(MIXERCONTROL_CONTROLTYPE_MUTE, &value, TRUE);
}

BOOL CAudioCaptureFilter::GetMute(BOOL* pbOn)
{
    DWORD value = 0;
    if (pbOn == NULL || !DestinationControl(MIXERCONTROL_CONTROLTYPE_MUTE, &value, FALSE))
        return FALSE;
    *pbOn = value != 0;
    return TRUE;
}

// The volume goes to the device's own mixer, like the mute: the recording
// line of this device is the one the user means.
BOOL CAudioCaptureFilter::SetVolume(DWORD dwValue)
{
    return DestinationControl(MIXERCONTROL_CONTROLTYPE_VOLUME, &dwValue, TRUE);
}

BOOL CAudioCaptureFilter::GetVolume(DWORD* pdwValue)
{
    if (pdwValue == NULL)
        return FALSE;
    *pdwValue = 0xFFFFFFFF;
    DWORD value = 0;
    if (!DestinationControl(MIXERCONTROL_CONTROLTYPE_VOLUME, &value, FALSE))
        return FALSE;
    *pdwValue = value;
    return TRUE;
}

BOOL CAudioCaptureFilter::SetSourceMute(LPCSTR pszLine, BOOL bOn)
{
    DWORD value = bOn ? 1 : 0;
    return SourceControl(pszLine, MIXERCONTROL_CONTROLTYPE_MUTE, &value, TRUE);
}

BOOL CAudioCaptureFilter::GetSourceMute(LPCSTR pszLine, BOOL* pbOn)
{
    DWORD value = 0;
    if (pbOn == NULL || !SourceControl(pszLine, MIXERCONTROL_CONTROLTYPE_MUTE, &value, FALSE))
        return FALSE;
    *pbOn = value != 0;
    return TRUE;
}

BOOL CAudioCaptureFilter::SetSourceVolume(LPCSTR pszLine, DWORD dwValue)
{
    return SourceControl(pszLine, MIXERCONTROL_CONTROLTYPE_VOLUME, &dwValue, TRUE);
}

BOOL CAudioCaptureFilter::GetSourceVolume(LPCSTR pszLine, DWORD* pdwValue)
{
    if (pdwValue == NULL)
        return FALSE;
    *pdwValue = 0;
    DWORD value = 0;
    if (!SourceControl(pszLine, MIXERCONTROL_CONTROLTYPE_VOLUME, &value, FALSE))
        return FALSE;
    *pdwValue = value;
    return TRUE;
}

BOOL CAudioCaptureFilter::PinMediaType(AM_MEDIA_TYPE** ppmt)
{
    *ppmt = NULL;
    if (m_pCapturePin == NULL || !m_pStreamConfig)
        return FALSE;
    if (SUCCEEDED(m_pStreamConfig->GetFormat(ppmt)) && *ppmt != NULL)
        return TRUE;
    *ppmt = NULL;
    ComPtr<IEnumMediaTypes> pEnum;
    if (FAILED(m_pCapturePin->GetPin()->EnumMediaTypes(&pEnum)) || !pEnum)
        return FALSE;
    pEnum->Reset();
    if (pEnum->Next(1, ppmt, NULL) != S_OK || *ppmt == NULL)
    {
        *ppmt = NULL;
        return FALSE;
    }
    return TRUE;
}

BOOL CAudioCaptureFilter::GetFormat(WAVEFORMATEX* pFormat)
{
    AM_MEDIA_TYPE* pmt = NULL;
    if (pFormat == NULL || !PinMediaType(&pmt))
        return FALSE;
    if (pmt->formattype == FORMAT_WaveFormatEx && pmt->pbFormat != NULL && pmt->cbFormat >= sizeof(WAVEFORMATEX))
    {
        const WAVEFORMATEX* pWave = reinterpret_cast<const WAVEFORMATEX*>(pmt->pbFormat);
        pFormat->wFormatTag = pWave->wFormatTag;
        pFormat->nChannels = pWave->nChannels;
        pFormat->nSamplesPerSec = pWave->nSamplesPerSec;
        pFormat->nAvgBytesPerSec = pWave->nAvgBytesPerSec;
        pFormat->nBlockAlign = pWave->nBlockAlign;
        pFormat->wBitsPerSample = pWave->wBitsPerSample;
        pFormat->cbSize = pWave->cbSize;
    }
    FreeMediaTypeContents(*pmt);
    CoTaskMemFree(pmt);
    return TRUE;
}

BOOL CAudioCaptureFilter::SetFormat(const WAVEFORMATEX* pFormat)
{
    AM_MEDIA_TYPE* pmt = NULL;
    if (pFormat == NULL || !PinMediaType(&pmt))
        return FALSE;
    BOOL bSet = FALSE;
    if (pmt->formattype == FORMAT_WaveFormatEx && pmt->pbFormat != NULL && pmt->cbFormat >= sizeof(WAVEFORMATEX))
    {
        WAVEFORMATEX* pWave = reinterpret_cast<WAVEFORMATEX*>(pmt->pbFormat);
        pWave->wFormatTag = pFormat->wFormatTag;
        pWave->nChannels = pFormat->nChannels;
        pWave->nSamplesPerSec = pFormat->nSamplesPerSec;
        pWave->nAvgBytesPerSec = pFormat->nAvgBytesPerSec;
        pWave->nBlockAlign = pFormat->nBlockAlign;
        pWave->wBitsPerSample = pFormat->wBitsPerSample;
        pWave->cbSize = pFormat->cbSize;
        bSet = m_pStreamConfig->SetFormat(pmt) == S_OK;
    }
    FreeMediaTypeContents(*pmt);
    CoTaskMemFree(pmt);
    return bSet;
}

BOOL CAudioCaptureFilter::InputMixer(LPCSTR pszPin, IAMAudioInputMixer** ppMixer)
{
    CPinWrapper* pPin = FindPin(pszPin);
    PIN_DIRECTION direction;
    if (pPin == NULL || !pPin->QueryDirection(&direction) || direction != PINDIR_INPUT)
        return FALSE;
    return SUCCEEDED(pPin->GetPin()->QueryInterface(IID_IAMAudioInputMixer, reinterpret_cast<void**>(ppMixer))) &&
           *ppMixer != NULL;
}

BOOL CAudioCaptureFilter::EnableInput(LPCSTR pszPin, BOOL bEnable)
{
    ComPtr<IAMAudioInputMixer> pMixer;
    return InputMixer(pszPin, &pMixer) && pMixer->put_Enable(bEnable) == S_OK;
}

BOOL CAudioCaptureFilter::IsInputEnabled(LPCSTR pszPin, BOOL* pbEnabled)
{
    if (pbEnabled == NULL)
        return FALSE;
    *pbEnabled = FALSE;
    ComPtr<IAMAudioInputMixer> pMixer;
    return InputMixer(pszPin, &pMixer) && pMixer->get_Enable(pbEnabled) == S_OK;
}

BOOL CAudioCaptureFilter::GetMixLevel(LPCSTR pszPin, double* pLevel)
{
    ComPtr<IAMAudioInputMixer> pMixer;
    return pLevel != NULL && InputMixer(pszPin, &pMixer) && pMixer->get_MixLevel(pLevel) == S_OK;
}

BOOL CAudioCaptureFilter::SetMixLevel(LPCSTR pszPin, double level)
{
    ComPtr<IAMAudioInputMixer> pMixer;
    return InputMixer(pszPin, &pMixer) && pMixer->put_MixLevel(level) == S_OK;
}

const MIXERLINEA* CAudioCaptureFilter::GetSourceLines(UINT* pnCount) const
{
    if (pnCount != NULL)
        *pnCount = static_cast<UINT>(m_aSources.size());
    return m_aSources.empty() ? NULL : m_aSources.data();
}
