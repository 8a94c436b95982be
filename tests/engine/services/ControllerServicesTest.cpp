// The controller's smaller services: the master mute through the system's mixer (and through
// mixer calls that fail where the system's never do), the play-back volume in percent, the
// desktop-video switch without a card, and the record-format names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/MasterMute.h"
#include "engine/TVEngine.h"
#include "tests/engine/controller/ControllerTestSupport.h"

namespace
{
// The mute control of the first destination line of mixer 0, read straight from the mixer.
BOOL ReadMasterMute(BOOL* pbMute)
{
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    if (mixerGetLineInfoA(NULL, &line, MIXER_GETLINEINFOF_DESTINATION) != MMSYSERR_NOERROR)
        return FALSE;
    MIXERCONTROLA control = {};
    MIXERLINECONTROLSA controls = {};
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(control);
    controls.pamxctrl = &control;
    if (mixerGetLineControlsA(NULL, &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR)
        return FALSE;
    MIXERCONTROLDETAILS_BOOLEAN value = {};
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;
    details.cbDetails = sizeof(value);
    details.paDetails = &value;
    if (mixerGetControlDetailsA(NULL, &details, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
        return FALSE;
    *pbMute = value.fValue != 0;
    return TRUE;
}

TEST(MasterMute, TheSystemMixersMainLineTakesTheValue)
{
    ASSERT_GT(mixerGetNumDevs(), 0u) << "the test run provides a mixer";
    CTVEngine engine(FreshAppFolder("MasterMute").c_str());
    BOOL bMute = FALSE;
    ASSERT_EQ(static_cast<UINT>(MMSYSERR_NOERROR), engine.MuteMasterOutput(TRUE));
    ASSERT_TRUE(ReadMasterMute(&bMute));
    EXPECT_TRUE(bMute);
    ASSERT_EQ(static_cast<UINT>(MMSYSERR_NOERROR), engine.MuteMasterOutput(FALSE));
    ASSERT_TRUE(ReadMasterMute(&bMute));
    EXPECT_FALSE(bMute);
}

// Mixer calls that answer like one mixer with one destination line; what each call returns and
// what was set are kept for the test.
struct FakeMixer
{
    MMRESULT getId = MMSYSERR_NOERROR;
    MMRESULT setDetails = MMSYSERR_NOERROR;
    MMRESULT close = MMSYSERR_NOERROR;
    bool hasMute = true;
    std::vector<std::string> calls;
    int muteValue = -1;
};
FakeMixer* g_pFake = nullptr;

MMRESULT WINAPI FakeGetID(HMIXEROBJ, UINT* pId, DWORD dwFlags)
{
    g_pFake->calls.push_back(dwFlags == MIXER_OBJECTF_MIXER ? "GetID" : "GetID by handle");
    *pId = 0;
    return g_pFake->getId;
}
MMRESULT WINAPI FakeOpen(LPHMIXER phMixer, UINT, DWORD_PTR, DWORD_PTR, DWORD)
{
    g_pFake->calls.push_back("Open");
    *phMixer = reinterpret_cast<HMIXER>(static_cast<UINT_PTR>(0x1234));
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeGetLineInfo(HMIXEROBJ, LPMIXERLINEA pLine, DWORD)
{
    g_pFake->calls.push_back("GetLineInfo");
    pLine->dwLineID = 0xFFFF0000;
    pLine->cControls = 2;
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeGetLineControls(HMIXEROBJ, LPMIXERLINECONTROLSA pControls, DWORD)
{
    g_pFake->calls.push_back("GetLineControls");
    pControls->pamxctrl[0].dwControlID = 1;
    pControls->pamxctrl[0].dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    pControls->pamxctrl[1].dwControlID = 2;
    pControls->pamxctrl[1].dwControlType =
        g_pFake->hasMute ? MIXERCONTROL_CONTROLTYPE_MUTE : MIXERCONTROL_CONTROLTYPE_ONOFF;
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeGetControlDetails(HMIXEROBJ, LPMIXERCONTROLDETAILS pDetails, DWORD)
{
    g_pFake->calls.push_back("GetControlDetails");
    static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(pDetails->paDetails)->fValue = 0;
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeSetControlDetails(HMIXEROBJ, LPMIXERCONTROLDETAILS pDetails, DWORD)
{
    g_pFake->calls.push_back("SetControlDetails");
    if (g_pFake->setDetails == MMSYSERR_NOERROR && pDetails->dwControlID == 2)
        g_pFake->muteValue = static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(pDetails->paDetails)->fValue;
    return g_pFake->setDetails;
}
MMRESULT WINAPI FakeClose(HMIXER)
{
    g_pFake->calls.push_back("Close");
    return g_pFake->close;
}
const MIXER_CALLS kFakeCalls = { &FakeGetID, &FakeOpen, &FakeGetLineInfo, &FakeGetLineControls,
                                 &FakeGetControlDetails, &FakeSetControlDetails, &FakeClose };

TEST(MasterMute, TheResultIsTheMutesNotTheClosesWhenTheMuteFails)
{
    const struct
    {
        const char* what;
        MMRESULT getId, setDetails, close;
        bool hasMute;
        MMRESULT expected;
        int muteValue;
        size_t callCount;
    } rows[] = {
        { "mute set", MMSYSERR_NOERROR, MMSYSERR_NOERROR, MMSYSERR_NOERROR, true, MMSYSERR_NOERROR, 1, 8 },
        { "set refused", MMSYSERR_NOERROR, MMSYSERR_ERROR, MMSYSERR_NOERROR, true, MMSYSERR_ERROR, -1, 8 },
        { "no mute control", MMSYSERR_NOERROR, MMSYSERR_NOERROR, MMSYSERR_NOERROR, false, MIXERR_INVALCONTROL, -1, 6 },
        { "close fails", MMSYSERR_NOERROR, MMSYSERR_NOERROR, MMSYSERR_INVALHANDLE, true, MMSYSERR_INVALHANDLE, 1, 8 },
        { "no mixer", MMSYSERR_BADDEVICEID, MMSYSERR_NOERROR, MMSYSERR_NOERROR, true, MMSYSERR_BADDEVICEID, -1, 1 },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.what);
        FakeMixer fake;
        fake.getId = row.getId;
        fake.setDetails = row.setDetails;
        fake.close = row.close;
        fake.hasMute = row.hasMute;
        g_pFake = &fake;
        EXPECT_EQ(row.expected, MuteMixerMasterLine(kFakeCalls, TRUE));
        EXPECT_EQ(row.muteValue, fake.muteValue);
        EXPECT_EQ(row.callCount, fake.calls.size());
        // An opened mixer is always closed again.
        EXPECT_EQ("GetID", fake.calls.front());
        if (fake.calls.size() > 1)
        {
            EXPECT_EQ("Close", fake.calls.back());
        }
        g_pFake = nullptr;
    }
}

class PlayVolume : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The mixer of the test run's null sound device and the first line of its speakers.
        engine.GetHardWare().AudioPlayDev = "Out: default";
        engine.GetHardWare().AudioPlayInput = "";
        engine.GetHardWare().BuildPlayInputList();
        DWORD value = 0;
        if (!engine.GetHardWare().GetPlaySourceVolume(&value))
            GTEST_SKIP() << "no play-back line to set";
    }
    CTVEngine engine{ FreshAppFolder("PlayVolume").c_str() };
};

TEST_F(PlayVolume, PercentGoesToTheMixerScaleAndBack)
{
    const struct { int percent; DWORD mixer; } rows[] = { { 0, 0 }, { 100, 65535 }, { 37, 24248 }, { 1, 655 } };
    for (const auto& row : rows)
    {
        ASSERT_TRUE(engine.SetPlayVolume(row.percent));
        DWORD value = 0;
        ASSERT_TRUE(engine.GetHardWare().GetPlaySourceVolume(&value));
        // The system's mixer keeps the level to its own steps.
        EXPECT_NEAR(static_cast<double>(row.mixer), static_cast<double>(value), 327.0) << row.percent;
        int percent = -1;
        ASSERT_TRUE(engine.GetPlayVolume(&percent));
        EXPECT_EQ(row.percent, percent);
    }
}

TEST_F(PlayVolume, MuteWithoutRememberingLeavesTheSetting)
{
    engine.MuteAudioPlaySrc = FALSE;
    ASSERT_TRUE(engine.SetPlaySourceMute(TRUE, FALSE));
    EXPECT_TRUE(engine.IsPlaySourceMuted());
    EXPECT_FALSE(engine.MuteAudioPlaySrc);
    ASSERT_TRUE(engine.SetPlaySourceMute(FALSE, TRUE));
    EXPECT_FALSE(engine.IsPlaySourceMuted());
    EXPECT_FALSE(engine.MuteAudioPlaySrc);
    ASSERT_TRUE(engine.SetPlaySourceMute(TRUE, TRUE));
    EXPECT_TRUE(engine.MuteAudioPlaySrc);
    engine.SetPlaySourceMute(FALSE, TRUE);
}

TEST(ControllerServices, PlayLineThatCannotBeReadGivesNothing)
{
    CTVEngine engine(FreshAppFolder("NoPlayLine").c_str());
    engine.GetHardWare().AudioPlayDev = "No Such Mixer";
    int percent = 42;
    EXPECT_FALSE(engine.GetPlayVolume(&percent));
    EXPECT_EQ(42, percent);
    engine.MuteAudioPlaySrc = TRUE;
    EXPECT_FALSE(engine.IsPlaySourceMuted());
}

TEST(ControllerServices, DesktopVideoWithTheStoredValueTouchesNothing)
{
    CTVEngine engine(FreshAppFolder("DesktopVideo").c_str());
    engine.OverlayDesktop = FALSE;
    EXPECT_TRUE(engine.SetOverlayDesktop(FALSE));
    // Without a card the overlay cannot start: the value stays, so the next call tries again.
    EXPECT_FALSE(engine.SetOverlayDesktop(TRUE));
    EXPECT_FALSE(engine.GetOverlayDesktop());
    EXPECT_FALSE(engine.CanUseDesktopOverlay());
    EXPECT_FALSE(engine.ClearDesktopWallpaper());
}

TEST(ControllerServices, RecordFormatNames)
{
    CTVEngine engine(FreshAppFolder("FormatNames").c_str());
    const char* const video[] = { "AVI", "MPEG1", "MPEG2", "MPEG4", "VCD", "SVCD",
                                  "DVD", "HiDVD", "", "" };
    const int videoFormats[] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, -1 };
    for (int i = 0; i < 10; ++i)
    {
        CString name("stale");
        engine.GetVideoFormatName(name, videoFormats[i]);
        EXPECT_STREQ(video[i], name) << videoFormats[i];
    }
    const char* const audio[] = { "PCM", "ADPCM", "MP2", "", "" };
    for (int format = 0; format < 5; ++format)
    {
        CString name("stale");
        engine.GetAudioFormatName(name, format);
        EXPECT_STREQ(audio[format], name) << format;
    }
    CFMCustomEntry* pEntry = new CFMCustomEntry;
    pEntry->m_strName = "My MP3";
    engine.GetFMCustomList().Add(pEntry);
    engine.GetFMCustomList().m_nCurrent = 0;
    CString name;
    engine.GetAudioFormatName(name, 3);
    EXPECT_STREQ("My MP3", name);

    engine.GetHardWare().RecordFormat = 2;
    engine.GetRecordFormatName(name);
    EXPECT_STREQ("MPEG2", name);
    engine.GetHardWare().m_nVideoSource = CTVEngine::SOURCE_FM;
    engine.GetHardWare().FMRecordFormat = 1;
    engine.GetRecordFormatName(name);
    EXPECT_STREQ("ADPCM", name);
}
} // namespace
