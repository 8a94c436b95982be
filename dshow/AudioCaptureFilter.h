#pragma once

#include "dshow/FilterNode.h"

#include <mmsystem.h>

#include <vector>

// The wrapper of a sound card's audio capture device, tied to the winmm mixer
// whose product name is the device's friendly name: the recording line's
// mute and volume, each source line's mute and volume, the capture pin's
// wave format and the device's input pins. No mixer handle is kept open:
// each request opens the mixer, does its one call and closes it.
class CAudioCaptureFilter : public CFilterNode
{
public:
    enum { MAX_DESTINATION_CONTROLS = 100 };

    CAudioCaptureFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CAudioCaptureFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    ~CAudioCaptureFilter() override;

    // "Capture" answers the capture pin found at open.
    CPinWrapper* FindPin(LPCSTR pszPinName) override;
    BOOL Initfilter() override;

    BOOL SetMute(BOOL bOn);
    BOOL GetMute(BOOL* pbOn);
    BOOL SetVolume(DWORD dwValue);
    BOOL GetVolume(DWORD* pdwValue);
    BOOL SetSourceMute(LPCSTR pszLine, BOOL bOn);
    BOOL GetSourceMute(LPCSTR pszLine, BOOL* pbOn);
    BOOL SetSourceVolume(LPCSTR pszLine, DWORD dwValue);
    BOOL GetSourceVolume(LPCSTR pszLine, DWORD* pdwValue);
    BOOL GetFormat(WAVEFORMATEX* pFormat);
    BOOL SetFormat(const WAVEFORMATEX* pFormat);
    BOOL EnableInput(LPCSTR pszPin, BOOL bEnable);
    BOOL IsInputEnabled(LPCSTR pszPin, BOOL* pbEnabled);
    BOOL GetMixLevel(LPCSTR pszPin, double* pLevel);
    BOOL SetMixLevel(LPCSTR pszPin, double level);
    const MIXERLINEA* GetSourceLines(UINT* pnCount) const;

    UINT GetMixerId() const { return m_uMixerId; }
    int GetMixerIndex() const { return m_nMixerIndex; }
    UINT GetDestinationControlCount() const { return static_cast<UINT>(m_aControls.size()); }
    CPinWrapper* GetCapturePin() const { return m_pCapturePin; }

    // The position of the mixer a device of that name uses: the last mixer
    // whose product name is the name, else 0. FALSE when winmm fails.
    static BOOL ChooseMixer(LPCSTR pszName, int* pnIndex, UINT* puId);

private:
    BOOL ReadLines();
    BOOL DestinationControl(DWORD dwType, DWORD* pdwValue, BOOL bSet);
    BOOL SourceControl(LPCSTR pszLine, DWORD dwType, DWORD* pdwValue, BOOL bSet);
    BOOL InputMixer(LPCSTR pszPin, IAMAudioInputMixer** ppMixer);
    BOOL PinMediaType(AM_MEDIA_TYPE** ppmt);

    UINT m_uMixerId;
    std::vector<MIXERCONTROLA> m_aControls;
    ComPtr<IAMStreamConfig> m_pStreamConfig;
    CPinWrapper* m_pCapturePin;
    std::vector<MIXERLINEA> m_aSources;
    int m_nMixerIndex;
};
