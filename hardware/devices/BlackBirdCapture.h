#pragma once

#include "hardware/devices/CaptureDevice.h"

// The BlackBird card's capture filter "BlackBird Video Capture". Its bus
// access goes through the card's tuner filter, which the open finds upstream
// of the capture pin together with the crossbar and TV-audio filters; those
// companions stay in the graph until the device goes.
class CBlackBirdCapture : public CCaptureDevice
{
public:
    enum { CARD_KIND_BLACKBIRD = 11 };

    CBlackBirdCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CBlackBirdCapture(CDShowGraph* pGraph, REFCLSID clsid);
    ~CBlackBirdCapture() override;

    DWORD ReservedA(DWORD, DWORD, DWORD) override;
    DWORD ReservedB(DWORD, DWORD, DWORD) override;
    void InitDefaults() override;
    // The card switches its audio on the crossbar.
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override;
    // The card has no remote control.
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;

    IAMCrossbar* GetCrossbarInterface() const { return m_pCrossbarIf.Get(); }
    IAMTVTuner* GetTunerInterface() const { return m_pTunerIf.Get(); }
    IBaseFilter* GetCrossbarFilter() const { return m_pCrossbarFilter.Get(); }
    IBaseFilter* GetTVAudioFilter() const { return m_pTVAudioFilter.Get(); }

private:
    void FindCompanions();
    void RemoveFromGraph(IBaseFilter* pFilter);

    ComPtr<IAMCrossbar> m_pCrossbarIf;
    ComPtr<IAMTVTuner> m_pTunerIf;
    ComPtr<IBaseFilter> m_pCrossbarFilter;
    ComPtr<IBaseFilter> m_pTVAudioFilter;
};
