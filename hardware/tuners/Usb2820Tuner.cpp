#include "hardware/tuners/Usb2820Tuner.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/DemodStandardTables.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/TunerModelTable.h"

#include <strmif.h>

#include <algorithm>
#include <new>

namespace
{
enum
{
    DECODER_ADDRESS = 0x42,
    DECODER_ALT_ADDRESS = 0x4A,
    DECODER_STATUS_REGISTER = 0x1F,
    ADAPTER_WRITE_ADDRESS = 0xC6,
    NO_STATUS_CODE = 9,
};

// Bit 6 of the video decoder's status register is clear while it is locked.
BOOL ReadDecoderLock(CRegisterAccess* pBus, BYTE decoder)
{
    if (pBus == NULL)
        return FALSE;
    BYTE status = 0xFF;
    return IsBusOk(pBus->ReadByte(decoder, DECODER_STATUS_REGISTER, &status)) && (status & 0x40) == 0;
}

template <class T>
void CopyTunerSettings(T& target, const CTunerModule& source)
{
    target.m_cTunerLetter = source.m_cTunerLetter;
    target.m_nTypeId = source.m_nTypeId;
    target.m_byStatusMask = source.m_byStatusMask;
    target.m_byControl = source.m_byControl;
    target.m_byBandLow = source.m_byBandLow;
    target.m_byBandMid = source.m_byBandMid;
    target.m_byBandHigh = source.m_byBandHigh;
    target.m_nTVLow = source.m_nTVLow;
    target.m_nLowBandEnd = source.m_nLowBandEnd;
    target.m_nMidBandStart = source.m_nMidBandStart;
    target.m_nMidBandEnd = source.m_nMidBandEnd;
    target.m_nHighBandStart = source.m_nHighBandStart;
    target.m_nTVHigh = source.m_nTVHigh;
    target.m_nFMLow = source.m_nFMLow;
    target.m_nFMHigh = source.m_nFMHigh;
    target.m_bHasFM = source.m_bHasFM;
    target.m_nIF = source.m_nIF;
    target.m_nFMIF = source.m_nFMIF;
    target.m_nFMScanStep = source.m_nFMScanStep;
    target.m_byFMControl = source.m_byFMControl;
    target.m_byFMBand = source.m_byFMBand;
    target.m_nFMLockCode = source.m_nFMLockCode;
    if (source.m_nTypeId == 72 || source.m_nTypeId == 73)
    {
        target.m_nAfcCode1 = source.m_nAfcCode1;
        target.m_nAfcCode2 = source.m_nAfcCode2;
        target.m_nAfcCode3 = source.m_nAfcCode3;
        target.m_nAfcCode4 = source.m_nAfcCode4;
        target.m_nAfcCode5 = source.m_nAfcCode5;
    }
    if (source.m_nTypeId == 13)
        target.m_byI2CRead = DEMOD_ADDRESS;
    // The type-97 adapter already lists its own standards: add only new ones.
    for (size_t i = 0; i < source.m_vecStandards.size(); ++i)
    {
        DWORD standard = source.m_vecStandards[i];
        if (std::find(target.m_vecStandards.begin(), target.m_vecStandards.end(), standard) ==
            target.m_vecStandards.end())
            target.m_vecStandards.push_back(standard);
    }
}

// The adapter with the factory model's settings; where it looks for the video
// decoder goes to *ppDecoderAddress.
template <class T>
T* MakeAdapter(CRegisterAccess* pRegisterAccess, const CTunerModule* pFactoryModel, BYTE** ppDecoderAddress)
{
    T* pTuner = new (std::nothrow) T(pRegisterAccess);
    if (pTuner == NULL)
        return NULL;
    if (pFactoryModel != NULL)
        pTuner->CopyFrom(*pFactoryModel);
    *ppDecoderAddress = &pTuner->m_byDecoderAddress;
    return pTuner;
}
}

CUsb2820Tuner::CUsb2820Tuner(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess), m_byDecoderAddress(DECODER_ADDRESS), m_dwDecoderFlag(1)
{
    ApplyTunerModelRow(*this, 97);
}

BOOL CUsb2820Tuner::IsTVLocked()
{
    m_dwDecoderFlag = 0;
    return ReadDecoderLock(m_pRegisterAccess, m_byDecoderAddress);
}

BOOL CUsb2820Tuner::ReadTVStatus(DWORD* pCode)
{
    // This demodulator answers at its write address.
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_ADDRESS, AFC_DECODER_B, pCode);
}

BOOL CUsb2820Tuner::SetStandard(DWORD standard)
{
    return WriteDemodStandard(m_pRegisterAccess, g_DemodTableFq1216me, standard);
}

void CUsb2820Tuner::CopyFrom(const CTunerModule& source)
{
    CopyTunerSettings(*this, source);
}

CUsb2820AltTuner::CUsb2820AltTuner(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess), m_dwDecoderFlag(1), m_byDecoderAddress(DECODER_ADDRESS)
{
    m_cTunerLetter = 'T';
    m_nTypeId = 4;
    m_byI2CRead = 0xC7;
    m_byI2CWrite = ADAPTER_WRITE_ADDRESS;
    m_nTVLow = 48250;
    m_nTVHigh = 863250;
    m_nLowBandEnd = 170000;
    m_nMidBandStart = 170000;
    m_nMidBandEnd = 450000;
    m_nHighBandStart = 450000;
    m_byBandLow = 0x01;
    m_byBandMid = 0x02;
    m_byBandHigh = 0x08;
    m_byControl = 0xCE;
    m_byStatusMask = 0x40;
    m_nIF = 38900;
}

void CUsb2820AltTuner::CopyFrom(const CTunerModule& source)
{
    CopyTunerSettings(*this, source);
}

BOOL CUsb2820AltTuner::IsTVLocked()
{
    m_dwDecoderFlag = 0;
    return ReadDecoderLock(m_pRegisterAccess, m_byDecoderAddress);
}

BOOL CUsb2820AltTuner::WriteFixedTuning(float frequency, BYTE address, BYTE control, int lowEnd, int midEnd)
{
    if (m_pRegisterAccess == NULL || !IsInTVRange(*this, frequency))
        return FALSE;
    WORD divider = PllTVDivider(38900, frequency);
    BYTE band = 0x08;
    if (frequency < static_cast<float>(lowEnd))
        band = 0x01;
    else if (frequency < static_cast<float>(midEnd))
        band = 0x02;
    BYTE buffer[5] = { address, static_cast<BYTE>(divider >> 8), static_cast<BYTE>(divider & 0xFF), control,
                       band };
    return IsBusOk(m_pRegisterAccess->I2CWrite(buffer, 5));
}

BOOL CUsb2820AltTuner::SetTVFrequency(float frequency)
{
    switch (m_nTypeId)
    {
    case 69:
        return WriteFixedTuning(frequency, 0xC6, 0xCE, 168250, 471250);
    case 72:
    case 75:
        return WriteFixedTuning(frequency, 0xC0, 0x8E, 147250, 425250);
    case 73:
        return WritePllTuning(*this, 0xC0, m_nIF, frequency, NULL);
    case 92:
    case 93:
    {
        int nIF = (m_nTypeId == 92 && m_nStandard == AnalogVideo_SECAM_L1) ? 33900 : m_nIF;
        BYTE aux = SecamLAuxByte(m_nStandard);
        return WritePllTuning(*this, m_byI2CWrite, nIF, frequency, &aux);
    }
    default:
        return CTunerModule::SetTVFrequency(frequency);
    }
}

BOOL CUsb2820AltTuner::ReadPllStatus(BYTE address, DWORD* pCode)
{
    if (m_pRegisterAccess == NULL || pCode == NULL)
        return FALSE;
    BYTE buffer[1] = { address };
    if (IsBusOk(m_pRegisterAccess->I2CRead(buffer, 1)) && (buffer[0] & m_byStatusMask) != 0)
    {
        *pCode = buffer[0] & 7;
        return TRUE;
    }
    if (m_nTypeId != 73)
        *pCode = NO_STATUS_CODE;
    return FALSE;
}

BOOL CUsb2820AltTuner::ReadTVStatus(DWORD* pCode)
{
    if (!IsTVLocked())
        return FALSE;
    switch (m_nTypeId)
    {
    case 69:
        return ReadPllStatus(0xC6, pCode);
    case 72:
    case 73:
        return ReadPllStatus(0xC0, pCode);
    case 75:
    case 93:
        return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_C, pCode);
    case 92:
        return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_A, pCode);
    case 97:
        return ReadDemodAfc(m_pRegisterAccess, DEMOD_ADDRESS, AFC_DECODER_B, pCode);
    default:
        return CTunerModule::ReadTVStatus(pCode);
    }
}

BOOL CUsb2820AltTuner::SetStandard(DWORD standard)
{
    switch (m_nTypeId)
    {
    case 13:
        return WriteDemodTableSettled(m_pRegisterAccess, DEMOD_ADDRESS, g_DemodTableJs6b2, standard);
    case 72:
        return WriteDemodSequenceD(m_pRegisterAccess, standard, FALSE);
    case 75:
        return WriteDemodStandard(m_pRegisterAccess, g_DemodTableT75, standard);
    case 92:
    case 93:
        return WriteDemodStandard(m_pRegisterAccess, g_DemodTableUsbT97, standard);
    case 97:
        return WriteDemodStandard(m_pRegisterAccess, g_DemodTableFq1216me, standard);
    default:
        return TRUE;
    }
}

BOOL CUsb2820AltTuner::SetFMFrequency(float frequency)
{
    if (m_nTypeId != 92)
        return CTunerModule::SetFMFrequency(frequency);
    return TunePhilipsRadio(*this, frequency);
}

CTunerModule* CreateUsb2820TunerAdapter(int nTypeId, CRegisterAccess* pRegisterAccess,
                                        const CTunerModule* pFactoryModel)
{
    if (nTypeId == 0)
        return NULL;
    CTunerModule* pModule = NULL;
    BYTE* pDecoderAddress = NULL;
    if (nTypeId == 97)
        pModule = MakeAdapter<CUsb2820Tuner>(pRegisterAccess, pFactoryModel, &pDecoderAddress);
    else
        pModule = MakeAdapter<CUsb2820AltTuner>(pRegisterAccess, pFactoryModel, &pDecoderAddress);
    if (pModule == NULL)
        return NULL;
    pModule->m_byI2CWrite = ADAPTER_WRITE_ADDRESS;
    if (pRegisterAccess != NULL)
    {
        BYTE probe[1] = { DECODER_ADDRESS };
        if (!IsBusOk(pRegisterAccess->I2CRead(probe, 1)))
        {
            probe[0] = DECODER_ALT_ADDRESS;
            if (IsBusOk(pRegisterAccess->I2CRead(probe, 1)))
                *pDecoderAddress = DECODER_ALT_ADDRESS;
        }
    }
    return pModule;
}
