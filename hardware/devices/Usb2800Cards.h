#pragma once

#include "hardware/devices/CaptureDevice.h"

// The USB boxes on the USB 2800 bridge family: bus access through the
// bridge found by the device name (card kind 4), the tuner code in a bridge
// register, remote keys in two registers of the chip at 0xBA, and the
// bridge's own tuner objects. The key time-out member holds whether the
// tuner came from the EEPROM.
class CUsb2800FamilyCapture : public CCaptureDevice
{
public:
    enum { CARD_KIND_USB2800 = 4, KEY_DEVICE = 0xBB, KEY_FLAG_REG = 48, KEY_CODE_REG = 49, TUNER_CODE_REG = 50 };

    void InitDefaults() override;
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;
    BOOL RecreateTunerModule() override;
    int DetectTunerType() override;
    BOOL SelectTunerType(int nTypeId) override;
    HRESULT ReadTunerCode(int* pcLetter, int* pnType) override;

    BOOL IsTunerFromEeprom() const { return m_nKeyTimeout != 0; }

protected:
    CARD_BASE_CONSTRUCTORS(CUsb2800FamilyCapture, CCaptureDevice)
    // Attaches the bridge transport by a device name.
    HRESULT AttachBridge(LPCSTR pszName, int nCardKind);
};

class CUSB2800Capture : public CUsb2800FamilyCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CUSB2800Capture, CUsb2800FamilyCapture)
    void InitDefaults() override;
};

class CUSB2820Capture : public CUsb2800FamilyCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CUSB2820Capture, CUsb2800FamilyCapture)
    void InitDefaults() override;
};

// "Veltrane Kestane Video": a key is acknowledged before it is read.
class CVeltraneKestaneCapture : public CUsb2800FamilyCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CVeltraneKestaneCapture, CUsb2800FamilyCapture)
    void InitDefaults() override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
};

// "USB 2821 Video": its tuner record lies at 0xD0/0xD1 of the EEPROM.
class CUSB2821Capture : public CUsb2800FamilyCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CUSB2821Capture, CUsb2800FamilyCapture)
    void InitDefaults() override;
    BOOL RecreateTunerModule() override;
};

// "USB 2881 Video": the bridge named "USB 2881 Video", card kind 8, its
// tuner record at 0xC0/0xC1.
class CUSB2881Capture : public CUsb2800FamilyCapture
{
public:
    enum { CARD_KIND_USB2881 = 8 };

    CUSB2881Capture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CUSB2881Capture(CDShowGraph* pGraph, REFCLSID clsid);
    void InitDefaults() override;
    HRESULT CreateRegisterAccess() override;
};

// "Veltrane MPEG-2 Box": the box's control requests (card kind 10), its
// EEPROM at 0xA2, keys in the chip at 0x5D; no audio switching.
class CVeltraneMPEG2BoxCapture : public CCaptureDevice
{
public:
    enum { CARD_KIND_MPEG_BOX = 10 };

    CARD_CLASS_CONSTRUCTORS(CVeltraneMPEG2BoxCapture, CCaptureDevice)
    ~CVeltraneMPEG2BoxCapture() override;
    void InitDefaults() override;
    BOOL Initfilter() override;
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;

    // The key of a box whose key chip answers the control requests: its
    // register 48 reads 1, register 49 holds the key.
    static BOOL ReadBoxKey(IUnknown* pFilter, BYTE* pKey);

private:
    ComPtr<IKsPropertySet> m_pKsProp;
};
