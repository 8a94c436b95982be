#pragma once

#include <windows.h>
#include <strmif.h>

// The USB 2800 bridge driver's private interface
// {BE0AB5D2-3B9A-4E42-A05E-4A178B566C7C} on its video capture filter, called by
// position: two calls that get and set a value by id.
extern const IID IID_IUsb2800Bridge;
struct IUsb2800Bridge : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue(DWORD id, DWORD value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetValue(DWORD id, DWORD* pValue) = 0;
};

// Ids of the bridge interface.
enum
{
    USB2800_REGISTER_HEADER = 0x1005,  // first register << 8 | byte count
    USB2800_REGISTER_DATA = 0x1006,    // address of the register bytes
    USB2800_I2C_HEADER = 0x1007,       // flags << 24 | device << 16 | sub-address << 8 | count
    USB2800_I2C_DATA = 0x1008,         // address of the I2C bytes
    USB2800_SELECTOR = 0x100B,         // address of a 32-bit selector
    USB2800_SELECTED_VALUE = 0x1013,
    USB2800_SELECTED_READY = 0x1014,
    USB2800_PRESENT = 0x1019,
    USB2800_I2C_WITH_SUB = 0x01000000,
};

// The bridge's own result codes beside the driver's HRESULTs.
enum
{
    USB2800_TIMEOUT = 5,  // a poll ran out, or the GPIO guard refused
    USB2800_NOT_OPEN = 6,
    USB2800_NOT_READY = 21,
};

// Bridge registers.
enum
{
    USB2800_REG_GPIO = 8,
    USB2800_REG_GPIO_IN = 9,
    USB2800_REG_STATUS = 12,
    USB2800_REG_INDIRECT_DATA = 0x40,
    USB2800_REG_INDIRECT_INDEX = 0x42,
    USB2800_REG_INDIRECT_BUSY = 0x43,
};

// Finds a USB 2800 family bridge by its capture filter's friendly name and
// offers its registers, I2C bus, GPIO and indirect registers.
class CUsb2800Bridge
{
public:
    enum
    {
        POLL_LIMIT = 2000,
        NAME_CHARS = 260
    };

    CUsb2800Bridge();
    ~CUsb2800Bridge();

    // The first device of the category whose friendly name begins with name
    // (a reference), or null.
    static IBaseFilter* FindDeviceFilter(REFGUID category, LPCSTR pszName);

    // By that name, else by the first of the family's names that is present.
    // The interface (nonzero) on success, else 0.
    IUsb2800Bridge* Open(LPCSTR pszName);
    // The interface of a filter already found.
    IUsb2800Bridge* OpenFilter(IUnknown* pFilter);
    void Close();
    BOOL IsOpen() const { return m_pBridge != NULL; }
    // The device named in the registry's "TwainDS" key.
    IUsb2800Bridge* OpenDefault();
    // Whether the registry's device is present; the bridge stays as it was.
    BOOL IsDevicePresent();
    BOOL ShowPropertyPages(HWND hWndOwner);

    HRESULT GetValue(DWORD id, DWORD* pValue);
    HRESULT SetValue(DWORD id, DWORD value);

    HRESULT ReadRegisters(BYTE reg, BYTE count, BYTE* pBuffer);
    HRESULT WriteRegisters(BYTE reg, BYTE count, const BYTE* pBuffer);
    HRESULT ReadI2C(BYTE device, BYTE count, BYTE* pBuffer);
    HRESULT WriteI2C(BYTE device, BYTE count, const BYTE* pBuffer);
    HRESULT ReadI2CSub(BYTE device, BYTE subAddress, BYTE count, BYTE* pBuffer);
    HRESULT WriteI2CSub(BYTE device, BYTE subAddress, BYTE count, const BYTE* pBuffer);
    // Two bytes of an indirect register, through registers 0x40 to 0x43.
    HRESULT ReadIndirect(BYTE index, BYTE* pBuffer);
    HRESULT WriteIndirect(BYTE index, const BYTE* pBuffer);
    // GPIO register 9, or register 8 written, while register 8 holds every
    // bit of the guard mask.
    HRESULT ReadGpio(BYTE* pValue);
    HRESULT WriteGpio(const BYTE* pValue);
    // Stores the guard mask and sets its bits in register 8.
    HRESULT SetGpioGuard(BYTE mask);
    // 1 when bit 5 of register 12 was set (it is cleared), else 0.
    BOOL ClearStatusBit5();
    BOOL IsPresent();
    HRESULT ReadSelected(DWORD selector, DWORD* pValue);

    // The audio filters that go with the bridge, found by the registry's
    // audio device name (copied to pszName, 260 characters). Each output
    // that is asked for must be found; the filters stay the bridge's until
    // CloseFilters (the outputs borrow them).
    BOOL OpenFilters(LPSTR pszName, IBaseFilter** ppCapture, IBaseFilter** ppDevice, IBaseFilter** ppRenderer);
    void CloseFilters();

    HRESULT GetLastResult() const { return m_lastResult; }

private:
    // The named device, else the first of the family that is present.
    static IBaseFilter* FindBridgeFilter(LPCSTR pszName);
    HRESULT Transfer(DWORD headerId, DWORD header, DWORD dataId, BOOL bRead, BYTE* pBuffer);
    HRESULT PollIndirect();

    IUsb2800Bridge* m_pBridge;
    IBaseFilter* m_pAudioCapture;
    IBaseFilter* m_pAudioDevice;
    IBaseFilter* m_pAudioRenderer;
    BYTE m_byGpioGuard;
    HRESULT m_lastResult;

    CUsb2800Bridge(const CUsb2800Bridge&) = delete;
    CUsb2800Bridge& operator=(const CUsb2800Bridge&) = delete;
};
