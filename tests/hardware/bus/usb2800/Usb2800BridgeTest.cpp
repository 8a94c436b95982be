#include "hardware/bus/Usb2800RegisterAccess.h"
#include "tests/hardware/support/TestComObject.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {
typedef std::vector<std::string> Lines;

std::string Bytes(const BYTE* p, DWORD count)
{
    std::string s = "[";
    char part[4];
    for (DWORD i = 0; i < count; ++i)
    {
        sprintf(part, i == 0 ? "%02X" : " %02X", p[i]);
        s += part;
    }
    return s + "]";
}

// The bridge interface of a recording driver: "S 1005 801", "G 1006 1",
// "S 1006 [85]", "S 1008 [1F E2]" (the bytes at the address given), with a
// register file and I2C chips answering reads. Reads without a sub-address
// come back one byte per 32-bit word.
class CRecordingBridge : public CTestComObject<IUsb2800Bridge>
{
public:
    CRecordingBridge() : CTestComObject<IUsb2800Bridge>(IID_IUsb2800Bridge) {}
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE SetValue(DWORD id, DWORD value) override
    {
        char text[64];
        if (id == USB2800_REGISTER_DATA || id == USB2800_I2C_DATA)
        {
            DWORD header = headers[id - 1];
            const BYTE* p = reinterpret_cast<const BYTE*>(static_cast<ULONG_PTR>(value));
            sprintf(text, "S %lX ", id);
            lines.push_back(text + Bytes(p, header & 0xFF));
            if (id == USB2800_REGISTER_DATA)
            {
                for (DWORD i = 0; i < (header & 0xFF); ++i)
                    registers[((header >> 8) & 0xFF) + i] = p[i];
            }
        }
        else if (id == USB2800_SELECTOR)
        {
            sprintf(text, "S %lX =%lX", id, *reinterpret_cast<DWORD*>(static_cast<ULONG_PTR>(value)));
            lines.push_back(text);
        }
        else
        {
            headers[id] = value;
            sprintf(text, "S %lX %lX", id, value);
            lines.push_back(text);
        }
        return id == failId ? E_FAIL : S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetValue(DWORD id, DWORD* pValue) override
    {
        char text[64];
        BYTE* p = reinterpret_cast<BYTE*>(pValue);
        if (id == USB2800_REGISTER_DATA)
        {
            DWORD header = headers[USB2800_REGISTER_HEADER];
            DWORD reg = (header >> 8) & 0xFF;
            sprintf(text, "G %lX %lu", id, header & 0xFF);
            for (DWORD i = 0; i < (header & 0xFF); ++i)
            {
                BYTE value = registers[reg + i];
                if (reg + i == USB2800_REG_INDIRECT_BUSY && busyReads > 0)
                {
                    --busyReads;
                    value |= 1;
                }
                p[i] = value;
            }
        }
        else if (id == USB2800_I2C_DATA)
        {
            DWORD header = headers[USB2800_I2C_HEADER];
            sprintf(text, "G %lX %lu", id, header & 0xFF);
            bool bSub = (header & USB2800_I2C_WITH_SUB) != 0;
            for (DWORD i = 0; i < (header & 0xFF); ++i)
                p[bSub ? i : 4 * i] = static_cast<BYTE>(i2cByte + i);
        }
        else
        {
            sprintf(text, "G %lX", id);
            *pValue = values[id];
        }
        lines.push_back(text);
        return id == failId ? E_FAIL : S_OK;
    }

    Lines lines;
    std::map<DWORD, DWORD> headers;
    std::map<DWORD, BYTE> registers;
    std::map<DWORD, DWORD> values;
    BYTE i2cByte = 0x40;
    int busyReads = 0;
    DWORD failId = 0;
};

class Usb2800 : public ::testing::Test
{
protected:
    Usb2800() { EXPECT_TRUE(bridge.OpenFilter(&driver) != NULL); }
    CRecordingBridge driver;
    CUsb2800Bridge bridge;
};

TEST_F(Usb2800, TransfersSetTheirHeaderThenMoveTheBytes)
{
    driver.registers[8] = 0x5A;
    BYTE b = 0;
    EXPECT_EQ(S_OK, bridge.ReadRegisters(8, 1, &b));
    EXPECT_EQ(0x5A, b);
    BYTE pair[2] = { 0x12, 0x34 };
    EXPECT_EQ(S_OK, bridge.WriteRegisters(0x40, 2, pair));
    EXPECT_EQ(S_OK, bridge.ReadI2CSub(0xA0, 0x21, 1, &b));
    EXPECT_EQ(0x40, b);
    BYTE tune[4] = { 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(S_OK, bridge.WriteI2C(0xC0, 4, tune));
    EXPECT_EQ(S_OK, bridge.WriteI2CSub(0x86, 0x02, 2, pair));
    EXPECT_EQ(Lines({ "S 1005 801", "G 1006 1", "S 1005 4002", "S 1006 [12 34]", "S 1007 1A02101", "G 1008 1",
                      "S 1007 C00004", "S 1008 [1F E2 CE 08]", "S 1007 1860202", "S 1008 [12 34]" }),
              driver.lines);
}

TEST_F(Usb2800, AFailedTransferClearsItsHeader)
{
    driver.failId = USB2800_I2C_DATA;
    BYTE b = 0;
    EXPECT_EQ(E_FAIL, bridge.ReadI2C(0xC1, 1, &b));
    driver.failId = USB2800_REGISTER_HEADER;
    EXPECT_EQ(E_FAIL, bridge.ReadRegisters(8, 1, &b));
    EXPECT_EQ(Lines({ "S 1007 C10001", "G 1008 1", "S 1007 0", "S 1005 801", "S 1005 0" }), driver.lines);
    EXPECT_EQ(E_FAIL, bridge.GetLastResult());
}

TEST_F(Usb2800, IndirectRegistersPollTheBusyBit)
{
    driver.registers[0x40] = 0x11;
    driver.registers[0x41] = 0x22;
    driver.busyReads = 2;
    BYTE pair[2] = { 0, 0 };
    EXPECT_EQ(S_OK, bridge.ReadIndirect(0x05, pair));
    EXPECT_EQ(0x11, pair[0]);
    EXPECT_EQ(0x22, pair[1]);
    EXPECT_EQ(Lines({ "S 1005 4201", "S 1006 [85]", "S 1005 4301", "G 1006 1", "S 1005 4301", "G 1006 1", "S 1005 4301",
                      "G 1006 1", "S 1005 4002", "G 1006 2" }),
              driver.lines);

    driver.lines.clear();
    driver.busyReads = 2000;
    const BYTE value[2] = { 0x33, 0x44 };
    EXPECT_EQ(USB2800_TIMEOUT, bridge.WriteIndirect(0x06, value));
    EXPECT_EQ(2 + 2 + 2 * 2000u, driver.lines.size());
    EXPECT_EQ("S 1006 [06]", driver.lines[3]);
    driver.busyReads = 1999;
    EXPECT_EQ(S_OK, bridge.ReadIndirect(0x05, pair));
}

TEST_F(Usb2800, GpioNeedsEveryGuardBitInRegister8)
{
    driver.registers[8] = 0x03;
    driver.registers[9] = 0x5C;
    EXPECT_EQ(S_OK, bridge.SetGpioGuard(0x10));
    EXPECT_EQ(0x13, driver.registers[8]);
    BYTE b = 0;
    EXPECT_EQ(S_OK, bridge.ReadGpio(&b));
    EXPECT_EQ(0x5C, b);
    driver.registers[8] = 0x03;
    EXPECT_EQ(USB2800_TIMEOUT, bridge.ReadGpio(&b));
    driver.lines.clear();
    BYTE without = 0x07;
    EXPECT_EQ(USB2800_TIMEOUT, bridge.WriteGpio(&without));
    EXPECT_TRUE(driver.lines.empty());
    BYTE with = 0x17;
    EXPECT_EQ(S_OK, bridge.WriteGpio(&with));
    EXPECT_EQ(0x17, driver.registers[8]);
}

TEST_F(Usb2800, StatusPresenceAndSelectedValues)
{
    driver.registers[12] = 0x21;
    EXPECT_TRUE(bridge.ClearStatusBit5());
    EXPECT_EQ(0x01, driver.registers[12]);
    EXPECT_FALSE(bridge.ClearStatusBit5());
    EXPECT_FALSE(bridge.IsPresent());
    driver.values[USB2800_PRESENT] = 1;
    EXPECT_TRUE(bridge.IsPresent());
    driver.lines.clear();
    DWORD value = 0;
    EXPECT_EQ(USB2800_NOT_READY, bridge.ReadSelected(7, &value));
    driver.values[USB2800_SELECTED_READY] = 1;
    driver.values[USB2800_SELECTED_VALUE] = 0xCAFE;
    EXPECT_EQ(S_OK, bridge.ReadSelected(7, &value));
    EXPECT_EQ(0xCAFEu, value);
    EXPECT_EQ(Lines({ "S 100B =7", "G 1014", "S 100B =7", "G 1014", "G 1013" }), driver.lines);
}

TEST_F(Usb2800, AClosedBridgeAnswersSix)
{
    bridge.Close();
    EXPECT_EQ(1u, driver.refs);
    BYTE b = 0;
    DWORD d = 0;
    EXPECT_EQ(USB2800_NOT_OPEN, bridge.ReadRegisters(8, 1, &b));
    EXPECT_EQ(USB2800_NOT_OPEN, bridge.GetValue(USB2800_PRESENT, &d));
    EXPECT_EQ(USB2800_NOT_OPEN, bridge.SetValue(USB2800_PRESENT, 1));
    EXPECT_TRUE(driver.lines.empty());
}

class Usb2800Bus : public ::testing::Test
{
protected:
    Usb2800Bus() { EXPECT_TRUE(access.Bridge().OpenFilter(&driver) != NULL); }
    CRecordingBridge driver;
    CUsb2800RegisterAccess access;
};

TEST(Usb2800Closed, FailuresAreNegative)
{
    CUsb2800RegisterAccess access;
    EXPECT_EQ(E_FAIL, access.Attach(NULL, reinterpret_cast<ULONG_PTR>("")));
    EXPECT_EQ(E_FAIL, access.Attach(NULL, 0));
    BYTE b = 0;
    BYTE buffer[2] = { 0xC0, 1 };
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA0, 0, &b));
    EXPECT_EQ(E_FAIL, access.WriteByte(0xA0, 0, 1));
    EXPECT_EQ(E_FAIL, access.I2CRead(buffer, 1));
    EXPECT_EQ(E_FAIL, access.I2CWrite(buffer, 2));
    EXPECT_EQ(E_FAIL, access.ReadGpio(&d));
    EXPECT_EQ(E_FAIL, access.WriteGpio(1, 1));
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(S_OK, access.Command3(0));
    EXPECT_EQ(E_FAIL, access.ReadRegister(0, &d));
}

TEST_F(Usb2800Bus, ByteAndBlockTransfersGoThroughTheBridge)
{
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 0x21, &b));
    EXPECT_EQ(0x40, b);
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 0x21, 0x55));
    BYTE tune[5] = { 0xC0, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(S_OK, access.I2CWrite(tune, 5));
    BYTE status[3] = { 0xC1, 0, 0 };
    EXPECT_EQ(S_OK, access.I2CRead(status, 3));
    EXPECT_EQ(0x40, status[0]);
    EXPECT_EQ(0x41, status[1]);
    EXPECT_EQ(0x42, status[2]);
    EXPECT_EQ(Lines({ "S 1007 1A02101", "G 1008 1", "S 1007 1A02101", "S 1008 [55]", "S 1007 C00004",
                      "S 1008 [1F E2 CE 08]", "S 1007 C10003", "G 1008 3" }),
              driver.lines);
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(tune, 1));
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(NULL, 5));
    EXPECT_EQ(E_INVALIDARG, access.I2CRead(NULL, 1));
}

TEST_F(Usb2800Bus, TheBridgesOwnCodesBecomeFailures)
{
    driver.failId = USB2800_I2C_DATA;
    BYTE b = 0;
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA0, 0x21, &b));
    driver.failId = 0;
    access.Bridge().SetGpioGuard(0x80);
    driver.registers[8] = 0x00;
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, access.ReadGpio(&d));
    EXPECT_EQ(E_FAIL, access.WriteGpio(0x01, 0));
}

TEST_F(Usb2800Bus, GpioWritesKeepTheLinesOutsideTheMask)
{
    driver.registers[8] = 0xF0;
    driver.registers[9] = 0xA5;
    DWORD value = 0xFFFFFFFF;
    EXPECT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(0xA5u, value);
    EXPECT_EQ(S_OK, access.WriteGpio(0x0F05, 0x0F));
    EXPECT_EQ(0xF5, driver.registers[8]);
    EXPECT_EQ(S_OK, access.WriteGpio(0x0102, 0x0102));
    EXPECT_EQ(0xF7, driver.registers[8]);
    // Callers that compute the whole byte pass no mask.
    EXPECT_EQ(S_OK, access.WriteGpio(0x09, 0));
    EXPECT_EQ(0x09, driver.registers[8]);
}

TEST_F(Usb2800Bus, AProbeListsTheAddressesThatAnswerWithAMaskBit)
{
    BYTE list[255];
    driver.i2cByte = 0x01;
    EXPECT_EQ(255, access.ProbeI2CAddresses(list, 300, 0x01));
    EXPECT_EQ(254, list[254]);
    driver.lines.clear();
    EXPECT_EQ(0, access.ProbeI2CAddresses(list, 3, 0x02));
    EXPECT_EQ(8u, driver.lines.size());
}

TEST_F(Usb2800Bus, CommandsOpenAndCloseByTheStoredName)
{
    EXPECT_EQ(S_OK, access.Command1(0));
    EXPECT_EQ(1u, driver.refs);
    BYTE b = 0;
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA0, 0, &b));
}
}  // namespace
