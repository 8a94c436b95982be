// A capture device on the Go7007 encoder chip, made by friendly name through
// the graph, the filter-class registry and the device enumerator on its
// simulated driver, with the encoder profile file in the Windows folder.
#include "hardware/bus/Go7007RegisterAccess.h"
#include "hardware/devices/Go7007Capture.h"
#include "tests/hardware/devices/CardGraphFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const char kName[] = "Morvik A/V Capture";

std::string ProfilePath()
{
    char szPath[MAX_PATH];
    GetWindowsDirectoryA(szPath, MAX_PATH);
    return std::string(szPath) + "\\video_profiles.txt";
}

class Go7007Capture : public CardGraph
{
protected:
    static void SetUpTestSuite()
    {
        CardGraph::SetUpTestSuite();
        std::string path = ProfilePath();
        MoveFileExA(path.c_str(), (path + ".kept").c_str(), MOVEFILE_REPLACE_EXISTING);
        ASSERT_TRUE(CopyFileA(ONDRIX_TEST_DIR "/video_profiles.txt", path.c_str(), FALSE));
    }
    static void TearDownTestSuite()
    {
        std::string path = ProfilePath();
        DeleteFileA(path.c_str());
        MoveFileExA((path + ".kept").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        CardGraph::TearDownTestSuite();
    }

    CMorvikCapture* Open() { return CardGraph::Open<CMorvikCapture>(kName); }
};

TEST_F(Go7007Capture, OpensThroughItsEncoderWithTheProfilesAndTheEepromTuner)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    EXPECT_STREQ(kName, pCard->GetFriendlyName());
    EXPECT_NE(nullptr, pCard->GetPin("Capture"));
    EXPECT_EQ(18, pCard->GetCardType());
    EXPECT_NE(nullptr, dynamic_cast<CGo7007RegisterAccess*>(pCard->GetRegisterAccess()));
    EXPECT_STREQ("WIS GO7007SB A/V Capture", pCard->GetDeviceName());
    EXPECT_EQ('T', pCard->GetTunerLetter());
    EXPECT_EQ(5, pCard->GetTunerType());
    ASSERT_NE(nullptr, pCard->GetTunerModule());
    EXPECT_EQ(S_OK, pCard->SetAudioInput(1, TRUE));
    graph.RemoveFilter(pCard);

    // Without the profile file the device does not open.
    std::string path = ProfilePath();
    ASSERT_TRUE(MoveFileExA(path.c_str(), (path + ".away").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(nullptr, Open());
    ASSERT_TRUE(MoveFileExA((path + ".away").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_NE(nullptr, Open());
}

TEST_F(Go7007Capture, TunerLettersAndTypesOfTheEeprom)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());
    const struct
    {
        BYTE letter;
        BYTE type;
        int cLetter;
        int nType;
    } rows[] = { { 'L', 0, 'L', 72 }, { 'N', 9, 'L', 9 }, { 'X', 33, 'X', 33 }, { 'Z', 5, 'L', 5 } };
    for (const auto& row : rows)
    {
        pControl->SetEepromByte(17, row.letter);
        pControl->SetEepromByte(16, row.type);
        int letter = 0, type = -1;
        EXPECT_EQ(S_OK, pCard->ReadTunerCode(&letter, &type)) << row.letter;
        EXPECT_EQ(row.cLetter, letter) << row.letter;
        EXPECT_EQ(row.nType, type) << row.letter;
    }
    pControl->SetEepromByte(17, 'T');
    pControl->SetEepromByte(16, 5);
}

TEST_F(Go7007Capture, KeysAndEepromBounds)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());
    pControl->SetRegisterChipByte(49, 0x51);
    BYTE key = 0;
    EXPECT_FALSE(pCard->ReadRemoteKey(&key));
    pControl->SetRegisterChipByte(48, 1);
    ASSERT_TRUE(pCard->ReadRemoteKey(&key));
    EXPECT_EQ(0x51, key);
    pControl->SetRegisterChipByte(48, 0);

    BYTE bytes[4] = {};
    int count = 4;
    EXPECT_EQ(E_INVALIDARG, pCard->ReadEEPROM(bytes, 253, &count));
    size_t before = clock.Sleeps().size();
    EXPECT_EQ(S_OK, pCard->ReadEEPROM(bytes, 14, &count));
    EXPECT_EQ(4, count);
    EXPECT_EQ(5, bytes[2]);
    EXPECT_EQ('T', bytes[3]);
    std::vector<DWORD> sleeps = clock.Sleeps();
    EXPECT_EQ(std::vector<DWORD>(4, 50), std::vector<DWORD>(sleeps.begin() + before, sleeps.end()));
    count = 4;
    EXPECT_EQ(S_OK, pCard->ReadEEPROM(bytes, 252, &count));
}

TEST_F(Go7007Capture, ABlockTransferGoesToItsChipAndLeavesTheEepromAlone)
{
    CMorvikCapture* pCard = Open();
    ASSERT_NE(nullptr, pCard);
    ISimCardControl* pControl = Control(pCard->GetFilter());
    pControl->ClearLog();
    // To the register chip at 0xBA: sub-address 0x60, then two bytes.
    BYTE block[4] = { 0xBA, 0x60, 0x12, 0x34 };
    EXPECT_EQ(S_OK, pCard->I2CBlockTransfer(block, 4));
    std::vector<std::string> traffic = I2CTraffic(pControl);
    ASSERT_FALSE(traffic.empty());
    for (const std::string& line : traffic)
        EXPECT_EQ(0u, line.find("W BA")) << line;
    EXPECT_EQ(0x12, pControl->GetRegisterChipByte(0x60));
    EXPECT_EQ(0x34, pControl->GetRegisterChipByte(0x61));
    // The tuner record of the EEPROM is where it was.
    int letter = 0, type = 0;
    EXPECT_EQ(S_OK, pCard->ReadTunerCode(&letter, &type));
    EXPECT_EQ('T', letter);
    EXPECT_EQ(5, type);

    EXPECT_EQ(E_INVALIDARG, pCard->I2CBlockTransfer(NULL, 4));
    EXPECT_EQ(E_FAIL, pCard->I2CBlockTransfer(block, 1));
    BYTE big[257] = { 0xBA };
    EXPECT_EQ(E_FAIL, pCard->I2CBlockTransfer(big, 257));
    pControl->SetRegisterChipByte(0x60, 0);
    pControl->SetRegisterChipByte(0x61, 0);
}
}  // namespace
