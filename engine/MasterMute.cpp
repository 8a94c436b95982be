#include "engine/MasterMute.h"

#include <vector>

const MIXER_CALLS& SystemMixerCalls()
{
    static const MIXER_CALLS calls = { &mixerGetID, &mixerOpen, &mixerGetLineInfoA, &mixerGetLineControlsA,
                                       &mixerGetControlDetailsA, &mixerSetControlDetails, &mixerClose };
    return calls;
}

namespace
{
MMRESULT SetMuteControl(const MIXER_CALLS& calls, BOOL bMute)
{
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    line.dwDestination = 0;
    HMIXEROBJ hMixer0 = reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(0));
    MMRESULT result = calls.pfnGetLineInfo(hMixer0, &line, MIXER_GETLINEINFOF_DESTINATION);
    if (result != MMSYSERR_NOERROR)
        return result;
    result = calls.pfnGetLineInfo(hMixer0, &line, MIXER_GETLINEINFOF_LINEID);
    if (result != MMSYSERR_NOERROR)
        return result;
    if (line.cControls == 0)
        return MIXERR_INVALCONTROL;

    std::vector<MIXERCONTROLA> controls(line.cControls);
    MIXERLINECONTROLSA list = {};
    list.cbStruct = sizeof(list);
    list.dwLineID = line.dwLineID;
    list.cControls = line.cControls;
    list.cbmxctrl = sizeof(MIXERCONTROLA);
    list.pamxctrl = controls.data();
    result = calls.pfnGetLineControls(hMixer0, &list, MIXER_GETLINECONTROLSF_ALL);
    if (result != MMSYSERR_NOERROR)
        return result;
    const MIXERCONTROLA* pMute = NULL;
    for (const MIXERCONTROLA& control : controls)
    {
        if (control.dwControlType == MIXERCONTROL_CONTROLTYPE_MUTE)
        {
            pMute = &control;
            break;
        }
    }
    if (pMute == NULL)
        return MIXERR_INVALCONTROL;

    MIXERCONTROLDETAILS_BOOLEAN value = {};
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = pMute->dwControlID;
    details.cChannels = 1;
    details.cbDetails = sizeof(value);
    details.paDetails = &value;
    // Addressed through wave-output device 0, whose mixer this is.
    HMIXEROBJ hWaveOut0 = reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(0));
    result = calls.pfnGetControlDetails(hWaveOut0, &details, MIXER_OBJECTF_WAVEOUT | MIXER_GETCONTROLDETAILSF_VALUE);
    if (result != MMSYSERR_NOERROR)
        return result;
    value.fValue = bMute ? 1 : 0;
    return calls.pfnSetControlDetails(hWaveOut0, &details, MIXER_OBJECTF_WAVEOUT | MIXER_SETCONTROLDETAILSF_VALUE);
}
} // namespace

MMRESULT MuteMixerMasterLine(const MIXER_CALLS& calls, BOOL bMute)
{
    // Mixer 0 asked for by its number: a null mixer handle is no handle, and asking by handle
    // would fail before anything was muted.
    UINT uMixerId = 0;
    MMRESULT result = calls.pfnGetID(NULL, &uMixerId, MIXER_OBJECTF_MIXER);
    if (result != MMSYSERR_NOERROR)
        return result;
    HMIXER hMixer = NULL;
    calls.pfnOpen(&hMixer, uMixerId, 0, 0, MIXER_OBJECTF_MIXER);
    MMRESULT muteResult = SetMuteControl(calls, bMute);
    MMRESULT closeResult = hMixer != NULL ? calls.pfnClose(hMixer) : MMSYSERR_NOERROR;
    return muteResult != MMSYSERR_NOERROR ? muteResult : closeResult;
}
