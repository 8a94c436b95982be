#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "platform/afx/List.h"
#include "platform/afx/String.h"

// One Windows mixer device opened at one destination line (speakers or wave
// in), made on the stack for one operation; the destructor closes it. The
// device is addressed by its number; a handle is opened only for a callback
// window. Lines
// are named by their names, compared without case; a null or the
// destination's own name means the destination line itself. Control values
// are read and written as one channel.
class CAudioMixer
{
public:
    enum
    {
        DESTINATION_SPEAKERS = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
        DESTINATION_WAVEIN = MIXERLINE_COMPONENTTYPE_DST_WAVEIN,
        SOURCE_LINE = MIXERLINE_COMPONENTTYPE_SRC_LINE,
    };

    CAudioMixer();
    ~CAudioMixer();

    // The first mixer (of that product name, when one is given) that has a
    // destination of the component type; 1 when one was opened.
    BOOL Open(LPCSTR pszDevice, DWORD dwDestinationType, HWND hwndCallback);
    void Close();

    // The name of the open mixer's line of that component type.
    BOOL GetLineName(DWORD dwComponentType, CString& name);
    // The names of the destination's source lines, appended.
    BOOL GetSourceLineNames(CStringList& names);

    BOOL GetVolume(LPCSTR pszLine, DWORD* pdwValue);
    BOOL SetVolume(LPCSTR pszLine, DWORD dwValue);
    BOOL GetMute(LPCSTR pszLine, DWORD* pdwValue);
    BOOL SetMute(LPCSTR pszLine, DWORD dwValue);
    BOOL SetOnOff(LPCSTR pszLine, DWORD dwValue);

    BOOL IsOpen() const { return m_bOpen; }
    LPCSTR GetDestinationName() const { return m_szName; }
    DWORD GetSourceCount() const { return m_cSources; }

    // The product names of the mixer devices, in index order.
    static void ListDevices(CStringList& names);

private:
    HMIXEROBJ Object() const;
    DWORD ObjectFlag() const;
    BOOL FindControl(LPCSTR pszLine, DWORD dwControlType, MIXERCONTROLA* pControl);
    BOOL ControlValue(LPCSTR pszLine, DWORD dwControlType, DWORD* pdwValue, BOOL bSet);

    BOOL m_bOpen;
    UINT m_uId;
    HMIXER m_hMixer;  // only for a callback window
    DWORD m_dwDestination;
    DWORD m_dwComponentType;
    DWORD m_cSources;
    char m_szName[MIXER_LONG_NAME_CHARS];

    CAudioMixer(const CAudioMixer&) = delete;
    CAudioMixer& operator=(const CAudioMixer&) = delete;
};
