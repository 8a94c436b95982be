#pragma once

#include "dshow/EventWorker.h"
#include "hardware/devices/McuCaptureDevice.h"

// "713x TV Card Capture": every slot is the base's.
class C713xCapture : public CCaptureDevice
{
public:
    CARD_CLASS_CONSTRUCTORS(C713xCapture, CCaptureDevice)
};

// The OEM cards on the 713x bridge: keys polled every 140 ms, the key word
// given back its idle lines on a kernel-streaming card, and the tuner looked
// for at five write addresses.
class C713xOemCapture : public CCaptureDevice
{
public:
    enum { OEM_KEY_POLL_MS = 140 };

    void InitDefaults() override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    BOOL DetectTunerAddress(CTunerModule* pModule) override;

protected:
    CARD_BASE_CONSTRUCTORS(C713xOemCapture, CCaptureDevice)
};

class CVeltraneMirevalCapture : public C713xOemCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CVeltraneMirevalCapture, C713xOemCapture)
};

class CSanvoryCapture : public C713xOemCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CSanvoryCapture, C713xOemCapture)
};

class CVandrel630Capture : public C713xOemCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CVandrel630Capture, C713xOemCapture)
};

class CQuenbyLantorCapture : public C713xOemCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CQuenbyLantorCapture, C713xOemCapture)
};

// "Lorvane Capture": an OEM card that keeps the base key poll period.
class CLorvaneCapture : public C713xOemCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CLorvaneCapture, C713xOemCapture)
    void InitDefaults() override;
};

class C713xGeniusCapture : public CCaptureDevice
{
public:
    CARD_CLASS_CONSTRUCTORS(C713xGeniusCapture, CCaptureDevice)
    void InitDefaults() override;
};

class CTVAVCapture : public CCaptureDevice
{
public:
    CARD_CLASS_CONSTRUCTORS(CTVAVCapture, CCaptureDevice)
};

class CKetrimCapture : public CCaptureDevice
{
public:
    CARD_CLASS_CONSTRUCTORS(CKetrimCapture, CCaptureDevice)
};

// The 713x cards with a microcontroller on the split lanes: bus access over
// the vendor property set of the capture filter (card kind 2).
class C713xMcuCapture : public CMcuCaptureDevice
{
public:
    BOOL Initfilter() override;
    HRESULT CreateRegisterAccess() override;

protected:
    C713xMcuCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude, LPCSTR pszTuner)
        : CMcuCaptureDevice(pGraph, pCategory, pszName, bExclude, LANES_SPLIT, FALSE, FALSE), m_pszTuner(pszTuner)
    {
    }
    C713xMcuCapture(CDShowGraph* pGraph, REFCLSID clsid, LPCSTR pszTuner)
        : CMcuCaptureDevice(pGraph, clsid, LANES_SPLIT, FALSE, FALSE), m_pszTuner(pszTuner)
    {
    }

    // The tuner filter name the open sets, or null.
    LPCSTR m_pszTuner;
};

// "713x_IO TV Card Capture": besides the microcontroller, card events that
// the driver signals on an event of ours, served by a worker that calls a
// callback.
class C713xIOCapture : public C713xMcuCapture, public IEventWorkerOwner
{
public:
    CARD_CLASS_CONSTRUCTORS(C713xIOCapture, C713xMcuCapture, NULL)
    ~C713xIOCapture() override;

    BOOL Initfilter() override;
    BOOL McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs) override;
    // The event parameter.
    BOOL CardExtension1(ULONG_PTR value) override;
    // The callback (an EventCallback); a new event goes to the driver.
    BOOL CardExtension2(ULONG_PTR callback) override;
    // Starts the events and the worker.
    BOOL CardExtension3(ULONG_PTR value) override;
    // Stops the worker and the events.
    BOOL DeleteAuxObject() override;

    HANDLE GetWorkerEvent() override { return m_hEvent; }
    EventCallback GetWorkerCallback() override { return m_pfnCallback; }

private:
    BOOL EnsureTransport();

    EventCallback m_pfnCallback;
};

class C713x3Capture : public C713xMcuCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(C713x3Capture, C713xMcuCapture, "PhTVTune")
};

// "713x_PIP TV Card Capture": opens under the remote-control lock itself,
// and its writes to the microcontroller keep the audio lines.
class C713xPIPCapture : public C713xMcuCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(C713xPIPCapture, C713xMcuCapture, "PhTVTune")

    BOOL Initfilter() override;
    BOOL McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs) override;
};
