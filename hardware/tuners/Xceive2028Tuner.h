#pragma once

#include "hardware/tuners/TunerModule.h"
#include "hardware/tuners/XceiveScript.h"

// The Xceive XC2028 silicon tuner (type 91). It has no band bytes: a standard change resets the chip through
// the card's reset line and loads a base and a standard firmware image, and a
// tuning is a 16-bit word in steps of 15.625 kHz. How the chip is addressed
// depends on the card kind of the owning device.
class CTuner_XCEIVE2028 : public CTunerModule
{
public:
    explicit CTuner_XCEIVE2028(CRegisterAccess* pRegisterAccess, int nTypeId = 91);

    BOOL SetTVFrequency(float frequency) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
    BOOL IsSignalPresent(DWORD* pPresent) override;

    // Reset line low for 200 ms, then released.
    BOOL Reset();
    // Reset, then the M/N base image and the short B/G/D/I image.
    BOOL LoadInitTables();
    // Keeps the chip in reset.
    BOOL HoldReset();

    DWORD m_dwReserved;

private:
    int CardKind() const;
    // Kind 0: the transport addresses the chip; other kinds lead with 0xC2.
    BOOL UsesAddressByte() const { return CardKind() != 0; }
    BOOL RunScript(const XceiveScript& script);
    BOOL ReadRegisterLock(DWORD* pCode);
};

// The XC3028 of type 90, driven as the XC2028 is.
class CTuner_XCEIVE3028 : public CTuner_XCEIVE2028
{
public:
    explicit CTuner_XCEIVE3028(CRegisterAccess* pRegisterAccess) : CTuner_XCEIVE2028(pRegisterAccess, 90) {}
};
