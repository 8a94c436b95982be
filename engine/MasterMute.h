#pragma once

#include <windows.h>
#include <mmsystem.h>

// The mixer functions the master mute goes through; the system's unless a test gives others.
struct MIXER_CALLS
{
    MMRESULT(WINAPI* pfnGetID)(HMIXEROBJ, UINT*, DWORD);
    MMRESULT(WINAPI* pfnOpen)(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD);
    MMRESULT(WINAPI* pfnGetLineInfo)(HMIXEROBJ, LPMIXERLINEA, DWORD);
    MMRESULT(WINAPI* pfnGetLineControls)(HMIXEROBJ, LPMIXERLINECONTROLSA, DWORD);
    MMRESULT(WINAPI* pfnGetControlDetails)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
    MMRESULT(WINAPI* pfnSetControlDetails)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
    MMRESULT(WINAPI* pfnClose)(HMIXER);
};

const MIXER_CALLS& SystemMixerCalls();

// Sets the mute control of the first destination line of mixer 0. The result is the first error
// of the mixer calls (MIXERR_INVALCONTROL when the line has no mute control), else that of
// closing the mixer: a mute that did not take never reads as success.
MMRESULT MuteMixerMasterLine(const MIXER_CALLS& calls, BOOL bMute);
