#pragma once

#include <strmif.h>

// What a test may set on the simulated DV device: its device type
// (ED_DEVTYPE_*), its transport mode, its time code (the frames field, BCD
// hours in the top byte) and whether it has a time-code reader at all.
// The type a camera reports in this simulation: any type but ED_DEVTYPE_VCR.
enum { SIM_DV_DEVTYPE_CAMERA = 0x1090 };
// {2C7B6E41-5D13-4A8E-9F02-6B1D3E7A4C95}
inline const IID SIMIID_DvControl = { 0x2C7B6E41, 0x5D13, 0x4A8E, { 0x9F, 0x02, 0x6B, 0x1D, 0x3E, 0x7A, 0x4C, 0x95 } };
struct ISimDvControl : public IUnknown
{
    virtual void STDMETHODCALLTYPE SetDeviceType(LONG type) = 0;
    virtual void STDMETHODCALLTYPE SetTimecode(DWORD frames) = 0;
    virtual void STDMETHODCALLTYPE SetHasTimecodeReader(BOOL bHas) = 0;
    virtual LONG STDMETHODCALLTYPE GetMode() = 0;
};

// A DV camera or recorder behind the system's DV capture filter: the
// external-device, transport and time-code interfaces a 1394 device answers.
// The identity and reference count are the owner's.
class CSimDvDevice : public IAMExtDevice, public IAMExtTransport, public IAMTimecodeReader, public ISimDvControl
{
public:
    explicit CSimDvDevice(IUnknown* pOwner);
    ~CSimDvDevice();

    // The interface the owner hands out for riid, or null.
    void* Find(REFIID riid);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IAMExtDevice (and IAMExtTransport's, which shares the signature).
    STDMETHODIMP GetCapability(LONG capability, LONG* pValue, double* pdblValue) override;
    STDMETHODIMP get_ExternalDeviceID(LPOLESTR* ppszData) override;
    STDMETHODIMP get_ExternalDeviceVersion(LPOLESTR* ppszData) override;
    STDMETHODIMP put_DevicePower(LONG mode) override;
    STDMETHODIMP get_DevicePower(LONG* pMode) override;
    STDMETHODIMP Calibrate(HEVENT hEvent, LONG mode, LONG* pStatus) override;
    STDMETHODIMP put_DevicePort(LONG port) override;
    STDMETHODIMP get_DevicePort(LONG* pPort) override;

    // IAMExtTransport
    STDMETHODIMP put_MediaState(LONG state) override;
    STDMETHODIMP get_MediaState(LONG* pState) override;
    STDMETHODIMP put_LocalControl(LONG state) override;
    STDMETHODIMP get_LocalControl(LONG* pState) override;
    STDMETHODIMP GetStatus(LONG item, LONG* pValue) override;
    STDMETHODIMP GetTransportBasicParameters(LONG param, LONG* pValue, LPOLESTR* ppszData) override;
    STDMETHODIMP SetTransportBasicParameters(LONG param, LONG value, LPCOLESTR pszData) override;
    STDMETHODIMP GetTransportVideoParameters(LONG param, LONG* pValue) override;
    STDMETHODIMP SetTransportVideoParameters(LONG param, LONG value) override;
    STDMETHODIMP GetTransportAudioParameters(LONG param, LONG* pValue) override;
    STDMETHODIMP SetTransportAudioParameters(LONG param, LONG value) override;
    STDMETHODIMP put_Mode(LONG mode) override;
    STDMETHODIMP get_Mode(LONG* pMode) override;
    STDMETHODIMP put_Rate(double rate) override;
    STDMETHODIMP get_Rate(double* pRate) override;
    STDMETHODIMP GetChase(LONG* pEnabled, LONG* pOffset, HEVENT* phEvent) override;
    STDMETHODIMP SetChase(LONG enable, LONG offset, HEVENT hEvent) override;
    STDMETHODIMP GetBump(LONG* pSpeed, LONG* pDuration) override;
    STDMETHODIMP SetBump(LONG speed, LONG duration) override;
    STDMETHODIMP get_AntiClogControl(LONG* pEnabled) override;
    STDMETHODIMP put_AntiClogControl(LONG enable) override;
    STDMETHODIMP GetEditPropertySet(LONG editId, LONG* pState) override;
    STDMETHODIMP SetEditPropertySet(LONG* pEditId, LONG state) override;
    STDMETHODIMP GetEditProperty(LONG editId, LONG param, LONG* pValue) override;
    STDMETHODIMP SetEditProperty(LONG editId, LONG param, LONG value) override;
    STDMETHODIMP get_EditStart(LONG* pValue) override;
    STDMETHODIMP put_EditStart(LONG value) override;

    // IAMTimecodeReader
    STDMETHODIMP GetTCRMode(LONG param, LONG* pValue) override;
    STDMETHODIMP SetTCRMode(LONG param, LONG value) override;
    STDMETHODIMP put_VITCLine(LONG line) override;
    STDMETHODIMP get_VITCLine(LONG* pLine) override;
    STDMETHODIMP GetTimecode(PTIMECODE_SAMPLE pSample) override;

    // ISimDvControl
    void STDMETHODCALLTYPE SetDeviceType(LONG type) override;
    void STDMETHODCALLTYPE SetTimecode(DWORD frames) override;
    void STDMETHODCALLTYPE SetHasTimecodeReader(BOOL bHas) override;
    LONG STDMETHODCALLTYPE GetMode() override;

private:
    IUnknown* m_pOwner;
    CRITICAL_SECTION m_cs;
    LONG m_type;
    LONG m_mode;
    DWORD m_frames;
    BOOL m_bTimecodeReader;
};
