#pragma once

#include "platform/sim/chipbus/SimChipBus.h"

#include <vector>

// A station the simulated antenna receives, in kHz (picture carrier for TV).
struct SimStation
{
    int frequency;
    BOOL bFM;
};

// A three-band PLL tuner. It decodes the divider, control and band bytes it is
// written ({divider high, divider low, control, band}) into the tuned frequency
// and answers one status byte: the lock flag (0x40) once tuned, and in the low
// three bits a frequency-error code against the nearest station.
class CSimPllTuner : public ISimI2CChip
{
public:
    struct Config
    {
        int nIF;               // picture IF, kHz
        int nFMIF;             // FM IF, kHz
        // Writes whose control and band bytes are these two are FM tunings.
        BYTE byFMControl;
        BYTE byFMBand;
        BOOL bHasFM;
        // Codes for far below, slightly below, on, slightly above and far
        // above the picture carrier.
        int anAfcCodes[5];
        int nNoSignalCode;
        int nFMLockCode;
        int nFMNoStationCode;
        BYTE byLockFlag;
    };

    CSimPllTuner();

    void SetConfig(const Config& config) { m_config = config; }
    const Config& GetConfig() const { return m_config; }
    void SetStations(const SimStation* pStations, int count);

    void OnWrite(const BYTE* pData, int count) override;
    void OnRead(BYTE* pData, int count) override;

    // What the last tuning write asked for.
    BOOL IsTuned() const { return m_bTuned; }
    BOOL IsFMMode() const { return m_bFM; }
    // The tuned frequency in kHz (times 1000 to keep the 62.5/31.25 steps exact).
    double GetTunedFrequency() const { return m_tuned; }
    int GetDivider() const { return m_nDivider; }
    BYTE GetControl() const { return m_byControl; }
    BYTE GetBand() const { return m_byBand; }
    BYTE GetStatusByte() const;
    // The horizontal lock a video decoder behind this tuner would report.
    BOOL IsOnStation() const;

private:
    Config m_config;
    std::vector<SimStation> m_stations;
    BOOL m_bTuned;
    BOOL m_bFM;
    double m_tuned;
    int m_nDivider;
    BYTE m_byControl;
    BYTE m_byBand;
};
