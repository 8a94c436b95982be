#pragma once

#include "hardware/bus/RegisterAccess.h"

#include <vector>

class CTVScanWorker;
class CTunerOwner;
class CTunerScanWorker;

// Messages the scan workers post to the notify window.
enum
{
    WM_TUNER_SCAN_STEP = 0x3979, // wParam kHz, lParam 1 when a station was found
    WM_TUNER_SCAN_DONE = 0x3980,
};

// A tuner on a card's I2C bus. The base is itself a complete three-band PLL
// tuner; each model is a derived class that overwrites the constants below and
// may replace some of the virtual operations. Frequencies are kHz (picture
// carrier for TV). The module has no lock: bus traffic is serialised by the
// card's register access.
class CTunerModule
{
public:
    explicit CTunerModule(CRegisterAccess* pRegisterAccess);
    virtual ~CTunerModule();

    virtual BOOL SetFMFrequency(float frequency);
    virtual BOOL ReadFMStatus(DWORD* pCode);
    virtual BOOL IsFMLocked();
    virtual BOOL IsTVLocked();
    virtual BOOL SetTVFrequency(float frequency);
    virtual BOOL ReadTVStatus(DWORD* pCode);
    virtual BOOL CreateFMScanWorker();
    virtual BOOL CreateTVScanWorker();
    virtual BOOL SetStandard(DWORD standard);
    virtual BOOL IsSignalPresent(DWORD* pPresent);

    BOOL StartScan(BOOL bTV, BOOL bRangeScan);
    void StopScan();
    BOOL IsScanning();
    HWND GetNotifyWindow() const { return m_hNotifyWnd; }
    void SetNotifyWindow(HWND hWnd) { m_hNotifyWnd = hWnd; }
    void SetTVScanStartStep(int step);
    void SetTVScanFineStep(int step);
    BOOL SetFMScanStep(int step);
    BOOL SetFMScanRange(int low, int high);
    BOOL SetFMScanHitStep(int step);
    BOOL SetTVScanJumps(int hitJump, int window);
    BOOL SetTVScanRange(int low, int high);
    void SetTVScanDwell(int ms);
    int GetAfcCode1() const { return m_nAfcCode1; }
    int GetAfcCode2() const { return m_nAfcCode2; }
    int GetAfcCode3() const { return m_nAfcCode3; }
    int GetAfcCode4() const { return m_nAfcCode4; }
    int GetAfcCode5() const { return m_nAfcCode5; }
    BOOL HasFM() const { return m_bHasFM; }
    void GetTVFrequencyRange(int* pHigh, int* pLow) const;
    void GetFMFrequencyRange(int* pHigh, int* pLow) const;
    // The caller keeps the list alive while the tuner may scan.
    BOOL SetScanList(const float* pList, int count);

    CTVScanWorker* GetTVScanWorker() const { return m_pTVScanWorker; }
    CTunerScanWorker* GetFMScanWorker() const { return m_pFMScanWorker; }

protected:
    // The 5-byte tuning write {address, divider high, divider low, control, band}.
    BOOL WriteTuning(WORD divider, BYTE control, BYTE band);
    // One status byte at the read address; the code is its low three bits.
    BOOL ReadStatusByte(DWORD* pCode);

public:
    CRegisterAccess* m_pRegisterAccess;
    CTVScanWorker* m_pTVScanWorker;
    CTunerScanWorker* m_pFMScanWorker;
    HWND m_hNotifyWnd;
    volatile LONG m_bScanning;
    const float* m_pScanList;
    int m_nScanListCount;
    int m_nTVLow;
    int m_nLowBandEnd;
    int m_nMidBandStart;
    int m_nMidBandEnd;
    int m_nHighBandStart;
    int m_nTVHigh;
    int m_nFMLow;
    int m_nFMHigh;
    BOOL m_bHasFM;
    int m_nIF;
    int m_nFMIF;
    int m_nTVScanStartStep;
    int m_nTVScanFineStep;
    int m_nFMScanStep;
    int m_nFMScanHitStep;
    int m_nTVScanHitJump;
    int m_nTVScanWindow;
    int m_nTVScanDwell;
    BYTE m_byBandLow;
    BYTE m_byBandMid;
    BYTE m_byBandHigh;
    BYTE m_byControl;
    BYTE m_byStatusMask;
    BYTE m_byI2CRead;
    BYTE m_byI2CWrite;
    BYTE m_byFMControl;
    BYTE m_byFMBand;
    int m_nAfcCode1;
    int m_nAfcCode2;
    int m_nAfcCode3;
    int m_nAfcCode4;
    int m_nAfcCode5;
    int m_nFMLockCode;
    int m_cTunerLetter;
    int m_nTypeId;
    int m_nModelId;
    BOOL m_bReapplyStandard;
    DWORD m_nStandard;
    std::vector<DWORD> m_vecStandards;
    int m_nTVScanLow;
    int m_nTVScanHigh;
    CTunerOwner* m_pOwner;
    // Set by a device whose tuner sits behind its encoder chip.
    BOOL m_bOnEncoderDevice;

private:
    CTunerModule(const CTunerModule&) = delete;
    CTunerModule& operator=(const CTunerModule&) = delete;
};
