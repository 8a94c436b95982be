#pragma once

#include "platform/sim/chipbus/SimChipBus.h"
#include "platform/sim/tunerchips/SimTda8275A.h"

#include <vector>

// The analogue IF demodulator in front of a TDA8275A: a register file written
// {register, value...} and read one register after a pointer write. Register
// 0x21 bit 6 opens its I2C gate, and only then is the tuner on the bus.
// Register 0x1B bit 7 reports lock when the tuner, with the IF of the mode in
// register 0x01, sits on one of the stations (Hz).
class CSimHybridDemod : public ISimI2CChip
{
public:
    enum { TUNER_ADDRESS = 0xC2, REG_MODE = 0x01, REG_ADC = 0x1A, REG_AFC = 0x1B, REG_AGC = 0x1D, REG_GATE = 0x21 };

    CSimHybridDemod(CSimChipBus* pBus, CSimTda8275A* pTuner);

    void OnWrite(const BYTE* pData, int count) override;
    void OnRead(BYTE* pData, int count) override;

    void SetStations(const std::vector<double>& stationsHz) { m_stations = stationsHz; }
    void SetRegister(int reg, BYTE value) { m_registers[reg & 0xFF] = value; }
    BYTE GetRegister(int reg) const { return m_registers[reg & 0xFF]; }
    BOOL IsGateOpen() const { return m_bGateOpen; }
    int GateOpenings() const { return m_nGateOpenings; }
    // The IF of the mode byte, Hz (0 for no known mode).
    double GetIFHz() const;
    // The picture carrier the tuner is on, Hz.
    double GetTunedHz() const;
    BOOL IsLocked() const;
    // Register writes by number, in order.
    const std::vector<std::pair<BYTE, BYTE> >& Writes() const { return m_writes; }
    void ClearWrites() { m_writes.clear(); }

private:
    CSimChipBus* m_pBus;
    CSimTda8275A* m_pTuner;
    BYTE m_registers[256];
    BYTE m_pointer;
    BOOL m_bGateOpen;
    int m_nGateOpenings;
    std::vector<double> m_stations;
    std::vector<std::pair<BYTE, BYTE> > m_writes;
};
