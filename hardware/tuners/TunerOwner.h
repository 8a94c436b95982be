#pragma once

#include <windows.h>

class CTunerModule;

// What a tuner model asks of the capture device that owns it. The device
// implements it; the tuners know nothing else of the device.
class CTunerOwner
{
public:
    // The card kind, which decides how some models address their chip.
    virtual int GetCardType() const = 0;
    // The video decoder's horizontal lock; the flag is written only on success.
    virtual HRESULT IsSignalLocked(DWORD* pLocked) = 0;
    // Nonzero when a chip answers at the module's I2C read address (0 for a null module).
    virtual BOOL ProbeTuner(CTunerModule* pModule) = 0;
    // Searches the bus for the tuner and stores its read and write addresses
    // into the module; nonzero when one was found.
    virtual BOOL DetectTunerAddress(CTunerModule* pModule) = 0;

protected:
    ~CTunerOwner() {}
};
