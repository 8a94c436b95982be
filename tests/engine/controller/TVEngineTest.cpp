// The controller on the simulated BlackBird card, opened by name through the real device
// enumerator: start-up from the settings and channel files, channel changes down to the tuner's
// bytes on the card's I2C bus, the picture settings with their ranges, and the exit.
#include <gtest/gtest.h>

#include <vector>

#include "ControllerOnCard.h"
#include "engine/TVEngine.h"
#include "foundation/IniFile.h"
#include "hardware/devices/CaptureDevice.h"
#include "hardware/devices/FilterClassTable.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace {

typedef std::vector<BYTE> Bytes;

class Controller : public ControllerOnCard
{
protected:
    // The tuner writes on the bus since the log was last cleared.
    std::vector<Bytes> TunerWrites() { return sim.WritesTo(0xC0); }
};

TEST_F(Controller, StartsFromItsFilesAndTunesTheChannelTheTableStepsTo)
{
    WriteBytes(File("TVParam.ini"), "[Channel]\r\nTVCurFreq=175250\r\nTVLastFreq=49750\r\nTVCurIndex=1\r\n"
                                    "FMCurFreq=101700\r\nFMCurIndex=1\r\n");
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    EXPECT_FALSE(engine.IsDeviceMissing());
    EXPECT_TRUE(engine.IsFMAvailable());
    EXPECT_TRUE(engine.IsTVInput());
    EXPECT_TRUE(engine.IsTunerSource());
    EXPECT_EQ(1, windows.trayAutoStart);
    EXPECT_EQ(1000, engine.GetTVTable().m_nTolerance);
    EXPECT_EQ(200, engine.GetFMTable().m_nTolerance);
    ASSERT_EQ(4, engine.GetTVTable().GetCount());
    ASSERT_EQ(2, engine.GetFMTable().GetCount());
    CChannelTable* pTable = engine.GetChannelTable();
    ASSERT_EQ(&engine.GetTVTable(), pTable);
    EXPECT_STREQ("Channel Five", engine.GetCurrentChannel()->Name);

    // The window re-selects the current channel: 175250 kHz, mid band.
    sim.Card()->ClearBusLog();
    ASSERT_TRUE(pTable->SetCurrentChannel(engine.GetCurrentChannel()));
    // (38900 + 175250) x 0.016 = 3426 (0x0D62), control 0xCE, mid band 0x90.
    EXPECT_EQ(std::vector<Bytes>({ { 0x0D, 0x62, 0xCE, 0x90 } }), TunerWrites());
    EXPECT_EQ(49750, pTable->m_lLastFreq);

    // Channel up passes the hidden channel at 471250 kHz.
    sim.Card()->ClearBusLog();
    CChannelItem* pNext = pTable->NextChannel(-1);
    ASSERT_NE(nullptr, pNext);
    EXPECT_EQ(583250, pNext->Frequency);
    ASSERT_TRUE(pTable->SetCurrentChannel(pNext));
    // (38900 + 583250) x 0.016 = 9954 (0x26E2), high band 0x30.
    EXPECT_EQ(std::vector<Bytes>({ { 0x26, 0xE2, 0xCE, 0x30 } }), TunerWrites());
    EXPECT_DOUBLE_EQ(9954 * 62.5 - 38900, sim.Card()->GetTunedFrequency());
    EXPECT_EQ(583250, pTable->m_lCurFreq);
    EXPECT_EQ(175250, pTable->m_lLastFreq);
    EXPECT_EQ(3, pTable->m_nCurIndex);

    // Favourites only: Channel Five is the one favourite, from either side.
    pTable->SetFavorOnly(TRUE);
    EXPECT_STREQ("Channel Five", pTable->NextChannel(-1)->Name);
    EXPECT_STREQ("Channel Five", pTable->PrevChannel(-1)->Name);
    pTable->SetFavorOnly(FALSE);

    // The radio: the FM table and the tuner's FM divider.
    ASSERT_TRUE(engine.SetVideoSource(CTVEngine::SOURCE_FM));
    EXPECT_TRUE(engine.IsRadio());
    ASSERT_EQ(&engine.GetFMTable(), engine.GetChannelTable());
    sim.Card()->ClearBusLog();
    ASSERT_TRUE(engine.GetChannelTable()->SetCurrentChannel(engine.GetCurrentChannel()));
    // (10700 + 101700) x 0.032 = 3596 (0x0E0C).
    EXPECT_EQ(std::vector<Bytes>({ { 0x0E, 0x0C, 0x8A, 0xA5 } }), TunerWrites());

    int low = 0, high = 0;
    EXPECT_TRUE(engine.GetFMTable().GetFrequencyRange(&low, &high));
    EXPECT_EQ(87000, low);
    EXPECT_EQ(107800, high);
    EXPECT_TRUE(engine.GetTVTable().GetFrequencyRange(&low, &high));
    EXPECT_EQ(48250, low);
    EXPECT_EQ(863250, high);
}

TEST_F(Controller, EmptyTablesRestAtTheBandsStartFrequency)
{
    DeleteFileA(File("TVChannel.tvc").c_str());
    DeleteFileA(File("FMChannel.fmc").c_str());
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    sim.Card()->ClearBusLog();
    EXPECT_EQ(nullptr, engine.GetTVTable().SelectStartChannel());
    EXPECT_EQ(nullptr, engine.GetFMTable().SelectStartChannel());
    // 100000 kHz in the low band; FM 0 kHz held to the FM band's low end, 87000 kHz.
    EXPECT_EQ(std::vector<Bytes>({ { 0x08, 0xAE, 0xCE, 0xA0 }, { 0x0C, 0x36, 0x8A, 0xA5 } }), TunerWrites());
}

TEST_F(Controller, VideoSourcesCycleThroughTheRadioOnlyWithFM)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    const int order[] = { 1, 2, 3, 0 };
    for (int expected : order)
    {
        ASSERT_TRUE(engine.NextVideoSource());
        EXPECT_EQ(expected, engine.GetInputSource());
    }
    engine.m_bFMAvailable = FALSE;
    ASSERT_TRUE(engine.SetVideoSource(2));
    ASSERT_TRUE(engine.NextVideoSource());
    EXPECT_EQ(0, engine.GetInputSource());
    ASSERT_TRUE(engine.SetVideoSource(3));
    EXPECT_EQ(0, engine.GetInputSource());
    engine.m_bScanning = TRUE;
    EXPECT_FALSE(engine.NextVideoSource());
    EXPECT_EQ(0, engine.GetInputSource());
    EXPECT_TRUE(engine.IsBusy(TRUE));
    engine.m_bScanning = FALSE;
    EXPECT_EQ(7, engine.IsBusy(TRUE));
    EXPECT_EQ(std::vector<BOOL>({ TRUE }), windows.menuCalls);
}

TEST_F(Controller, PictureSettersKeepToTheirRanges)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    struct Case
    {
        int property;
        int value;
        BOOL accepted;
    } cases[] = {
        { 0, 10001, FALSE }, { 0, -1, FALSE },    { 0, 10000, TRUE }, { 0, 0, TRUE }, { 1, 7000, TRUE },
        { 2, 4000, TRUE },   { 3, 10001, FALSE }, { 4, 5, FALSE },    { 4, 4, TRUE },
    };
    for (const Case& c : cases)
    {
        int (CTVEngine::*setters[])(int, BOOL*) = { &CTVEngine::SetBrightness, &CTVEngine::SetContrast,
                                                    &CTVEngine::SetHue, &CTVEngine::SetSaturation,
                                                    &CTVEngine::SetSharpness };
        int before = sim.Card()->GetProcAmp(c.property);
        int (CTVEngine::*getters[])() const = { &CTVEngine::GetBrightness, &CTVEngine::GetContrast, &CTVEngine::GetHue,
                                                &CTVEngine::GetSaturation, &CTVEngine::GetSharpness };
        int previous = (engine.*getters[c.property])();
        BOOL accepted = -1;
        EXPECT_EQ(previous, (engine.*setters[c.property])(c.value, &accepted)) << c.property << " " << c.value;
        EXPECT_EQ(c.accepted, accepted) << c.property << " " << c.value;
        EXPECT_EQ(c.accepted ? c.value : previous, (engine.*getters[c.property])());
        EXPECT_EQ(c.accepted ? c.value : before, sim.Card()->GetProcAmp(c.property));
    }
    VideoProcAmpRecord record = {};
    ASSERT_TRUE(engine.GetHardWare().GetVideoProcAmpInfo(0, &record));
    EXPECT_EQ(record.lDefault, engine.GetVideoProcAmpDefault(0));
    EXPECT_EQ(0, engine.GetVideoProcAmpDefault(5));
    EXPECT_TRUE(engine.ResetVideoProcAmp());
    EXPECT_EQ(2235, sim.Card()->GetProcAmp(1));
    EXPECT_EQ(1, engine.GetSharpness());
    engine.SetVideoProcAmp(2, 20000);
    EXPECT_EQ(20000, engine.GetHue());

    // Noise reduction level 0..10, applied to the deinterlacer before it is kept.
    EXPECT_EQ(5, engine.SetReduceValue(11));
    EXPECT_EQ(5, engine.GetReduceValue());
    EXPECT_EQ(5, engine.SetReduceValue(7));
    EXPECT_EQ(7, engine.GetReduceValue());
    EXPECT_EQ(7, engine.GetHardWare().ReduceValue);
    EXPECT_FALSE(engine.SetNoiseReduce(FALSE));
    EXPECT_FALSE(engine.SetNoiseReduce(TRUE));
    EXPECT_TRUE(engine.GetNoiseReduce());

    EXPECT_FALSE(engine.SetRecordFormat(9));
    EXPECT_EQ(4, engine.GetRecordFormat());
    EXPECT_TRUE(engine.SetRecordFormat(8));
    EXPECT_EQ(8, engine.GetRecordFormat());
    EXPECT_FALSE(engine.SetFMFilterMode(3));
    EXPECT_EQ(3, engine.GetFMFilterMode());
    EXPECT_TRUE(engine.ValidateSettings());
    EXPECT_EQ(0, engine.GetFMFilterMode());
    engine.SetMaxLength(0);
    engine.SetMaxLength(301);
    EXPECT_EQ(90, engine.GetMaxLength());
    engine.SetMaxLength(300);
    EXPECT_EQ(300, engine.GetMaxLength());
    engine.SetDisplayQuality(3);
    EXPECT_EQ(1, engine.GetDisplayQuality());
    engine.SetDisplayQuality(2);
    EXPECT_EQ(2, engine.GetHardWare().DisplayQuality);

    EXPECT_STREQ("DVD", engine.GetRecordFormatNames().GetName(6));
    EXPECT_STREQ("", engine.GetRecordFormatNames().GetName(5));
    EXPECT_STREQ("SECAM_L1", engine.GetVideoStandardNames().GetName(0x80000));
    EXPECT_STREQ("FM", engine.GetVideoSourceNames().GetName(3));
    EXPECT_EQ(33791u, engine.GetProcAmpLabel(4));
    EXPECT_EQ(33792u, engine.GetProcAmpLabel(9));
}

// Without the overlay path the built-in records hold, so an overlay saturation above 2000 is refused.
TEST_F(Controller, OverlayRangesWithoutTheOverlayPath)
{
    WriteBytes(File("TVParam.ini"), "[Video]\r\nUseOverlay=0\r\n");
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    EXPECT_FALSE(engine.SetOverlaySaturation(2001));
    EXPECT_EQ(10000, engine.GetOverlaySaturation());
    engine.SetOverlaySaturation(2000);
    EXPECT_EQ(2000, engine.GetOverlaySaturation());
    EXPECT_FALSE(engine.SetOverlayHue(5000));
    engine.SetOverlayHue(-5000);
    EXPECT_EQ(-5000, engine.GetOverlayHue());
    EXPECT_EQ(-8, engine.GetOverlayRange(4).m_nMin);
    engine.ResetOverlayColors();
    EXPECT_EQ(10000, engine.GetOverlaySaturation());
    EXPECT_EQ(0, engine.GetOverlayHue());
}

// Another program took the card (the device is released): a channel change then tunes nothing.
TEST_F(Controller, ChannelChangeWithoutTheDeviceFailsQuietly)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    ASSERT_TRUE(engine.CloseDevice());
    EXPECT_TRUE(engine.IsDeviceMissing());
    sim.Card()->ClearBusLog();
    CChannelTable* pTable = engine.GetChannelTable();
    EXPECT_FALSE(pTable->SetCurrentChannel(pTable->GetChannel(0)));
    EXPECT_FALSE(engine.SetFrequency(TRUE, 101700));
    int low = -1, high = -1;
    EXPECT_FALSE(pTable->GetFrequencyRange(&low, &high));
    EXPECT_EQ(-1, low);
    EXPECT_TRUE(TunerWrites().empty());
    EXPECT_EQ(49750, pTable->m_lCurFreq);
}

TEST_F(Controller, ShenzhenReachesTheTunerAsTheRegionalCode)
{
    WriteBytes(File("TVParam.ini"), "[Channel]\r\nCountryCode=86\r\nCity=深圳\r\n");
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    EXPECT_EQ(86, engine.GetCountryCode());
    EXPECT_EQ(1201, engine.GetHardWare().CountryCode);
    // Start-up hands the code over before the card is open; the tuner takes it once it is.
    ASSERT_TRUE(engine.SetCountryCode(86));
    LONG channel = 0, video = -1, audio = -1;
    sim.Card()->GetTunerChannel(&channel, &video, &audio);
    EXPECT_EQ(10, channel);
    engine.City = "Beijing";
    engine.SetCountryCode(86);
    EXPECT_EQ(86, engine.GetHardWare().CountryCode);
}

TEST_F(Controller, ExitWritesTheSettingsAndTheChangedChannelFile)
{
    {
        CTVEngine engine(folder.c_str());
        ASSERT_TRUE(Start(engine));
        CChannelTable* pTable = engine.GetChannelTable();
        ASSERT_TRUE(pTable->SetCurrentChannel(pTable->GetChannel(1)));
        ASSERT_TRUE(pTable->SetCurrentChannel(pTable->NextChannel(-1)));
        // A scan's end marks the table changed; the FM table stays as it was.
        pTable->SetModified(TRUE);
        WriteBytes(File("TVChannel.tvc"), "stale");
        WriteBytes(File("FMChannel.fmc"), "untouched");
        ASSERT_TRUE(engine.SaveSettings());
        ASSERT_TRUE(engine.SaveChannelFiles());
        EXPECT_FALSE(pTable->IsModified());
    }
    EXPECT_EQ(ReadBytes(SourcePath("tests/engine/channels/TVChannel.tvc")), ReadBytes(File("TVChannel.tvc")));
    EXPECT_EQ("untouched", ReadBytes(File("FMChannel.fmc")));
    CIniFile saved(File("TVParam.ini").c_str());
    ASSERT_TRUE(saved.Load());
    struct Key
    {
        const char* section;
        const char* key;
        const char* value;
    } keys[] = {
        { "Channel", "TVCurFreq", "583250" }, { "Channel", "TVLastFreq", "175250" }, { "Channel", "TVCurIndex", "3" },
        { "Device", "TVDATA", "0" },          { "Video", "Brightness", "5020" },     { "Runonce", "Run", "1" },
    };
    for (const Key& k : keys)
    {
        CString value;
        EXPECT_TRUE(saved.GetValue(k.section, k.key, value)) << k.key;
        EXPECT_STREQ(k.value, value) << k.key;
    }
}

// No card of the name in the system: the graph manager shows its message and start-up fails.
TEST(ControllerWithoutCard, StartUpFails)
{
    RegisterFilterClasses();
    std::string folder = FreshAppFolder("WithoutCard");
    CTestWindows windows;
    CTVEngine engine(folder.c_str());
    engine.SetEngineWindows(&windows);
    ASSERT_TRUE(engine.LoadSettings());
    EXPECT_FALSE(engine.Initialize());
    EXPECT_EQ(std::vector<std::string>({ "No TV card found." }), windows.messages);
    EXPECT_TRUE(engine.IsDeviceMissing());
    EXPECT_FALSE(engine.SetFrequency(FALSE, 175250));
    EXPECT_TRUE(engine.CloseDevice());
}

}  // namespace
