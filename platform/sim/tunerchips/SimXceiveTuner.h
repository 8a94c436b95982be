#pragma once

#include "platform/sim/chipbus/SimChipBus.h"

#include <vector>

// An Xceive XC2028/XC3028 at 0xC2 on the chip bus. While its reset line is
// low it is off the bus; releasing it clears the firmware. It checks only the
// structure of what it is sent: writes of at most 64 bytes behind the
// address, firmware images that name themselves in a record at sub-address
// 0x2A ({0x2A, 'B' or 'S', number}), a base image before a standard image.
// Commands: {00 02 00 00 [00]} prepares a tuning, {00 00 hi lo [00]} tunes
// to the word (15.625 kHz steps), {00 02} asks for the status that the next
// read returns ({00, 1 when locked, 00, 00}).
class CSimXceiveTuner : public ISimI2CChip
{
public:
    enum { ADDRESS = 0xC2, TAG_SUBADDRESS = 0x2A, MAX_WRITE = 64 };

    explicit CSimXceiveTuner(CSimChipBus* pBus);

    void OnWrite(const BYTE* pData, int count) override;
    void OnRead(BYTE* pData, int count) override;

    // The card's reset line: low holds the chip in reset.
    void SetResetLine(BOOL high);

    void SetStations(const std::vector<double>& stationsKHz) { m_stations = stationsKHz; }
    BOOL IsInReset() const { return m_bInReset; }
    int ResetCount() const { return m_nResets; }
    // The images loaded since the last reset, as 'B'/'S' and number.
    int LoadedBase() const { return m_nBase; }
    int LoadedStandard() const { return m_nStandard; }
    BOOL IsFirmwareLoaded() const { return m_nBase != 0 && m_nStandard != 0; }
    int FirmwareWrites() const { return m_nFirmwareWrites; }
    // Structure faults: an oversized write, a standard image before a base
    // image, a tuning without firmware.
    int StructureErrors() const { return m_nErrors; }
    int TunedWord() const { return m_nWord; }
    double TunedKHz() const { return m_nWord * 15.625; }
    BOOL IsOnStation() const;

private:
    CSimChipBus* m_pBus;
    BOOL m_bInReset;
    int m_nResets;
    int m_nBase;
    int m_nStandard;
    int m_nFirmwareWrites;
    int m_nErrors;
    int m_nWord;
    BOOL m_bStatusAsked;
    std::vector<double> m_stations;
};
