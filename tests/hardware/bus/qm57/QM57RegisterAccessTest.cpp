#include "hardware/bus/QM57RegisterAccess.h"
#include "platform/ks/DeviceIo.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

namespace {
typedef std::vector<std::string> Lines;

// A QM57 driver behind one device interface, recording its requests as
// "R A0 01 01 21 / 2" (the request's leading bytes, then the reply size) and
// "W C2 05 C2 1F E2 CE 08"; reads answer 0x40, 0x41 and on.
struct CRecordingDriver
{
    static HRESULT Route(void* pContext, ULONG code, void* pIn, ULONG inLength, void* pOut, ULONG outLength,
                         ULONG* pReturned)
    {
        CRecordingDriver* pThis = static_cast<CRecordingDriver*>(pContext);
        const BYTE* r = static_cast<const BYTE*>(pIn);
        char text[16];
        std::string line;
        int shown = 0;
        switch (code)
        {
        case CQM57RegisterAccess::IOCTL_READ:
            EXPECT_EQ(253u, inLength);
            line = "R";
            shown = 5;
            break;
        case CQM57RegisterAccess::IOCTL_WRITE:
            EXPECT_EQ(252u, inLength);
            EXPECT_EQ(nullptr, pOut);
            line = "W";
            shown = 2 + r[1];
            break;
        case CQM57RegisterAccess::IOCTL_GPIO:
            EXPECT_EQ(2u, inLength);
            line = "G";
            shown = 2;
            break;
        default:
            line = "?";
        }
        for (int i = 0; i < shown; ++i)
        {
            sprintf(text, " %02X", r[i]);
            line += text;
        }
        if (code == CQM57RegisterAccess::IOCTL_READ)
        {
            sprintf(text, " / %lu", outLength);
            line += text;
            for (ULONG i = 0; i < outLength; ++i)
                static_cast<BYTE*>(pOut)[i] = static_cast<BYTE>(0x40 + i);
        }
        pThis->lines.push_back(line);
        *pReturned = outLength;
        return pThis->result;
    }

    Lines lines;
    HRESULT result = S_OK;
};

const char kFirst[] = "\\\\?\\test#qm57#0#{4f397d29-7f2f-42a9-ab90-1791384014c4}";
const char kSecond[] = "\\\\?\\test#qm57#1#{4f397d29-7f2f-42a9-ab90-1791384014c4}";

class QM57Bus : public ::testing::Test
{
protected:
    QM57Bus()
    {
        DevIoRegisterInterface(GUID_QM57DeviceInterface, kFirst, CRecordingDriver::Route, &first);
        DevIoRegisterInterface(GUID_QM57DeviceInterface, kSecond, CRecordingDriver::Route, &second);
    }
    ~QM57Bus() override
    {
        DevIoUnregisterInterface(kFirst);
        DevIoUnregisterInterface(kSecond);
    }
    CRecordingDriver first;
    CRecordingDriver second;
};

struct IndexRow
{
    ULONG_PTR index;
    DWORD kept;
    bool bSecondDevice;
    const char* tunerWrite;
    const char* gpio;
};

TEST_F(QM57Bus, TheIndexPicksTheDeviceAndTheChannel)
{
    const IndexRow rows[] = {
        { 0, 0, false, "W C2 02 C2 00", "G 03 01" }, { 1, 1, false, "W C8 02 C2 00", "G 04 01" },
        { 2, 2, true, "W C2 02 C2 00", "G 03 01" },  { 300, 2, true, "W C2 02 C2 00", "G 03 01" },
        { 3, 3, true, "W C8 02 C2 00", "G 04 01" },
    };
    CQM57RegisterAccess access;
    for (const IndexRow& row : rows)
    {
        first.lines.clear();
        second.lines.clear();
        EXPECT_EQ(S_OK, access.Attach(NULL, row.index)) << row.index;
        EXPECT_EQ(row.kept, access.GetDeviceIndex());
        BYTE write[2] = { 0xC2, 0x00 };
        EXPECT_EQ(S_OK, access.I2CWrite(write, 2));
        EXPECT_EQ(S_OK, access.WriteGpio(0x101, 0xFF));
        Lines expected = { row.tunerWrite, row.gpio };
        EXPECT_EQ(expected, row.bSecondDevice ? second.lines : first.lines) << row.index;
        EXPECT_TRUE((row.bSecondDevice ? first.lines : second.lines).empty()) << row.index;
    }
}

TEST_F(QM57Bus, RequestsCarryTheirHeadersInFixedSizeBuffers)
{
    CQM57RegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(NULL, 0));
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 0x21, &b));
    EXPECT_EQ(0x41, b);
    EXPECT_EQ(S_OK, access.ReadByte16(0xA0, 0x121, &b));
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 0x21, 0x55));
    EXPECT_EQ(S_OK, access.WriteByte16(0xA0, 0x121, 0x55));
    BYTE tune[5] = { 0xC2, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(S_OK, access.I2CWrite(tune, 5));
    BYTE status[3] = { 0x00, 0, 0 };
    EXPECT_EQ(S_OK, access.I2CRead(status, 3));
    EXPECT_EQ(0x40, status[0]);
    EXPECT_EQ(0x42, status[2]);
    EXPECT_EQ(Lines({ "R A0 01 01 21 00 / 2", "R A0 02 02 00 21 / 2", "W A0 02 21 55", "W A0 03 00 21 55",
                      "W C2 05 C2 1F E2 CE 08", "R C3 01 03 00 00 / 3" }),
              first.lines);
}

TEST_F(QM57Bus, FailuresAreNegativeAndOversizedBlocksAreRefused)
{
    CQM57RegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(NULL, 0));
    first.result = HRESULT_FROM_WIN32(ERROR_GEN_FAILURE);
    BYTE b = 0x77;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE), access.ReadByte(0xA0, 0x21, &b));
    EXPECT_EQ(0x77, b);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE), access.WriteGpio(1, 0));
    EXPECT_EQ(0, access.SetGpioLine(1));
    first.result = S_OK;
    EXPECT_EQ(1, access.SetGpioLine(1));
    EXPECT_EQ("G 03 01", first.lines.back());

    first.lines.clear();
    std::vector<BYTE> block(251, 0xC2);
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(block.data(), 251));
    EXPECT_EQ(S_OK, access.I2CWrite(block.data(), 250));
    EXPECT_EQ(E_POINTER, access.I2CWrite(NULL, 5));
    EXPECT_EQ(1u, first.lines.size());

    DWORD d = 0x1234;
    EXPECT_EQ(E_NOTIMPL, access.ReadGpio(&d));
    EXPECT_EQ(0x1234u, d);
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(S_FALSE, access.Command3(1));
    EXPECT_EQ(E_FAIL, access.ReadRegister(0, &d));
    EXPECT_EQ(E_FAIL, access.WriteRegister(0, 0));
}

TEST(QM57Absent, WithoutTheDeviceTheAttachAndEveryRequestFail)
{
    CQM57RegisterAccess access;
    EXPECT_EQ(E_FAIL, access.Attach(NULL, 0));
    EXPECT_FALSE(access.IsOpen());
    BYTE b = 0;
    BYTE buffer[5] = { 0xC2, 1, 2, 3, 4 };
    EXPECT_TRUE(FAILED(access.ReadByte(0xA0, 0, &b)));
    EXPECT_TRUE(FAILED(access.WriteByte(0xA0, 0, 1)));
    EXPECT_TRUE(FAILED(access.I2CRead(buffer, 1)));
    EXPECT_TRUE(FAILED(access.I2CWrite(buffer, 5)));
    EXPECT_TRUE(FAILED(access.WriteGpio(1, 0)));
}
}  // namespace
