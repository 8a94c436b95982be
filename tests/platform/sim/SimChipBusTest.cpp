#include "platform/sim/chipbus/SimTVCard.h"

#include <gtest/gtest.h>

#include <string.h>

namespace
{
SimBusEvent EventAt(CSimChipBus& bus, int index)
{
    SimBusEvent event;
    memset(&event, 0, sizeof(event));
    EXPECT_TRUE(bus.GetEvent(index, &event));
    return event;
}

TEST(SimChipBus, BlockTransfersReachTheChipAndAreLogged)
{
    CSimTVCard card;
    CSimChipBus& bus = card.Bus();
    BYTE tune[4] = { 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_TRUE(bus.I2CWrite(0xC0, tune, 4));
    EXPECT_DOUBLE_EQ(471225.0, card.Pll().GetTunedFrequency());
    EXPECT_FALSE(bus.I2CWrite(0x90, tune, 4));
    BYTE status = 0;
    EXPECT_TRUE(bus.I2CRead(0xC1, &status, 1));
    EXPECT_EQ(0x47, status); // locked, no station
    ASSERT_EQ(3, bus.GetEventCount());
    SimBusEvent e = EventAt(bus, 0);
    EXPECT_EQ(SIM_I2C_WRITE, e.kind);
    EXPECT_EQ(0xC0, e.address);
    EXPECT_EQ(4, e.count);
    EXPECT_EQ(0, memcmp(e.data, tune, 4));
    EXPECT_EQ(SIM_I2C_NACK, EventAt(bus, 1).kind);
    e = EventAt(bus, 2);
    EXPECT_EQ(SIM_I2C_READ, e.kind);
    EXPECT_EQ(0xC1, e.address);
    EXPECT_EQ(0x47, e.data[0]);
    bus.ClearLog();
    EXPECT_EQ(0, bus.GetEventCount());
}

TEST(SimChipBus, SingleBytePrimitivesMakeTheSameTransactions)
{
    CSimTVCard card;
    CSimChipBus& bus = card.Bus();
    card.SetEepromTuner('X', 33);
    // Register read: start, address, sub-address, repeated start, read address, byte, stop.
    bus.Start();
    EXPECT_TRUE(bus.WriteByte(0xA0));
    EXPECT_TRUE(bus.WriteByte(0x20));
    bus.Start();
    EXPECT_TRUE(bus.WriteByte(0xA1));
    EXPECT_EQ('X', bus.ReadByte());
    EXPECT_EQ(33, bus.ReadByte());
    bus.Stop();
    ASSERT_EQ(2, bus.GetEventCount());
    SimBusEvent e = EventAt(bus, 0);
    EXPECT_EQ(SIM_I2C_WRITE, e.kind);
    EXPECT_EQ(1, e.count);
    EXPECT_EQ(0x20, e.data[0]);
    e = EventAt(bus, 1);
    EXPECT_EQ(SIM_I2C_READ, e.kind);
    EXPECT_EQ(2, e.count);
    // A write to nobody is not acknowledged; nothing is written before a start.
    bus.Start();
    EXPECT_FALSE(bus.WriteByte(0x90));
    EXPECT_FALSE(bus.WriteByte(0x01));
    bus.Stop();
    EXPECT_FALSE(bus.WriteByte(0xA0));
    EXPECT_EQ(SIM_I2C_NACK, EventAt(bus, 2).kind);
    EXPECT_EQ(3, bus.GetEventCount());
}

struct StatusRow
{
    int station;  // kHz, 0 = none
    int tuned;    // requested kHz; the chip tunes the 62.5 kHz step below
    BYTE status;
};

class PllStatus : public ::testing::TestWithParam<StatusRow> {};

TEST_P(PllStatus, AnswersTheFrequencyErrorCode)
{
    const StatusRow& row = GetParam();
    CSimPllTuner pll;
    SimStation station = { row.station, FALSE };
    pll.SetStations(&station, row.station != 0 ? 1 : 0);
    int divider = static_cast<int>((38900 + row.tuned) / 62.5);
    BYTE bytes[4] = { static_cast<BYTE>(divider >> 8), static_cast<BYTE>(divider), 0xCE, 0x08 };
    pll.OnWrite(bytes, 4);
    EXPECT_EQ(row.status, pll.GetStatusByte());
}

const StatusRow kStatusRows[] =
{
    { 471250, 471250, 0x42 },  // on the carrier
    { 471250, 471280, 0x42 },
    { 471250, 471350, 0x41 },  // slightly above
    { 471250, 471437, 0x41 },
    { 471250, 471500, 0x40 },  // far above
    { 471250, 471125, 0x43 },  // slightly below
    { 471250, 470875, 0x44 },  // far below
    { 471250, 473000, 0x47 },  // out of reach
    { 0, 471250, 0x47 },
};

INSTANTIATE_TEST_SUITE_P(Codes, PllStatus, ::testing::ValuesIn(kStatusRows));

TEST(SimPllTuner, FMWritesAreRecognisedByTheirControlAndBandBytes)
{
    CSimPllTuner pll;
    EXPECT_EQ(0, pll.GetStatusByte()); // nothing tuned yet
    SimStation station = { 98000, TRUE };
    pll.SetStations(&station, 1);
    BYTE fm[4] = { 0x0D, 0x3D, 0x8A, 0xA5 }; // (98000 + 10700) / 31.25 = 3478.4
    pll.OnWrite(fm, 4);
    EXPECT_TRUE(pll.IsFMMode());
    EXPECT_DOUBLE_EQ(3389 * 31.25 - 10700, pll.GetTunedFrequency());
    BYTE on[4] = { 0x0D, 0x96, 0x8A, 0xA5 };
    pll.OnWrite(on, 4);
    EXPECT_EQ(0x44, pll.GetStatusByte());
    EXPECT_FALSE(pll.IsOnStation());
}

TEST(SimChipBus, GpioAndBridgeRegisters)
{
    CSimChipBus bus;
    bus.SetGpioInputs(0x100, 0x1FF);
    bus.WriteGpio(0x3000, 0x3000);
    EXPECT_EQ(0x3100u, bus.ReadGpio());
    // The 713x bridge: 0x1B0 selects the lines, 0x1B4 sets them.
    bus.WriteRegister(0x1B0, 0x80001000);
    bus.WriteRegister(0x1B4, 0x0000);
    EXPECT_EQ(0x2100u, bus.ReadRegister(0x1B4));
    EXPECT_EQ(0x80001000u, bus.ReadRegister(0x1B0));
    EXPECT_EQ(0u, bus.ReadRegister(0x200));
    SimBusEvent e = EventAt(bus, 0);
    EXPECT_EQ(SIM_GPIO_WRITE, e.kind);
    EXPECT_EQ(0x3000u, e.mask);
}

TEST(SimTVCard, VendorPropertiesCarryTheBus)
{
    CSimTVCard card;
    BYTE request[304] = {};
    request[24] = 0xA0;
    request[28] = 0x21;
    EXPECT_EQ(S_OK, card.VendorGet(2, request, 56));
    EXPECT_EQ(5, request[32]);
    EXPECT_TRUE(FAILED(card.VendorGet(2, request, 40)));
    memset(request, 0, sizeof(request));
    request[24] = 0xC0;
    request[25] = 0x1F, request[26] = 0xE2, request[27] = 0xCE, request[28] = 0x08;
    request[280] = 5;
    EXPECT_EQ(S_OK, card.VendorSet(6, request, 304));
    request[280] = 0;
    request[281] = 1; // 256 bytes fit
    EXPECT_EQ(S_OK, card.VendorGet(6, request, 304));
    request[280] = 1;  // 257 do not
    EXPECT_TRUE(FAILED(card.VendorGet(6, request, 304)));
    EXPECT_DOUBLE_EQ(471225.0, card.Pll().GetTunedFrequency());
}
}
