#include "hardware/bus/DvbcRegisterAccess.h"
#include "hardware/bus/RaptorRegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <vfwmsgs.h>
#include <stdio.h>
#include <string.h>

#include <map>

namespace {
typedef std::vector<std::string> Lines;

// A Raptor driver: I2C phases as "W m d n [bytes]" / "R m d n", registers as
// "S reg=value" / "G reg"; reads answer from bytes and registers.
class CRaptorDriver
{
public:
    CRaptorDriver()
    {
        for (DWORD id : { 0, 1, 5, 6 })
            props.AddSupported(PROPSETID_RaptorCardControl, id);
        props.SetRequestHandler([this](bool bSet, const GUID& set, DWORD id, const BYTE* pInstance, DWORD cbInstance,
                                       BYTE* pData, DWORD length) {
            EXPECT_TRUE(set == PROPSETID_RaptorCardControl);
            EXPECT_EQ(pInstance, pData);
            EXPECT_EQ(cbInstance, length);
            char text[96];
            if (id == 0 || id == 1)
            {
                EXPECT_EQ(19u, length);
                sprintf(text, "%s %u %02X %u", bSet ? "W" : "R", pData[0], pData[1], pData[2]);
                std::string line = text;
                if (bSet)
                {
                    line += " [";
                    for (int i = 0; i < pData[2] && i < 16; ++i)
                    {
                        sprintf(text, i == 0 ? "%02X" : " %02X", pData[3 + i]);
                        line += text;
                    }
                    line += "]";
                }
                else
                {
                    for (int i = 0; i < pData[2] && i < 16; ++i)
                        pData[3 + i] = static_cast<BYTE>(readByte + i);
                }
                lines.push_back(line);
            }
            else
            {
                EXPECT_EQ(8u, length);
                DWORD reg, value;
                memcpy(&reg, pData, 4);
                memcpy(&value, pData + 4, 4);
                if (bSet)
                {
                    sprintf(text, "S %lX=%lX", reg, value);
                    registers[reg] = value;
                }
                else
                {
                    sprintf(text, "G %lX", reg);
                    memcpy(pData + 4, &registers[reg], 4);
                }
                lines.push_back(text);
            }
            return failure;
        });
    }

    CRecordingPropertySet props;
    Lines lines;
    BYTE readByte = 0x40;
    std::map<DWORD, DWORD> registers;
    HRESULT failure = S_OK;
};

class RaptorBus : public ::testing::Test
{
protected:
    RaptorBus() { EXPECT_EQ(S_OK, access.Attach(&driver.props, 0)); }
    CFastBusClock clock;
    CRaptorDriver driver;
    CRaptorRegisterAccess access;
};

struct ReadRow
{
    BYTE device;
    BYTE sub;
    Lines lines;
};

TEST_F(RaptorBus, ByteReadsPickTheirModeByTheDevice)
{
    const ReadRow rows[] = {
        { 0xA0, 5, { "W 1 A0 1 [05]", "R 1 A0 1" } },    { 0xC0, 5, { "W 2 C0 1 [05]", "R 2 C0 1" } },
        { 0xBA, 0xA9, { "W 1 BA 1 [A9]", "R 1 BA 1" } }, { 0xBA, 0xAA, { "W 3 BA 1 [AA]", "R 3 BB 1" } },
        { 0xBA, 0xAB, { "W 3 BA 1 [AB]", "R 3 BB 1" } },
    };
    for (const ReadRow& row : rows)
    {
        driver.lines.clear();
        BYTE b = 0;
        EXPECT_EQ(S_OK, access.ReadByte(row.device, row.sub, &b));
        EXPECT_EQ(0x40, b);
        EXPECT_EQ(row.lines, driver.lines);
    }
    EXPECT_EQ(E_POINTER, access.ReadByte(0xA0, 5, NULL));
}

TEST_F(RaptorBus, EveryByteWriteWritesTheValue)
{
    EXPECT_EQ(S_OK, access.WriteByte(0xC0, 5, 0x12));
    EXPECT_EQ(S_OK, access.WriteByte(0xBA, 0xAA, 0x34));
    EXPECT_EQ(Lines({ "W 2 C0 2 [05 12]", "W 1 BA 2 [AA 34]" }), driver.lines);
}

TEST_F(RaptorBus, LongWritesGoInPiecesOfFifteen)
{
    std::vector<BYTE> buffer = { 0xC2, 0x2A };
    for (int i = 0; i < 32; ++i)
        buffer.push_back(static_cast<BYTE>(i));
    EXPECT_EQ(S_OK, access.I2CWrite(buffer.data(), static_cast<LONG>(buffer.size())));
    EXPECT_EQ(Lines({ "W 2 C2 16 [2A 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E]",
                      "W 2 C2 16 [2A 0F 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D]", "W 2 C2 3 [2A 1E 1F]" }),
              driver.lines);
    EXPECT_EQ(std::vector<DWORD>({ 2, 2 }), clock.Sleeps());

    driver.lines.clear();
    BYTE tune[5] = { 0xC0, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(S_OK, access.I2CWrite(tune, 5));
    EXPECT_EQ(Lines({ "W 2 C0 4 [1F E2 CE 08]" }), driver.lines);
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(tune, 1));
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(tune, 0));
    EXPECT_EQ(E_POINTER, access.I2CWrite(NULL, 5));
    EXPECT_EQ(1u, driver.lines.size());
}

TEST_F(RaptorBus, BlockReadsWriteTheAddressThenReadUpToSixteen)
{
    BYTE buffer[17] = { 0xC1 };
    EXPECT_EQ(E_INVALIDARG, access.I2CRead(buffer, 17));
    EXPECT_EQ(E_INVALIDARG, access.I2CRead(buffer, 0));
    EXPECT_TRUE(driver.lines.empty());
    EXPECT_EQ(S_OK, access.I2CRead(buffer, 2));
    EXPECT_EQ(0x40, buffer[0]);
    EXPECT_EQ(0x41, buffer[1]);
    EXPECT_EQ(Lines({ "W 2 C1 1 [C1]", "R 2 C1 2" }), driver.lines);
    EXPECT_EQ(std::vector<DWORD>({ 2 }), clock.Sleeps());
}

TEST_F(RaptorBus, GpioMovesTheMaskIntoTheUpperHalves)
{
    EXPECT_EQ(S_OK, access.WriteGpio(0x00010002, 0x00030003));
    EXPECT_EQ(Lines({ "S C7008108=30000", "S C700810C=30000", "S C7008100=30002", "S C7008104=30001" }), driver.lines);
    driver.lines.clear();
    driver.registers[0xC7008100] = 0x00000012;
    driver.registers[0xC7008104] = 0x00340000;
    DWORD value = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(0x36u, value);
    EXPECT_EQ(Lines({ "G C7008100", "G C7008104" }), driver.lines);
    EXPECT_EQ(E_POINTER, access.ReadGpio(NULL));
}

TEST_F(RaptorBus, TheLinePulsesGpio1)
{
    EXPECT_EQ(1, access.SetGpioLine(0));
    EXPECT_EQ(8u, driver.lines.size());
    EXPECT_EQ("S C7008100=20000", driver.lines[2]);
    EXPECT_EQ("S C7008100=20002", driver.lines[6]);
    EXPECT_EQ(std::vector<DWORD>({ 20, 20 }), clock.Sleeps());
    EXPECT_EQ(S_OK, access.WriteGpioDelayed(1, 1, 500));
    EXPECT_EQ(std::vector<DWORD>({ 20, 20 }), clock.Sleeps());
    driver.failure = E_FAIL;
    EXPECT_EQ(0, access.SetGpioLine(1));
}

TEST(RaptorSupport, PropertiesTheDriverLacksAreNotSent)
{
    CRecordingPropertySet bare;
    bare.AddSupported(PROPSETID_RaptorCardControl, 1, KSPROPERTY_SUPPORT_SET);
    bare.AddSupported(PROPSETID_RaptorCardControl, 0, KSPROPERTY_SUPPORT_GET);
    CRaptorRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&bare, 0));
    BYTE b = 0;
    BYTE tune[5] = { 0xC0, 1, 2, 3, 4 };
    EXPECT_EQ(E_FAIL, access.I2CWrite(tune, 5));
    EXPECT_TRUE(bare.Calls().empty());

    CRecordingPropertySet none;
    CRaptorRegisterAccess unsupported;
    ASSERT_EQ(S_OK, unsupported.Attach(&none, 0));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, unsupported.WriteByte(0xC0, 1, 2));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, unsupported.ReadByte(0xC0, 1, &b));
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, unsupported.ReadGpio(&d));
    EXPECT_TRUE(none.Calls().empty());
}

TEST(RaptorUnattached, CommandsTellWhetherADriverIsHeld)
{
    CRaptorRegisterAccess access;
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
    CRaptorDriver driver;
    ASSERT_EQ(S_OK, access.Attach(&driver.props, 0));
    EXPECT_EQ(S_FALSE, access.Command1(1));
    EXPECT_EQ(S_FALSE, access.Command3(1));
    BYTE b = 0;
    DWORD d = 0;
    EXPECT_EQ(E_NOTIMPL, access.Reserved16(1, 2));
    EXPECT_EQ(E_NOTIMPL, access.ReadRegisterByte(1, &b));
    EXPECT_EQ(S_OK, access.Command7(1));
    EXPECT_EQ(S_OK, access.Reserved18(1));
    EXPECT_EQ(E_FAIL, access.ReadRegister(1, &d));
    EXPECT_EQ(E_FAIL, access.WriteRegister(1, 2));
    EXPECT_EQ(E_FAIL, access.Reserved22(0));
}

TEST(DvbcBus, KeepsItsFirstOwnerAndRefusesTheBus)
{
    CDvbcRegisterAccess access;
    EXPECT_EQ(E_FAIL, access.Attach(NULL, 0));
    EXPECT_EQ(S_OK, access.Attach(NULL, 0x1234));
    EXPECT_EQ(S_OK, access.Attach(NULL, 0x5678));
    EXPECT_EQ(0x1234u, access.GetOwner());
    BYTE b = 0;
    BYTE buffer[2] = { 0xC0, 0 };
    DWORD d = 0;
    EXPECT_EQ(E_NOTIMPL, access.Command1(1));
    EXPECT_EQ(E_NOTIMPL, access.ReadByte(0xA0, 0, &b));
    EXPECT_EQ(E_NOTIMPL, access.WriteByte(0xA0, 0, 1));
    EXPECT_EQ(E_NOTIMPL, access.I2CRead(buffer, 1));
    EXPECT_EQ(E_NOTIMPL, access.I2CWrite(buffer, 2));
    EXPECT_EQ(E_NOTIMPL, access.Command3(1));
    EXPECT_EQ(E_NOTIMPL, access.ReadGpio(&d));
    EXPECT_EQ(E_NOTIMPL, access.WriteGpio(1, 1));
    EXPECT_EQ(E_NOTIMPL, access.WriteGpioDelayed(1, 1, 1));
    EXPECT_EQ(E_NOTIMPL, access.SetGpioLine(1));
    EXPECT_EQ(E_NOTIMPL, access.Reserved16(1, 1));
    EXPECT_EQ(E_NOTIMPL, access.ReadRegisterByte(1, &b));
    EXPECT_EQ(S_OK, access.Command9());
    EXPECT_EQ(S_OK, access.Reserved18(1));
    EXPECT_EQ(E_FAIL, access.ReadRegister(1, &d));
    EXPECT_EQ(E_FAIL, access.Reserved23(0));
}
}  // namespace
