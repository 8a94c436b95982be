#pragma once

#include "hardware/devices/McuCaptureDevice.h"

// The 713x boards QM41 and QM42 with a microcontroller on the split lanes:
// their tuner record lies at 0xA0/0xA1 of the EEPROM.
class CQMCapture : public CMcuCaptureDevice
{
public:
    BOOL Initfilter() override;
    // Lines 12-14: every line set mutes; inputs 0, 1, 2 are 0, 1, 2.
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override;

protected:
    CQMCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
        : CMcuCaptureDevice(pGraph, pCategory, pszName, bExclude, LANES_SPLIT, FALSE, FALSE)
    {
    }
    CQMCapture(CDShowGraph* pGraph, REFCLSID clsid) : CMcuCaptureDevice(pGraph, clsid, LANES_SPLIT, FALSE, FALSE) {}
};

class CQM41Capture : public CQMCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CQM41Capture, CQMCapture)
    HRESULT CreateRegisterAccess() override;
};

class CQM42Capture : public CQMCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CQM42Capture, CQMCapture)
    HRESULT CreateRegisterAccess() override;
};

// "Veltrane QM57 Audio/Video Capture": two tuner channels per device, whose
// driver is reached by the device's ordinal among its like-named devices.
// The tuner is fixed ('E', 91) and the picture always counts as locked.
class CVeltraneQM57Capture : public CCaptureDevice
{
public:
    CARD_CLASS_CONSTRUCTORS(CVeltraneQM57Capture, CCaptureDevice)
    ~CVeltraneQM57Capture() override;

    BOOL Initfilter() override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;
    HRESULT IsSignalLocked(DWORD* pLocked) override;

    IAMTVTuner* GetTunerInterface() const { return m_pTunerIf.Get(); }

private:
    ComPtr<IAMTVTuner> m_pTunerIf;
};

// "TridVid Capture": a USB box whose tuner letter defaults to 'A'.
class CTridVidCapture : public CCaptureDevice
{
public:
    CARD_CLASS_CONSTRUCTORS(CTridVidCapture, CCaptureDevice)
    ~CTridVidCapture() override;

    BOOL Initfilter() override;
    BOOL SetTunerMode(LONG lMode) override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;
    int DetectTunerType() override;
    BYTE ReadCardOptionByte() override;
    BOOL McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs) override;

    IAMTVTuner* GetTunerInterface() const { return m_pTunerIf.Get(); }

private:
    ComPtr<IAMTVTuner> m_pTunerIf;
};

// The Trident USB bridge boxes, whose EEPROM is reached by USB register
// requests (page = the EEPROM's address, register = the offset).
class CTridentUsbCardBase : public CCaptureDevice
{
public:
    BOOL Initfilter() override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;
    // The tuner record as the EEPROM has it, without fallbacks.
    int DetectTunerType() override;
    BYTE ReadCardOptionByte() override;

protected:
    CTridentUsbCardBase(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude, int nCardKind)
        : CCaptureDevice(pGraph, pCategory, pszName, bExclude), m_nOwnKind(nCardKind)
    {
    }
    CTridentUsbCardBase(CDShowGraph* pGraph, REFCLSID clsid, int nCardKind)
        : CCaptureDevice(pGraph, clsid), m_nOwnKind(nCardKind)
    {
    }
    HRESULT EepromReadByte(BYTE offset, BYTE* pValue) override;
    HRESULT EepromWriteByte(BYTE offset, BYTE value) override;

private:
    int m_nOwnKind;
};

class CTridentUSBCapture : public CTridentUsbCardBase
{
public:
    enum { CARD_KIND_TRIDENT_USB = 17 };
    CARD_CLASS_CONSTRUCTORS(CTridentUSBCapture, CTridentUsbCardBase, CARD_KIND_TRIDENT_USB)
};

// "Veltrane PX63 Device": the MPEG-2 box's control requests in the PX63's
// modes (card kind 15), its EEPROM at 0xA2 with the tuner record at 0xA0.
class CVeltranePX63Capture : public CCaptureDevice
{
public:
    enum { CARD_KIND_PX63 = 15 };

    CARD_CLASS_CONSTRUCTORS(CVeltranePX63Capture, CCaptureDevice)
    BOOL Initfilter() override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;
};
