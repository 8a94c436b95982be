#pragma once

#include "hardware/tuners/TunerModule.h"

// The tuners of the USB 2820 capture devices. The device builds one of these
// adapters, copies into it the settings of the model the factory makes for
// its tuner type, and keeps the adapter: TV lock then comes from the card's
// video decoder.

// The type-97 model ("FQ1216ME_5"): base tuning, the demodulator's AFC as
// status, the video decoder's lock.
class CUsb2820Tuner : public CTunerModule
{
public:
    explicit CUsb2820Tuner(CRegisterAccess* pRegisterAccess);

    BOOL IsTVLocked() override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;

    // Takes over a factory model's settings; the write address is not copied.
    void CopyFrom(const CTunerModule& source);

    BYTE m_byDecoderAddress;
    DWORD m_dwDecoderFlag;
};

// Every other type: the base with the copied settings, except for eight type
// ids that tune, set standards and read status by sequences of their own.
class CUsb2820AltTuner : public CTunerModule
{
public:
    explicit CUsb2820AltTuner(CRegisterAccess* pRegisterAccess);

    BOOL SetFMFrequency(float frequency) override;
    BOOL IsTVLocked() override;
    BOOL SetTVFrequency(float frequency) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;

    void CopyFrom(const CTunerModule& source);

    DWORD m_dwDecoderFlag;
    BYTE m_byDecoderAddress;

private:
    BOOL ReadPllStatus(BYTE address, DWORD* pCode);
    BOOL WriteFixedTuning(float frequency, BYTE address, BYTE control, int lowEnd, int midEnd);
};

// The adapter of a USB 2820 device for a tuner type: null for type 0; type 97
// gets CUsb2820Tuner, any other CUsb2820AltTuner. The factory model (may be
// null) is copied in, the write address becomes 0xC6, and the video decoder is
// looked for at 0x42, then at 0x4A.
CTunerModule* CreateUsb2820TunerAdapter(int nTypeId, CRegisterAccess* pRegisterAccess,
                                        const CTunerModule* pFactoryModel);
