#include "hardware/bus/Go7007RegisterAccess.h"
#include "tests/hardware/support/TestComObject.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace {
typedef std::vector<std::string> Lines;

// The driver's bus interface on a filter, recording each call as a line:
// "7 42 8 10 55 8000", "8 42 16 110 8000", "9 42 3 [01 02 03] 8000",
// "15 2 [42 10 00] 1 55 8000". Reads answer readByte.
class CGo7007Driver : public CTestComObject<IGo7007Bus>
{
public:
    CGo7007Driver() : CTestComObject<IGo7007Bus>(IID_IGo7007Bus) {}
    HRESULT STDMETHODCALLTYPE Reserved3() override { return Unexpected(3); }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return Unexpected(4); }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return Unexpected(5); }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return Unexpected(6); }
    HRESULT STDMETHODCALLTYPE WriteSub(DWORD device, DWORD width, DWORD sub, DWORD value, DWORD flags) override
    {
        char text[64];
        sprintf(text, "7 %lX %lu %lX %lX %lX", device, width, sub, value, flags);
        lines.push_back(text);
        return result;
    }
    HRESULT STDMETHODCALLTYPE ReadSub(DWORD device, DWORD width, DWORD sub, BYTE* pBuffer, DWORD flags) override
    {
        char text[64];
        sprintf(text, "8 %lX %lu %lX %lX", device, width, sub, flags);
        lines.push_back(text);
        pBuffer[0] = readByte;
        return result;
    }
    HRESULT STDMETHODCALLTYPE WriteBlock(DWORD device, DWORD width, DWORD sub, DWORD count, const BYTE* pBytes,
                                         DWORD flags) override
    {
        char text[64];
        sprintf(text, "9 %lX %lu %lX %lu [", device, width, sub, count);
        std::string line = text;
        for (DWORD i = 0; i < count; ++i)
        {
            sprintf(text, i == 0 ? "%02X" : " %02X", pBytes[i]);
            line += text;
        }
        sprintf(text, "] %lX", flags);
        lines.push_back(line + text);
        return result;
    }
    HRESULT STDMETHODCALLTYPE Reserved10() override { return Unexpected(10); }
    HRESULT STDMETHODCALLTYPE Reserved11() override { return Unexpected(11); }
    HRESULT STDMETHODCALLTYPE Reserved12() override { return Unexpected(12); }
    HRESULT STDMETHODCALLTYPE Reserved13() override { return Unexpected(13); }
    HRESULT STDMETHODCALLTYPE Reserved14() override { return Unexpected(14); }
    HRESULT STDMETHODCALLTYPE SendCommand(DWORD kind, const BYTE* pBlock, DWORD count, DWORD* pArgument,
                                          DWORD flags) override
    {
        char text[64];
        sprintf(text, "15 %lu [%02X %02X %02X] %lu %lX %lX", kind, pBlock[0], pBlock[1], pBlock[2], count, *pArgument,
                flags);
        lines.push_back(text);
        return result;
    }

    HRESULT Unexpected(int method)
    {
        lines.push_back("unexpected " + std::to_string(method));
        return E_UNEXPECTED;
    }

    Lines lines;
    BYTE readByte = 0x5A;
    HRESULT result = S_OK;
};

class Go7007Bus : public ::testing::Test
{
protected:
    Go7007Bus() { EXPECT_EQ(S_OK, access.Attach(&driver, 0)); }
    CGo7007Driver driver;
    CGo7007RegisterAccess access;
};

TEST_F(Go7007Bus, ByteAccessPicksTheSubAddressWidth)
{
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0x42, 0x10, &b));
    EXPECT_EQ(0x5A, b);
    EXPECT_EQ(S_OK, access.ReadByte(0x42, 0x0110, &b));
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 0x20, 0x55));
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 0xFF00, 0x55));
    EXPECT_EQ(E_FAIL, access.ReadByte(0x42, 0x10, NULL));
    EXPECT_EQ(Lines({ "8 42 8 10 8000", "8 42 16 110 8000", "7 A0 8 20 55 8000", "7 A0 16 FF00 55 8000" }),
              driver.lines);
}

TEST_F(Go7007Bus, BlockTransfersCarryTheAddressApart)
{
    BYTE write[4] = { 0x42, 1, 2, 3 };
    EXPECT_EQ(S_OK, access.I2CWrite(write, 4));
    BYTE status[1] = { 0xC1 };
    EXPECT_EQ(S_OK, access.I2CRead(status, 1));
    EXPECT_EQ(0x5A, status[0]);
    EXPECT_EQ(E_FAIL, access.I2CRead(status, 0));
    EXPECT_EQ(E_FAIL, access.I2CWrite(write, 0));
    EXPECT_EQ(E_FAIL, access.I2CWrite(NULL, 4));
    EXPECT_EQ(Lines({ "9 42 0 0 3 [01 02 03] 8000", "8 C1 8 0 8000" }), driver.lines);
}

TEST_F(Go7007Bus, TheAppendedOperationsPassTheirArgumentsThrough)
{
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadDirect(0xA0, 16, 0x0123, &b, 0x4000));
    EXPECT_EQ(E_FAIL, access.ReadDirect(0xA0, 8, 1, NULL, 0x8000));
    EXPECT_EQ(S_OK, access.SendBlock(0x142, 8, 0x210, 0x55, 0x8000));
    EXPECT_EQ(Lines({ "8 A0 16 123 4000", "15 2 [42 10 00] 1 55 8000" }), driver.lines);
    driver.result = static_cast<HRESULT>(0x8007001F);
    EXPECT_EQ(static_cast<HRESULT>(0x8007001F), access.SendBlock(0x42, 8, 0x10, 1, 0x8000));
}

TEST_F(Go7007Bus, GpioIsNotReachableAndItsReadSaysSo)
{
    DWORD d = 0x77;
    EXPECT_EQ(E_NOTIMPL, access.ReadGpio(&d));
    EXPECT_EQ(0x77u, d);
    EXPECT_EQ(S_OK, access.WriteGpio(1, 1));
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(S_OK, access.Command3(1));
    BYTE b = 0;
    EXPECT_EQ(E_FAIL, access.Reserved16(1, 2));
    EXPECT_EQ(E_FAIL, access.ReadRegisterByte(1, &b));
    EXPECT_EQ(E_FAIL, access.ReadRegister(1, &d));
    EXPECT_EQ(E_FAIL, access.WriteRegister(1, 2));
    EXPECT_EQ(E_FAIL, access.Reserved24(0));
    EXPECT_TRUE(driver.lines.empty());
}

TEST(Go7007Attach, OnlyAFilterWithTheInterfaceBinds)
{
    CGo7007RegisterAccess access;
    BYTE b = 0;
    BYTE buffer[2] = { 0x42, 1 };
    EXPECT_EQ(E_FAIL, access.ReadByte(0x42, 1, &b));
    EXPECT_EQ(E_FAIL, access.WriteByte(0x42, 1, 1));
    EXPECT_EQ(E_FAIL, access.I2CRead(buffer, 1));
    EXPECT_EQ(E_FAIL, access.I2CWrite(buffer, 2));
    EXPECT_EQ(E_FAIL, access.SendBlock(1, 2, 3, 4, 5));
    EXPECT_EQ(S_OK, access.WriteGpio(1, 1));
    EXPECT_EQ(E_FAIL, access.Attach(NULL, 0));
    CGo7007Driver plain;
    plain.bOffersInterface = false;
    EXPECT_EQ(E_FAIL, access.Attach(&plain, 0));
    EXPECT_EQ(1u, plain.refs);
    CGo7007Driver driver;
    CGo7007RegisterAccess* pHeld = new CGo7007RegisterAccess;
    ASSERT_EQ(S_OK, pHeld->Attach(&driver, 0));
    EXPECT_EQ(2u, driver.refs);
    ASSERT_EQ(S_OK, pHeld->Attach(&driver, 0));
    EXPECT_EQ(2u, driver.refs);
    delete pHeld;
    EXPECT_EQ(1u, driver.refs);
}
}  // namespace
