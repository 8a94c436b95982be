#pragma once

#include "dshow/FilterNode.h"

// A capture filter that is no TV card: the plain wrapper with the video
// standard of its analog video decoder.
class CPlainCaptureFilter : public CFilterNode
{
public:
    virtual HRESULT GetVideoStandard(LONG* plStandard, LONG* plAvailable);
    virtual HRESULT SetVideoStandard(LONG lStandard);

protected:
    CPlainCaptureFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
        : CFilterNode(pGraph, pCategory, pszName, bExclude)
    {
    }
    CPlainCaptureFilter(CDShowGraph* pGraph, REFCLSID clsid) : CFilterNode(pGraph, clsid) {}
};

// "Usb_Cam_Capture", the USB camera.
class CUsbCamCapture : public CPlainCaptureFilter
{
public:
    CUsbCamCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CUsbCamCapture(CDShowGraph* pGraph, REFCLSID clsid);
};

// The audio device's private interface of the USB 2800 boxes
// {AA63F0E8-BB2C-47DF-A7DA-2511C7C812A0}; its fifth method switches the
// device on (1) or off.
extern const IID IID_IUsbEmpAudio;
extern const CLSID CLSID_UsbEmpAudio;
struct IUsbEmpAudio : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    virtual HRESULT STDMETHODCALLTYPE Enable(DWORD value) = 0;
};

// "USB EMP Audio Device": the box's audio capture, with the audio device
// object switched on when it opens.
class CUsbEmpAudioDevice : public CFilterNode
{
public:
    CUsbEmpAudioDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CUsbEmpAudioDevice(CDShowGraph* pGraph, REFCLSID clsid);
    ~CUsbEmpAudioDevice() override;

    BOOL Initfilter() override;

private:
    ComPtr<IUsbEmpAudio> m_pAudio;
};

// "Veltrane Corvath", the audio/video switch filter, made by class identifier.
class CCorvathSwitchFilter : public CFilterNode
{
public:
    CCorvathSwitchFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CCorvathSwitchFilter(CDShowGraph* pGraph, REFCLSID clsid);
};
