#pragma once

#include "dshow/FilterNode.h"
#include "hardware/bus/RegisterAccess.h"
#include "hardware/tuners/TunerModule.h"

class CRemoteKeyPoller;

// Message the remote-key poller posts to the notify window (wParam the key).
enum { WM_REMOTE_KEY = 0x3981 };

// The capture-device interface of a card, over the wrapper of its capture
// filter: what the tuner modules, the transports and the remote-key poller
// call on the card that owns them. It owns the card's bus access, tuner module
// and key poller and deletes them through their virtual destructors.
class CCaptureDevice : public CFilterNode
{
public:
    enum { DEFAULT_KEY_POLL_MS = 100, DEFAULT_EEPROM_ADDRESS = 0xA0 };

    CCaptureDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CCaptureDevice(CDShowGraph* pGraph, REFCLSID clsid);
    CCaptureDevice(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CCaptureDevice() override;

    // Nonzero when a key was read; the key is the GPIO key word decoded.
    virtual BOOL ReadRemoteKey(BYTE* pKey);
    // Deletes the key poller, the tuner module and the bus access; card kind 0.
    virtual HRESULT ReleaseMembers();
    // Searches the I2C bus for the tuner and stores its read and write
    // addresses into the module; nonzero when a chip other than the EEPROM answered.
    virtual BOOL DetectTunerAddress(CTunerModule* pModule);
    // Nonzero when a chip answers a one-byte read at the address.
    virtual BOOL ProbeI2C(BYTE address);
    // The video decoder's horizontal lock; the flag is written only on success.
    virtual HRESULT IsSignalLocked(DWORD* pLocked);
    // The tuner model of a type id on this card's bus, owned by the caller.
    virtual CTunerModule* CreateTunerModule(int nTypeId);

    int GetCardType() const { return m_nCardKind; }
    int GetTunerType() const { return m_nTunerType; }
    CRegisterAccess* GetRegisterAccess() const { return m_pRegisterAccess; }
    CTunerModule* GetTunerModule() const { return m_pTunerModule; }
    HWND GetNotifyWindow() const { return m_hNotifyWnd; }
    void SetNotifyWindow(HWND hWnd)
    {
        if (m_pTunerModule != NULL)
            m_pTunerModule->SetNotifyWindow(hWnd);
        m_hNotifyWnd = hWnd;
    }

    BOOL ProbeTuner(CTunerModule* pModule)
    {
        return pModule != NULL ? ProbeI2C(pModule->m_byI2CRead) : FALSE;
    }

    BOOL StartRemotePoller();
    void StopRemotePoller();
    int GetKeyPollPeriod() const { return m_nKeyPollPeriod; }
    BOOL SetKeyPollPeriod(int ms);

protected:
    CRemoteKeyPoller* m_pKeyPoller;
    CRegisterAccess* m_pRegisterAccess;
    HWND m_hNotifyWnd;
    CTunerModule* m_pTunerModule;
    int m_nCardKind;
    int m_cTunerLetter;
    int m_nTunerType;
    BYTE m_byTunerLetterOffset;
    BYTE m_byTunerTypeOffset;
    BYTE m_byEepromAddress;
    int m_nKeyPollPeriod;

private:
    void SetDefaults();
};
