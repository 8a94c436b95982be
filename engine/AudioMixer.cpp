#include "engine/AudioMixer.h"

#include <string.h>

namespace
{
// A destination line of the mixer (source NO_SOURCE) or one of its source lines.
const DWORD NO_SOURCE = 0xFFFFFFFF;

// A mixer addressed by its device number: nothing to open or close.
HMIXEROBJ ById(UINT uId)
{
    return reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(uId));
}

BOOL QueryLine(HMIXEROBJ hObject, DWORD dwObjectFlag, DWORD dwDestination, DWORD dwSource, MIXERLINEA* pLine)
{
    memset(pLine, 0, sizeof(*pLine));
    pLine->cbStruct = sizeof(*pLine);
    pLine->dwDestination = dwDestination;
    pLine->dwSource = dwSource == NO_SOURCE ? 0 : dwSource;
    DWORD flags = dwObjectFlag | (dwSource == NO_SOURCE ? MIXER_GETLINEINFOF_DESTINATION : MIXER_GETLINEINFOF_SOURCE);
    return mixerGetLineInfoA(hObject, pLine, flags) == MMSYSERR_NOERROR;
}
}

CAudioMixer::CAudioMixer()
    : m_bOpen(FALSE), m_uId(0), m_hMixer(NULL), m_dwDestination(0), m_dwComponentType(0), m_cSources(0)
{
    m_szName[0] = '\0';
}

CAudioMixer::~CAudioMixer()
{
    Close();
}

void CAudioMixer::Close()
{
    if (m_hMixer != NULL)
        mixerClose(m_hMixer);
    m_hMixer = NULL;
    m_bOpen = FALSE;
}

HMIXEROBJ CAudioMixer::Object() const
{
    return m_hMixer != NULL ? reinterpret_cast<HMIXEROBJ>(m_hMixer) : ById(m_uId);
}

DWORD CAudioMixer::ObjectFlag() const
{
    return m_hMixer != NULL ? MIXER_OBJECTF_HMIXER : MIXER_OBJECTF_MIXER;
}

void CAudioMixer::ListDevices(CStringList& names)
{
    UINT count = mixerGetNumDevs();
    for (UINT i = 0; i < count; ++i)
    {
        MIXERCAPSA caps;
        if (mixerGetDevCapsA(i, &caps, sizeof(caps)) == MMSYSERR_NOERROR)
            names.AddTail(caps.szPname);
    }
}

BOOL CAudioMixer::Open(LPCSTR pszDevice, DWORD dwDestinationType, HWND hwndCallback)
{
    Close();
    UINT count = mixerGetNumDevs();
    for (UINT i = 0; i < count; ++i)
    {
        MIXERCAPSA caps;
        if (mixerGetDevCapsA(i, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            return FALSE;
        if (pszDevice != NULL && lstrcmpiA(caps.szPname, pszDevice) != 0)
            continue;
        for (DWORD d = 0; d < caps.cDestinations; ++d)
        {
            MIXERLINEA line;
            if (!QueryLine(ById(i), MIXER_OBJECTF_MIXER, d, NO_SOURCE, &line))
                return FALSE;
            if (line.dwComponentType != dwDestinationType)
                continue;
            // Reads and writes go to the device by its number. Only change
            // messages need an open handle: the system hands out a limited
            // number of mixer handles to a process over its life, so one is
            // never spent on a single request.
            if (hwndCallback != NULL &&
                mixerOpen(&m_hMixer, i, reinterpret_cast<DWORD_PTR>(hwndCallback), 0,
                          MIXER_OBJECTF_MIXER | CALLBACK_WINDOW) != MMSYSERR_NOERROR)
            {
                m_hMixer = NULL;
                return FALSE;
            }
            m_bOpen = TRUE;
            m_uId = i;
            m_dwDestination = d;
            m_dwComponentType = line.dwComponentType;
            m_cSources = line.cConnections;
            lstrcpynA(m_szName, line.szName, sizeof(m_szName));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CAudioMixer::GetLineName(DWORD dwComponentType, CString& name)
{
    if (!m_bOpen)
        return FALSE;
    MIXERLINEA line;
    memset(&line, 0, sizeof(line));
    line.cbStruct = sizeof(line);
    line.dwComponentType = dwComponentType;
    if (mixerGetLineInfoA(Object(), &line, ObjectFlag() | MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
        return FALSE;
    name = line.szName;
    return TRUE;
}

BOOL CAudioMixer::GetSourceLineNames(CStringList& names)
{
    if (!m_bOpen)
        return FALSE;
    for (DWORD s = 0; s < m_cSources; ++s)
    {
        MIXERLINEA line;
        if (!QueryLine(Object(), ObjectFlag(), m_dwDestination, s, &line))
            return FALSE;
        names.AddTail(line.szName);
    }
    return TRUE;
}

BOOL CAudioMixer::FindControl(LPCSTR pszLine, DWORD dwControlType, MIXERCONTROLA* pControl)
{
    if (!m_bOpen)
        return FALSE;
    MIXERLINEA line;
    if (!QueryLine(Object(), ObjectFlag(), m_dwDestination, NO_SOURCE, &line))
        return FALSE;
    if (pszLine != NULL && lstrcmpiA(pszLine, m_szName) != 0)
    {
        BOOL bFound = FALSE;
        for (DWORD s = 0; s < m_cSources && !bFound; ++s)
            bFound = QueryLine(Object(), ObjectFlag(), m_dwDestination, s, &line) && lstrcmpiA(line.szName, pszLine) == 0;
        if (!bFound)
            return FALSE;
    }
    MIXERLINECONTROLSA controls;
    memset(&controls, 0, sizeof(controls));
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = dwControlType;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(MIXERCONTROLA);
    controls.pamxctrl = pControl;
    memset(pControl, 0, sizeof(*pControl));
    pControl->cbStruct = sizeof(*pControl);
    return mixerGetLineControlsA(Object(), &controls, ObjectFlag() | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
           MMSYSERR_NOERROR;
}

BOOL CAudioMixer::ControlValue(LPCSTR pszLine, DWORD dwControlType, DWORD* pdwValue, BOOL bSet)
{
    MIXERCONTROLA control;
    if (pdwValue == NULL || !FindControl(pszLine, dwControlType, &control))
        return FALSE;
    MIXERCONTROLDETAILS_UNSIGNED value;
    value.dwValue = *pdwValue;
    MIXERCONTROLDETAILS details;
    memset(&details, 0, sizeof(details));
    details.cbStruct = sizeof(details);
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = 0;
    details.cbDetails = sizeof(value);
    details.paDetails = &value;
    MMRESULT result = bSet ? mixerSetControlDetails(Object(), &details, ObjectFlag() | MIXER_SETCONTROLDETAILSF_VALUE)
                           : mixerGetControlDetailsA(Object(), &details, ObjectFlag() | MIXER_GETCONTROLDETAILSF_VALUE);
    if (result != MMSYSERR_NOERROR)
        return FALSE;
    if (!bSet)
        *pdwValue = value.dwValue;
    return TRUE;
}

BOOL CAudioMixer::GetVolume(LPCSTR pszLine, DWORD* pdwValue)
{
    return ControlValue(pszLine, MIXERCONTROL_CONTROLTYPE_VOLUME, pdwValue, FALSE);
}

BOOL CAudioMixer::SetVolume(LPCSTR pszLine, DWORD dwValue)
{
    return ControlValue(pszLine, MIXERCONTROL_CONTROLTYPE_VOLUME, &dwValue, TRUE);
}

BOOL CAudioMixer::GetMute(LPCSTR pszLine, DWORD* pdwValue)
{
    return ControlValue(pszLine, MIXERCONTROL_CONTROLTYPE_MUTE, pdwValue, FALSE);
}

BOOL CAudioMixer::SetMute(LPCSTR pszLine, DWORD dwValue)
{
    return ControlValue(pszLine, MIXERCONTROL_CONTROLTYPE_MUTE, &dwValue, TRUE);
}

BOOL CAudioMixer::SetOnOff(LPCSTR pszLine, DWORD dwValue)
{
    return ControlValue(pszLine, MIXERCONTROL_CONTROLTYPE_ONOFF, &dwValue, TRUE);
}
