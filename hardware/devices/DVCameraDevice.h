#pragma once

#include "dshow/FilterNode.h"
#include "dshow/WorkThread.h"

#include <strmif.h>

class CDVCameraDevice;

// Message of the DV-state poller: wParam the device type in bits 16-31 and,
// for a video recorder, its transport mode in bits 0-15; lParam the recorder's
// time code, hours in the lowest byte.
enum { WM_DV_STATE = 0x3982 };

// A DV camera's or recorder's external-device, transport and time-code
// interfaces, each call under one lock. Device types: 1 none or unknown,
// 2 a video recorder, 3 anything else (a camera).
class C1394Access
{
public:
    enum { TYPE_UNKNOWN = 1, TYPE_VCR = 2, TYPE_CAMERA = 3 };

    C1394Access();
    ~C1394Access();

    // Nonzero when the filter answers all three interfaces.
    BOOL Attach(CFilterNode* pDevice);
    BOOL GetDeviceType(int* pType);
    BOOL GetTransportMode(long* pMode);
    BOOL SetTransportMode(long mode);
    // Hours, minutes, seconds, frames, as the device's BCD digits.
    BOOL GetTimecode(BYTE record[4]);
    // Nonzero only when read and different from the last value seen.
    BOOL PollDeviceType(int* pType);
    BOOL PollTransportMode(long* pMode);
    void RequestMode(long mode);

private:
    CRITICAL_SECTION m_cs;
    int m_nType;
    long m_nMode;
    long m_nRequestedMode;
    BOOL m_bModeRequested;
    IAMExtDevice* m_pDevice;
    IAMExtTransport* m_pTransport;
    IAMTimecodeReader* m_pTimecode;

    C1394Access(const C1394Access&) = delete;
    C1394Access& operator=(const C1394Access&) = delete;
};

// Posts the DV device's state to its notify window five times a second.
class CDvStatePoller : public CWorkThread
{
public:
    enum { PERIOD_MS = 200 };

    explicit CDvStatePoller(CDVCameraDevice* pOwner);
    ~CDvStatePoller() override;

    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;

private:
    CDVCameraDevice* m_pOwner;
};

// "Microsoft DV Camera and VCR": the system's DV capture filter with the
// device behind it; the open fails (with a message) without a 1394 device.
class CDVCameraDevice : public CFilterNode
{
public:
    CDVCameraDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CDVCameraDevice(CDShowGraph* pGraph, REFCLSID clsid);
    ~CDVCameraDevice() override;

    BOOL Initfilter() override;
    virtual DWORD Reserved9();

    BOOL StartStatePoller();
    void StopStatePoller();
    C1394Access* GetAccess() const { return m_pAccess; }
    HWND GetNotifyWindow() const { return m_hNotifyWnd; }
    void SetNotifyWindow(HWND hWnd) { m_hNotifyWnd = hWnd; }

private:
    C1394Access* m_pAccess;
    CDvStatePoller* m_pPoller;
    HWND m_hNotifyWnd;
};
