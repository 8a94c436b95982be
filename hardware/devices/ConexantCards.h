#pragma once

#include "hardware/devices/McuCaptureDevice.h"

// The audio input of the Conexant 2388x boards: lines 12-13 (3 mutes; inputs
// 0, 1, 2 are 0, 1, 2), written under the mask 0x7000 with line 14 as read.
// With bLock the switch runs under "Mutex_Remote_Control" and fails without it.
HRESULT SwitchConexantAudio(CRegisterAccess* pAccess, int nInput, BOOL bEnable, BOOL bLock);

// "Conexant 2388x Video Capture": bus access through the card's tuner filter.
class CConexant2388xCapture : public CCaptureDevice
{
public:
    enum { CARD_KIND_CONEXANT = 3 };

    CARD_CLASS_CONSTRUCTORS(CConexant2388xCapture, CCaptureDevice)
    void InitDefaults() override;
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override;
    HRESULT CreateRegisterAccess() override;
};

// The Conexant boards with a microcontroller on the straight lanes, whose
// transport keeps the audio lines, and whose exchanges and audio switching
// hold "Mutex_Remote_Control". Also the Hadlex and 2388x boards.
class CConexantMcuCapture : public CMcuCaptureDevice
{
public:
    void InitDefaults() override;
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override;
    HRESULT CreateRegisterAccess() override;

protected:
    // pszTuner: the tuner filter's name; bHoldFromMember: a key is read for
    // the key time-out member (500 ms by default), else 1000 ms.
    CConexantMcuCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude, LPCSTR pszTuner,
                        BOOL bHoldFromMember)
        : CMcuCaptureDevice(pGraph, pCategory, pszName, bExclude, LANES_STRAIGHT, TRUE, bHoldFromMember),
          m_pszTuner(pszTuner)
    {
    }
    CConexantMcuCapture(CDShowGraph* pGraph, REFCLSID clsid, LPCSTR pszTuner, BOOL bHoldFromMember)
        : CMcuCaptureDevice(pGraph, clsid, LANES_STRAIGHT, TRUE, bHoldFromMember), m_pszTuner(pszTuner)
    {
    }

private:
    LPCSTR m_pszTuner;
};

class CConexant2388x1Capture : public CConexantMcuCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CConexant2388x1Capture, CConexantMcuCapture, "Conexant 2388x_1 Tuner", FALSE)
};

class CConexant2388x3Capture : public CConexantMcuCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CConexant2388x3Capture, CConexantMcuCapture, "Conexant 2388x_3 Tuner", TRUE)
};

class CHadlexCapture : public CConexantMcuCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(CHadlexCapture, CConexantMcuCapture, "Hadlex Tuner", TRUE)
};

class C2388xCapture : public CConexantMcuCapture
{
public:
    CARD_CLASS_CONSTRUCTORS(C2388xCapture, CConexantMcuCapture, "2388x Tuner", TRUE)
};
