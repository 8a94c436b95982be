#include "hardware/bus/713xBdaRegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <map>

namespace {
typedef std::vector<std::string> Lines;

std::string Hex(const BYTE* p, DWORD count)
{
    std::string s;
    char part[4];
    for (DWORD i = 0; i < count; ++i)
    {
        sprintf(part, i == 0 ? "%02X" : " %02X", p[i]);
        s += part;
    }
    return s;
}

// The BDA driver: I2C requests as "Get A0 [C1] 1" or "Set C0 [05] + [07]"
// (the bytes read from the caller's memory where the request points), and a
// register file whose reads and writes are "R 1B0" and "W 1B4 4000".
class CBdaDriver
{
public:
    CBdaDriver()
    {
        props.SetRequestHandler([this](bool bSet, const GUID& set, DWORD id, const BYTE* pInstance, DWORD cbInstance,
                                       BYTE* pData, DWORD length) {
            char text[160];
            if (set == PROPSETID_713xBdaI2C)
            {
                EXPECT_EQ(0u, id);
                EXPECT_EQ(24u, cbInstance);
                EXPECT_EQ(8u, length);
                BdaI2CInstance instance;
                memcpy(&instance, pInstance, sizeof(instance));
                const BYTE* pFirst = reinterpret_cast<const BYTE*>(static_cast<ULONG_PTR>(instance.writeBytes));
                if (bSet)
                {
                    BdaI2CData data;
                    memcpy(&data, pData, sizeof(data));
                    const BYTE* pMore = reinterpret_cast<const BYTE*>(static_cast<ULONG_PTR>(data.moreBytes));
                    sprintf(text, "Set %02lX [%s] + [%s] %lu", instance.device,
                            Hex(pFirst, instance.writeCount).c_str(), Hex(pMore, data.moreCount).c_str(),
                            instance.readCount);
                }
                else
                {
                    sprintf(text, "Get %02lX [%s] %lu", instance.device, Hex(pFirst, instance.writeCount).c_str(),
                            instance.readCount);
                    BYTE* pRead = reinterpret_cast<BYTE*>(static_cast<ULONG_PTR>(instance.readBuffer));
                    for (DWORD i = 0; i < instance.readCount; ++i)
                        pRead[i] = static_cast<BYTE>(readByte + i);
                }
            }
            else
            {
                EXPECT_TRUE(set == PROPSETID_713xBdaRegister);
                EXPECT_EQ(1u, id);
                EXPECT_EQ(4u, cbInstance);
                EXPECT_EQ(4u, length);
                DWORD reg;
                memcpy(&reg, pInstance, 4);
                if (bSet)
                {
                    DWORD value;
                    memcpy(&value, pData, 4);
                    registers[reg] = value;
                    sprintf(text, "W %lX %lX", reg, value);
                }
                else
                {
                    DWORD value = registers[reg];
                    if (reg == 0x1B4)
                        value = (value & ~inputMask) | (inputs & inputMask);
                    memcpy(pData, &value, 4);
                    sprintf(text, "R %lX", reg);
                }
            }
            lines.push_back(text);
            return lines.size() == static_cast<size_t>(failAt) ? E_FAIL : result;
        });
    }

    CRecordingPropertySet props;
    Lines lines;
    std::map<DWORD, DWORD> registers;
    DWORD inputs = 0;
    DWORD inputMask = 0;
    BYTE readByte = 0x47;
    HRESULT result = S_OK;
    int failAt = 0;
};

class BdaBus : public ::testing::Test
{
protected:
    BdaBus() { EXPECT_EQ(S_OK, access.Attach(&driver.props, 0)); }
    CFastBusClock clock;
    CBdaDriver driver;
    C713xBdaRegisterAccess access;
};

TEST_F(BdaBus, ByteTransfersPointAtTheSubAddressAndTheValue)
{
    BYTE b = 0;
    driver.result = S_FALSE;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 0x21, &b));
    EXPECT_EQ(0x47, b);
    driver.result = S_OK;
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 0x21, 0x07));
    EXPECT_EQ(E_INVALIDARG, access.ReadByte(0xA0, -1, &b));
    EXPECT_EQ(E_INVALIDARG, access.WriteByte(0xA0, -1, 1));
    EXPECT_EQ(E_POINTER, access.ReadByte(0xA0, 1, NULL));
    EXPECT_EQ(Lines({ "Get A0 [21] 1", "Set A0 [21] + [07] 1" }), driver.lines);
}

TEST_F(BdaBus, BlockTransfersGoToTheGateBehindTheLeadByte)
{
    BYTE tune[5] = { 0xC0, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(S_OK, access.I2CWrite(tune, 5));
    BYTE status[1] = { 0xC1 };
    EXPECT_EQ(S_OK, access.I2CRead(status, 4));
    EXPECT_EQ(0x47, status[0]);
    EXPECT_EQ(Lines({ "Set A0 [C1] + [1F E2 CE 08] 1", "Get A0 [C1] 1" }), driver.lines);
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(tune, 1));
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(tune, 0));
    EXPECT_EQ(E_FAIL, access.I2CWrite(NULL, 5));
    EXPECT_EQ(E_POINTER, access.I2CRead(NULL, 1));
    EXPECT_EQ(2u, driver.lines.size());
}

TEST_F(BdaBus, AByteGoesOutOnTheLanesBehindTheStrobe)
{
    driver.registers[0x1B0] = 0x80000001;
    driver.registers[0x1B4] = 0x0E04FE01;
    EXPECT_EQ(S_OK, access.WriteGpio(0x01, 0));
    // Lanes 9, 27, 25, 15, 11, 10, 13, 18 = 0x0A04AE00; the strobe is bit 14.
    EXPECT_EQ(Lines({ "R 1B0", "R 1B4", "W 1B0 8A04EE01", "W 1B4 4001201", "W 1B0 80004001", "W 1B4 4005201" }),
              driver.lines);
    EXPECT_EQ(std::vector<DWORD>({ 120 }), clock.Sleeps());
    EXPECT_EQ(0x00000200u, C713xBdaRegisterAccess::SpreadLanes(0x01));
    EXPECT_EQ(0x00040000u, C713xBdaRegisterAccess::SpreadLanes(0x80));
    EXPECT_EQ(0x0A04AE00u, C713xBdaRegisterAccess::SpreadLanes(0xFF));
}

TEST_F(BdaBus, AFailedRegisterAccessEndsTheStrobe)
{
    driver.failAt = 3;
    EXPECT_EQ(E_FAIL, access.WriteGpio(0x01, 0));
    EXPECT_EQ(3u, driver.lines.size());
    EXPECT_TRUE(clock.Sleeps().empty());
}

TEST_F(BdaBus, ReadingMakesTheLanesInputsThroughTheLatch)
{
    driver.registers[0x1B0] = 0x8A04EE01;
    driver.inputs = 1u << 27;
    driver.inputMask = 0x0A04AE00;
    DWORD value = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(0x02u, value);
    EXPECT_EQ(Lines({ "R 1B0", "W 1B0 4001", "W 1B0 80004001", "R 1B4" }), driver.lines);

    driver.lines.clear();
    driver.registers[0x1B0] = 0x00004001;
    EXPECT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(Lines({ "R 1B0", "W 1B0 80004001", "R 1B4" }), driver.lines);
    EXPECT_EQ(E_POINTER, access.ReadGpio(NULL));
}

TEST_F(BdaBus, TheCardLinesOfTheReservedOperations)
{
    driver.inputs = (1u << 23) | (1u << 17);
    driver.inputMask = (1u << 23) | (1u << 22) | (1u << 17);
    DWORD ready = 0;
    EXPECT_EQ(S_OK, access.Reserved21(reinterpret_cast<ULONG_PTR>(&ready)));
    EXPECT_EQ(1u, ready);
    DWORD keys = 0;
    EXPECT_EQ(S_OK, access.Reserved23(reinterpret_cast<ULONG_PTR>(&keys)));
    EXPECT_EQ(2u, keys);
    EXPECT_EQ(E_POINTER, access.Reserved21(0));

    driver.lines.clear();
    driver.inputMask = 0;
    driver.registers[0x1B0] = 0x1;
    driver.registers[0x1B4] = 0x00400000;
    EXPECT_EQ(S_OK, access.Reserved22(2));
    EXPECT_EQ(S_OK, access.Reserved24(1));
    EXPECT_EQ(S_OK, access.Reserved24(0));
    EXPECT_EQ(Lines({ "R 1B0", "R 1B4", "W 1B0 424001", "W 1B4 24000", "R 1B0", "R 1B4", "W 1B0 624001", "W 1B4 24000",
                      "R 1B0", "R 1B4", "W 1B0 624001", "W 1B4 224000" }),
              driver.lines);
}

TEST(BdaUnattached, BusOperationsFail)
{
    C713xBdaRegisterAccess access;
    BYTE b = 0;
    BYTE buffer[2] = { 0xC0, 1 };
    DWORD d = 0;
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(S_OK, access.Command3(1));
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA0, 0, &b));
    EXPECT_EQ(E_FAIL, access.WriteByte(0xA0, 0, 1));
    EXPECT_EQ(E_FAIL, access.I2CRead(buffer, 1));
    EXPECT_EQ(E_FAIL, access.I2CWrite(buffer, 2));
    EXPECT_EQ(E_FAIL, access.ReadRegister(0x1B0, &d));
    EXPECT_EQ(E_FAIL, access.WriteRegister(0x1B0, 0));
    EXPECT_EQ(E_FAIL, access.ReadGpio(&d));
    EXPECT_EQ(E_FAIL, access.WriteGpio(1, 0));
}
}  // namespace
