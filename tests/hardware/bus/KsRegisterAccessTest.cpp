#include "hardware/bus/KsRegisterAccess.h"
#include "platform/sim/chipbus/SimEeprom.h"
#include "platform/sim/chipbus/SimPllTuner.h"
#include "platform/ks/KsDeviceIo.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingPropertySet.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

namespace
{
// {C44A1A10-0A37-11D2-8328-006097BA83AB}
const GUID kKsSet = { 0xC44A1A10, 0x0A37, 0x11D2, { 0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB } };

DWORD Dword(const BYTE* p, size_t offset)
{
    DWORD v;
    memcpy(&v, p + offset, 4);
    return v;
}

void PutDword(BYTE* p, size_t offset, DWORD v) { memcpy(p + offset, &v, 4); }

// A driver behind a kernel-streaming handle, recording every request. It
// checks the request's frame (set, id, SET-then-GET, one buffer both ways) and
// performs the bus commands on a simulated chip bus when the GET comes.
class CRecordingDriver
{
public:
    CRecordingDriver()
    {
        m_hDevice = CreateEventA(NULL, FALSE, FALSE, NULL);
        KsDeviceIoRegister(m_hDevice, &CRecordingDriver::Route, this);
        InitializeCriticalSection(&m_cs);
    }
    ~CRecordingDriver()
    {
        KsDeviceIoUnregister(m_hDevice);
        CloseHandle(m_hDevice);
        DeleteCriticalSection(&m_cs);
    }
    HANDLE Handle() const { return m_hDevice; }

    CSimChipBus bus;
    std::vector<std::string> lines;      // one per command: "0B", "0E C0", "A 1", ...
    std::vector<DWORD> threads;          // the thread of each line
    int frameErrors = 0;
    DWORD failCommand = 0;               // fail the n-th request of this command
    int failAt = 0;
    HRESULT failCode = static_cast<HRESULT>(0x8007001F);
    DWORD setting = 7;
    DWORD gpio = 0x12345678;
    DWORD msPerRead = 0;
    CFastBusClock* pClock = NULL;

private:
    static HRESULT Route(void* pContext, ULONG ioControl, void* pIn, ULONG inLength, void* pOut, ULONG outLength,
                         ULONG* pReturned)
    {
        return static_cast<CRecordingDriver*>(pContext)->Request(ioControl, static_cast<BYTE*>(pIn), inLength,
                                                                 static_cast<BYTE*>(pOut), outLength, pReturned);
    }

    HRESULT Request(ULONG ioControl, BYTE* pIn, ULONG inLength, BYTE* pOut, ULONG outLength, ULONG* pReturned)
    {
        EnterCriticalSection(&m_cs);
        HRESULT hr = Handle(ioControl, pIn, inLength, pOut, outLength);
        LeaveCriticalSection(&m_cs);
        *pReturned = outLength;
        return hr;
    }

    HRESULT Handle(ULONG ioControl, BYTE* p, ULONG inLength, BYTE* pOut, ULONG outLength)
    {
        DWORD id = Dword(p, 16);
        DWORD flags = Dword(p, 20);
        DWORD command = Dword(p, 24);
        if (ioControl != 0x2F0003 || p != pOut || inLength != outLength || memcmp(p, &kKsSet, 16) != 0 ||
            (id == 4 && inLength != 120) || (id == 2 && inLength != 328) || (id != 2 && id != 4))
            ++frameErrors;
        if (flags == 2)
        {
            if (m_bPendingGet)
                ++frameErrors;
            m_bPendingGet = true;
            m_lastCommand = command;
            return S_OK;
        }
        if (flags != 1 || !m_bPendingGet || command != m_lastCommand)
            ++frameErrors;
        m_bPendingGet = false;

        char line[64];
        BYTE byteArg = p[50];
        if (id == 4)
        {
            if (command == 0x1100000E)
                sprintf(line, "%02lX %02X", command & 0xFF, byteArg);
            else if (command == 0x11000018)
                sprintf(line, "%02lX %02X", command & 0xFF, byteArg);
            else
                sprintf(line, "%02lX", command & 0xFF);
        }
        else if (command == 2)
            sprintf(line, "L2 %lu", Dword(p, 36));
        else if (command == 10)
            sprintf(line, "L10 n%lu w%lu %08lX %08lX", Dword(p, 48), Dword(p, 52), Dword(p, 72), Dword(p, 76));
        else if (command == 0x1000000A)
            sprintf(line, "L%lX n%lu", command, Dword(p, 40));
        else
            sprintf(line, "L%lX", command);
        lines.push_back(line);
        threads.push_back(GetCurrentThreadId());

        if (command == failCommand && --failAt == 0)
            return failCode;
        switch (command)
        {
        case 0x1100000B: bus.Start(); break;
        case 0x1100000C: bus.Stop(); break;
        case 0x1100000E: if (!bus.WriteByte(byteArg)) return static_cast<HRESULT>(0x80070079); break;
        case 0x1100000D:
            p[50] = bus.ReadByte();
            if (pClock != NULL)
                pClock->Advance(msPerRead);
            break;
        case 0x10000002: PutDword(p, 28, setting); break;
        case 2: setting = Dword(p, 36); break;
        case 0x1000000A: PutDword(p, 72, gpio); break;
        case 10: gpio = Dword(p, 72); break;
        }
        return S_OK;
    }

    HANDLE m_hDevice;
    CRITICAL_SECTION m_cs;
    bool m_bPendingGet = false;
    DWORD m_lastCommand = 0;
};

class KsAccess : public ::testing::Test
{
protected:
    KsAccess()
    {
        driver.pClock = &clock;
        filter.SetObjectHandle(driver.Handle());
        EXPECT_EQ(S_OK, access.Attach(&filter, reinterpret_cast<ULONG_PTR>(this)));
        eeprom.SetTuner('T', 4);
        driver.bus.AttachChip(0xA0, &eeprom);
        driver.bus.AttachChip(0xC0, &pll);
    }
    ~KsAccess() override { EXPECT_EQ(0, driver.frameErrors); }

    CFastBusClock clock;
    CRecordingDriver driver;
    CRecordingPropertySet filter;
    CKsRegisterAccess access;
    CSimEeprom eeprom;
    CSimPllTuner pll;
};

TEST_F(KsAccess, AttachTakesTheFiltersObjectHandle)
{
    EXPECT_EQ(driver.Handle(), access.GetDeviceHandle());
    EXPECT_EQ(1u, filter.RefCount()); // IKsObject released again
    CKsRegisterAccess other;
    EXPECT_EQ(E_POINTER, other.Attach(NULL, 1));
    EXPECT_EQ(E_POINTER, other.Attach(&filter, 0));
}

TEST_F(KsAccess, CommandOneEnablesTheDriverOnlyWhenAsked)
{
    EXPECT_EQ(S_OK, access.Command1(0));
    EXPECT_TRUE(driver.lines.empty());
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(std::vector<std::string>({ "18 00" }), driver.lines);
    EXPECT_EQ(S_OK, access.Command3(9));
    EXPECT_EQ("L1000000C", driver.lines.back());
}

TEST_F(KsAccess, I2CWriteSendsEachByteBetweenStartAndStop)
{
    // An odd address from a tuner model is sent as the write address.
    BYTE tune[5] = { 0xC1, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(S_OK, access.I2CWrite(tune, 5));
    std::vector<std::string> expected = { "0B", "0E C0", "0E 1F", "0E E2", "0E CE", "0E 08", "0C" };
    EXPECT_EQ(expected, driver.lines);
    SimBusEvent event;
    ASSERT_TRUE(driver.bus.GetEvent(0, &event));
    EXPECT_EQ(SIM_I2C_WRITE, event.kind);
    EXPECT_EQ(0xC0, event.address);
    EXPECT_EQ("1F E2 CE 08", HexBytes(event.data, event.count));
    EXPECT_DOUBLE_EQ(471225.0, pll.GetTunedFrequency());
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(tune, 1));
    EXPECT_EQ(E_POINTER, access.I2CWrite(NULL, 2));
    EXPECT_EQ(7u, driver.lines.size());
}

TEST_F(KsAccess, I2CReadReadsEachByteIntoTheBuffer)
{
    SimStation station = { 471250, FALSE };
    pll.SetStations(&station, 1);
    BYTE tune[5] = { 0xC0, 0x1F, 0xE2, 0xCE, 0x08 };
    ASSERT_EQ(S_OK, access.I2CWrite(tune, 5));
    driver.lines.clear();
    BYTE buffer[3] = { 0xC0, 0, 0 };
    EXPECT_EQ(S_OK, access.I2CRead(buffer, 3));
    std::vector<std::string> expected = { "0B", "0E C1", "0D", "10", "0D", "10", "0D", "10", "0C" };
    EXPECT_EQ(expected, driver.lines);
    EXPECT_EQ(pll.GetStatusByte(), buffer[0]);
    EXPECT_EQ(pll.GetStatusByte(), buffer[2]);
    EXPECT_EQ(0x42, buffer[0]);
}

TEST_F(KsAccess, ByteTransfersUseARepeatedStart)
{
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA1, 0x121, &b));
    EXPECT_EQ(4, b);
    std::vector<std::string> expected = { "0B", "0E A0", "0E 21", "0B", "0E A1", "0D", "0C" };
    EXPECT_EQ(expected, driver.lines);
    driver.lines.clear();
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 0x30, 0x5C));
    expected = { "0B", "0E A0", "0E 30", "0E 5C", "0C" };
    EXPECT_EQ(expected, driver.lines);
    EXPECT_EQ(0x5C, eeprom.GetByte(0x30));
    EXPECT_EQ(E_INVALIDARG, access.ReadByte(0xA0, -1, &b));
    EXPECT_EQ(E_POINTER, access.ReadByte(0xA0, 0, NULL));
    EXPECT_EQ(E_INVALIDARG, access.WriteByte(0xA0, -1, 0));
}

TEST_F(KsAccess, AFailedAddressPhaseFailsTheReadAndStillStops)
{
    BYTE b = 0x55;
    HRESULT hr = access.ReadByte(0x90, 0, &b); // nobody at 0x90
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(0x55, b);
    std::vector<std::string> expected = { "0B", "0E 90", "0C" };
    EXPECT_EQ(expected, driver.lines);
    driver.lines.clear();
    EXPECT_TRUE(FAILED(access.WriteByte(0x90, 0, 1)));
    EXPECT_EQ(expected, driver.lines);
}

TEST_F(KsAccess, AFailedByteEndsTheTransferWithAStop)
{
    driver.failCommand = 0x1100000E;
    driver.failAt = 3;
    BYTE tune[5] = { 0xC0, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(driver.failCode, access.I2CWrite(tune, 5));
    std::vector<std::string> expected = { "0B", "0E C0", "0E 1F", "0E E2", "0C" };
    EXPECT_EQ(expected, driver.lines);

    driver.lines.clear();
    driver.failCommand = 0x1100000D;
    driver.failAt = 2;
    BYTE buffer[3] = { 0xC0, 0, 0 };
    EXPECT_EQ(driver.failCode, access.I2CRead(buffer, 3));
    expected = { "0B", "0E C1", "0D", "10", "0D", "0C" };
    EXPECT_EQ(expected, driver.lines);
}

struct TimingRow
{
    LONG length;
    DWORD msPerRead;
    HRESULT hr;
};

class KsReadTiming : public KsAccess, public ::testing::WithParamInterface<TimingRow> {};

TEST_P(KsReadTiming, ASlowReadFailsAlthoughTheBytesArrived)
{
    const TimingRow& row = GetParam();
    driver.msPerRead = row.msPerRead;
    BYTE buffer[4] = { 0xA0, 0, 0, 0 };
    EXPECT_EQ(row.hr, access.I2CRead(buffer, row.length));
}

const TimingRow kTimingRows[] =
{
    { 1, 200, S_OK }, { 1, 201, E_FAIL }, { 3, 200, S_OK }, { 3, 201, E_FAIL },
};

INSTANTIATE_TEST_SUITE_P(PerByte, KsReadTiming, ::testing::ValuesIn(kTimingRows));

TEST_F(KsAccess, GpioGoesThroughTheBlockTransferAndPutsTheSettingBack)
{
    DWORD value = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(0x12345678u, value);
    EXPECT_EQ(S_OK, access.WriteGpio(0x1000, 0x3000));
    std::vector<std::string> expected = {
        "L10000002", "L2 0", "L1000000A n1", "L2 7",
        "L10000002", "L2 0", "L10 n1 w1 00001000 00003000", "L2 7" };
    EXPECT_EQ(expected, driver.lines);
    EXPECT_EQ(E_POINTER, access.ReadGpio(NULL));

    driver.lines.clear();
    driver.failCommand = 10;
    driver.failAt = 1;
    EXPECT_EQ(driver.failCode, access.WriteGpio(1, 1));
    EXPECT_EQ("L2 7", driver.lines.back());
    EXPECT_EQ(7u, driver.setting);
}

TEST_F(KsAccess, NoRegisterAccess)
{
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, access.ReadRegister(0x1B4, &d));
    EXPECT_EQ(E_FAIL, access.WriteRegister(0x1B4, 0));
    EXPECT_TRUE(driver.lines.empty());
}

TEST(KsAccessWithoutHandle, EveryRequestFails)
{
    CRecordingPropertySet filter; // no IKsObject
    CKsRegisterAccess access;
    EXPECT_EQ(S_OK, access.Attach(&filter, 1));
    BYTE buffer[2] = { 0xC0, 0 };
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, access.I2CWrite(buffer, 2));
    EXPECT_EQ(E_FAIL, access.I2CRead(buffer, 1));
    EXPECT_EQ(E_FAIL, access.ReadGpio(&d));
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(S_OK, access.Command3(1));
}

DWORD WINAPI WriteMany(LPVOID p)
{
    CKsRegisterAccess* pAccess = static_cast<CKsRegisterAccess*>(p);
    for (int i = 0; i < 100; ++i)
    {
        BYTE tune[5] = { 0xC0, 0x1F, 0xE2, 0xCE, static_cast<BYTE>(i) };
        pAccess->I2CWrite(tune, 5);
    }
    return 0;
}

TEST_F(KsAccess, TransactionsOfTwoThreadsNeverInterleave)
{
    HANDLE threads[2];
    for (auto& h : threads)
        h = CreateThread(NULL, 0, WriteMany, &access, 0, NULL);
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    for (auto& h : threads)
        CloseHandle(h);
    ASSERT_EQ(2u * 100 * 7, driver.lines.size());
    for (size_t i = 0; i < driver.lines.size(); i += 7)
    {
        EXPECT_EQ("0B", driver.lines[i]);
        EXPECT_EQ("0C", driver.lines[i + 6]);
        for (size_t j = i + 1; j < i + 7; ++j)
            ASSERT_EQ(driver.threads[i], driver.threads[j]) << "request " << j;
    }
    EXPECT_EQ(200, driver.bus.GetEventCount());
}
}
