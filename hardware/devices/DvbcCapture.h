#pragma once

#include "hardware/devices/CaptureDevice.h"

// The private control interface of the "DVBC TS Capture" filter
// {9B21A661-29BB-4ED3-B125-54B409677B59}, by position. What the methods do
// (tuning, symbol rate, modulation, stream control) is the driver's business;
// the card passes its arguments through.
extern const IID IID_IDvbcControl;
struct IDvbcControl : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Method1() = 0;
    virtual HRESULT STDMETHODCALLTYPE Method2() = 0;
    virtual HRESULT STDMETHODCALLTYPE Method3(DWORD a, DWORD b) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Method5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Method6(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method7(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method8(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method9(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method10(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Method12(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
    virtual HRESULT STDMETHODCALLTYPE Method18(DWORD a, DWORD b) = 0;
};

// A frequency band of the card: lower and upper frequency and a value kept for its caller.
struct DvbcBand
{
    DWORD dwLow;
    DWORD dwHigh;
    DWORD dwValue;
};

// "DVBC TS Capture": a DVB-C card whose chip is served by the maker's
// library DM1105.dll (EEPROM, port switch, remote keys). Card kind 16; its
// bus transport only keeps its owner.
class CDVBCTSCapture : public CCaptureDevice
{
public:
    enum
    {
        CARD_KIND_DVBC = 16,
        MAX_EEPROM_START = 127,
        EEPROM_SIZE = 256,
        POWER_PORT = 24,
        POWER_ON = 0x90,
        DEFAULT_SYMBOL_RATE = 6875,
        DEFAULT_MODULATION = 2,
        WM_REMOTE_KEY = 0x3981,
    };

    CARD_CLASS_CONSTRUCTORS(CDVBCTSCapture, CCaptureDevice)
    ~CDVBCTSCapture() override;

    BOOL Initfilter() override;
    HRESULT CreateRegisterAccess() override;
    HRESULT WriteEEPROM(BYTE* pBuffer, int nStart, int* pnCount, DWORD dwDelayMs) override;
    HRESULT ReadEEPROM(BYTE* pBuffer, int nStart, int* pnCount) override;

    // The control calls: nonzero when the driver's method succeeded.
    BOOL Control1();
    BOOL Control2();
    BOOL Control3(DWORD a, DWORD b);
    BOOL Control5();
    BOOL Control6(DWORD a);
    BOOL Control7(DWORD a);
    BOOL Control8(DWORD a);
    BOOL Control9(DWORD a);
    BOOL Control10(DWORD a);
    BOOL Control12(DWORD a);
    BOOL Control18(DWORD a, DWORD b);

    void SetBands(const DvbcBand* pBands, int count);
    const DvbcBand* GetBand(int index) const;
    int GetBandCount() const { return m_nBands; }
    void GetFrequencyRange(DWORD* pLow, DWORD* pHigh) const;

    void SetNotify(HWND hWnd, DWORD value1, DWORD value2);
    void GetPair(DWORD* pFirst, DWORD* pSecond) const;
    void SetPair(DWORD first, DWORD second);
    static BOOL IsValidBuffer(const void* p, UINT_PTR cb, BOOL bWritable);

    // Key delivery is one-shot: registering arms it, the first key is posted
    // to the notify window, further keys are dropped until armed again.
    BOOL RegisterKeyCallback();
    BOOL UnregisterKeyCallback();
    BOOL SetPortPower(BOOL bOn);

    DWORD GetSymbolRate() const { return m_nSymbolRate; }
    DWORD GetModulation() const { return m_nModulation; }
    IDvbcControl* GetControl() const { return m_pDvbcControl.Get(); }

private:
    static void __cdecl KeyCallback(DWORD context, DWORD key);
    void OnKey(DWORD key);

    ComPtr<IDvbcControl> m_pDvbcControl;
    DvbcBand* m_pBands = NULL;
    int m_nBands = 0;
    DWORD m_nSymbolRate = DEFAULT_SYMBOL_RATE;
    DWORD m_nModulation = DEFAULT_MODULATION;
    HWND m_hKeyWnd = NULL;
    DWORD m_nNotifyParam1 = 0;
    DWORD m_nNotifyParam2 = 0;
    volatile LONG m_bKeyPosted = 0;
    DWORD m_Pair[2] = { 0, 0 };
};
