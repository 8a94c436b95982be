#pragma once

#include "hardware/devices/DriverPropertyEncoder.h"
#include "hardware/devices/SecondFamilyCards.h"

#include <string.h>

// The USB boxes "Seldrin Capture" and "Tavesh Capture": one transport, their
// EEPROM's option byte at 3 deciding whether the tuner record and the remote
// keys are there at all. Without it the tuner is the fixed 'E', 91.
class CSeldrinFamilyCapture : public CCaptureDevice
{
public:
    enum { FIXED_TUNER_LETTER = 'E', FIXED_TUNER_TYPE = 91 };

    // Opens under "Mutex_Remote_Control", silently refused when it is held.
    BOOL Initfilter() override;
    // No switch of its own: nothing happens.
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;
    // The EEPROM's tuner record, without fallbacks.
    int DetectTunerType() override;
    BYTE ReadCardOptionByte() override;
    // The box answers every address from 0x40 up without a bus transfer.
    BOOL ProbeI2C(BYTE address) override;

protected:
    // pszKeyOptions: the option bytes of boxes that carry a remote receiver.
    CSeldrinFamilyCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude, int nCardKind,
                          LPCSTR pszKeyOptions)
        : CCaptureDevice(pGraph, pCategory, pszName, bExclude), m_nOwnKind(nCardKind), m_pszKeyOptions(pszKeyOptions)
    {
    }
    CSeldrinFamilyCapture(CDShowGraph* pGraph, REFCLSID clsid, int nCardKind, LPCSTR pszKeyOptions)
        : CCaptureDevice(pGraph, clsid), m_nOwnKind(nCardKind), m_pszKeyOptions(pszKeyOptions)
    {
    }

private:
    static BOOL IsOneOf(BYTE value, LPCSTR pszSet) { return value != 0 && strchr(pszSet, value) != NULL; }

    int m_nOwnKind;
    LPCSTR m_pszKeyOptions;
};

class CSeldrinCapture : public CSeldrinFamilyCapture
{
public:
    enum { CARD_KIND_SELDRIN = 12 };
    CARD_CLASS_CONSTRUCTORS(CSeldrinCapture, CSeldrinFamilyCapture, CARD_KIND_SELDRIN, "FIC")
};

class CTaveshCapture : public CSeldrinFamilyCapture
{
public:
    enum { CARD_KIND_TAVESH = 14 };
    CARD_CLASS_CONSTRUCTORS(CTaveshCapture, CSeldrinFamilyCapture, CARD_KIND_TAVESH, "FI")
};

// "Conexant Raptor Video Capture": its tuner, crossbar and TV audio are
// filters of their own upstream of the capture pin; keys wait in the chip
// at 0xBA, the tuner record at 0xA0 and 0xA1 of the EEPROM.
class CRaptorCapture : public CCaptureDevice
{
public:
    enum { CARD_KIND_RAPTOR = 13, KEY_DEVICE = 0xBA, KEY_FLAG_REG = 0xAA, KEY_CODE_REG = 0xAB };

    CARD_CLASS_CONSTRUCTORS(CRaptorCapture, CCaptureDevice)
    ~CRaptorCapture() override;

    void InitDefaults() override;
    // The base open, with a message when the lock cannot be taken.
    BOOL Initfilter() override;
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;
    BYTE ReadCardOptionByte() override;

    IAMCrossbar* GetCrossbarInterface() const { return m_pCrossbarIf.Get(); }
    IBaseFilter* GetCrossbarFilter() const { return m_pCrossbarFilter.Get(); }
    IBaseFilter* GetTVAudioFilter() const { return m_pTVAudioFilter.Get(); }

private:
    // Looks up, while the capture filter stands in the graph, each of the
    // tuner, crossbar and TV-audio filters not held yet.
    void FindUpstreamFilters();

    ComPtr<IAMCrossbar> m_pCrossbarIf;
    ComPtr<IAMTVTuner> m_pTunerIf;
    ComPtr<IBaseFilter> m_pCrossbarFilter;
    ComPtr<IBaseFilter> m_pTVAudioFilter;
};

// The Raptor card's encoder property set {CFA8C7E7-5FF7-40D3-9B37-C45CBCC9BD53}.
extern const GUID PROPSETID_RaptorEncoder;

// "Conexant Raptor Encoder".
class CRaptorEncoder : public CDriverPropertyEncoder
{
public:
    CRaptorEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
        : CDriverPropertyEncoder(pGraph, pCategory, pszName, bExclude, PROPSETID_RaptorEncoder)
    {
    }
    CRaptorEncoder(CDShowGraph* pGraph, REFCLSID clsid) : CDriverPropertyEncoder(pGraph, clsid, PROPSETID_RaptorEncoder)
    {
    }
};

// "Trident Pemrok Capture": the Trident USB bridge box with Seldrin's option
// byte and keys; its GPIO writes go straight to the bridge.
class CTridentPemrokCapture : public CTridentUsbCardBase
{
public:
    enum { CARD_KIND_PEMROK = 19 };
    CARD_CLASS_CONSTRUCTORS(CTridentPemrokCapture, CTridentUsbCardBase, CARD_KIND_PEMROK)

    BOOL McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs) override;
    // Nonzero when the lines were written, 0 otherwise.
    HRESULT WriteCardGpio(DWORD mask, DWORD value) override;
};
