#pragma once

#include "hardware/devices/713xCards.h"

// "713x_D TV Card Capture" and "713x_4 TV Card Capture": the microcontroller
// on the split lanes, no lock of its own, keys held for at most 1000 ms; the
// open is the base open, with a message when the lock cannot be taken.
class C713xDFamilyCapture : public C713xMcuCapture
{
public:
    BOOL Initfilter() override;

protected:
    C713xDFamilyCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
        : C713xMcuCapture(pGraph, pCategory, pszName, bExclude, NULL)
    {
    }
    C713xDFamilyCapture(CDShowGraph* pGraph, REFCLSID clsid) : C713xMcuCapture(pGraph, clsid, NULL) {}
};

// The _D card talks to its microcontroller only to write and wait: it has no
// words, no handshake and no remote keys. A chip at 0x72 holds a counted
// text of digits.
class C713xDCapture : public C713xDFamilyCapture
{
public:
    enum { CARD_KIND_713X_D = 20, INFO_DEVICE = 0x72, INFO_COUNT_REG = 32, INFO_TEXT_REG = 33 };
    CARD_CLASS_CONSTRUCTORS(C713xDCapture, C713xDFamilyCapture)

    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT CreateRegisterAccess() override;
    BOOL McuSendWord(DWORD value) override;
    BOOL McuReadWord(WORD* pValue) override;
    BOOL McuHandshake(DWORD flag) override;
    // The text is cut to what the buffer holds with its NUL.
    BOOL ReadCardInfoString(char* pszBuffer, int cchBuffer, int* pnLength) override;
};

class C713x4Capture : public C713xDFamilyCapture
{
public:
    enum { CARD_KIND_713X_4 = 21 };
    CARD_CLASS_CONSTRUCTORS(C713x4Capture, C713xDFamilyCapture)

    BOOL SetTunerMode(LONG lMode) override;
    HRESULT CreateRegisterAccess() override;
};

// "713x BDA Analog Capture": keys from a GPIO byte behind a ready line, the
// tuner named by a letter at 0x68 and a two-byte code at 0x41 of the EEPROM.
class C713xBdaCapture : public CCaptureDevice
{
public:
    enum
    {
        CARD_KIND_713X_BDA = 22,
        TUNER_LETTER_OFFSET = 0x68,
        TUNER_CODE_OFFSET = 0x41,
        KEY_COMMAND = 3,
        READY_POLLS = 100,
        EEPROM_BYTE_PAUSE_MS = 10,
    };
    CARD_CLASS_CONSTRUCTORS(C713xBdaCapture, CCaptureDevice)

    // Opens under "Mutex_Remote_Control", silently refused when it is held.
    BOOL Initfilter() override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT ReadEEPROM(BYTE* pBuffer, int nStart, int* pnCount) override;
    HRESULT CreateRegisterAccess() override;
    // The tuner code's type, without fallbacks.
    int DetectTunerType() override;
    // Waits for the ready line; with bPad a wait that succeeded lasts 100 ms.
    BOOL WaitGpioReady(BOOL bLevel, BOOL bPad) override;
    // An unknown tuner code gives type 0 and E_FAIL.
    HRESULT ReadTunerCode(int* pcLetter, int* pnType) override;

    // The tuner type of a two-byte tuner code, 0 for a code not known.
    static int TunerTypeOfCode(int nCode);

private:
    HRESULT ReadReady(BOOL* pbReady);
};
