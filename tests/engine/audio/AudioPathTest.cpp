// The sound side of the graph manager on the test environment's ALSA null
// device: Wine's mixers "Out: default" (speakers) and "In: default" (wave in),
// its audio capture device, and the DirectSound renderer fed by the simulated
// card's "Audio" pin. Levels and mutes are read back from the mixer itself.
#include <gtest/gtest.h>

#include <dshow.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "dshow/AudioRenderFilter.h"
#include "engine/TVHardWare.h"
#include "hardware/devices/CaptureDevice.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/RecordingWindows.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
// One control of a mixer line, straight through winmm: the line is the
// destination of that type, or its source of that name. Wine's mixers have
// one source line named like their destination, whose controls keep nothing;
// a line of the destination's name is the destination itself.
struct MixerLine
{
    std::string mixer;
    DWORD destinationType;
    std::string source;  // empty: the destination itself
};

BOOL ControlValue(const MixerLine& where, DWORD controlType, DWORD* pValue, BOOL bSet)
{
    for (UINT id = 0; id < mixerGetNumDevs(); ++id)
    {
        MIXERCAPSA caps;
        if (mixerGetDevCapsA(id, &caps, sizeof(caps)) != MMSYSERR_NOERROR || where.mixer != caps.szPname)
            continue;
        HMIXEROBJ h = reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(id));
        for (DWORD d = 0; d < caps.cDestinations; ++d)
        {
            MIXERLINEA line = {};
            line.cbStruct = sizeof(line);
            line.dwDestination = d;
            if (mixerGetLineInfoA(h, &line, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_DESTINATION) != MMSYSERR_NOERROR ||
                line.dwComponentType != where.destinationType)
                continue;
            DWORD connections = line.cConnections;
            BOOL bDestination = where.source.empty() || where.source == line.szName;
            for (DWORD s = 0; !bDestination && s < connections; ++s)
            {
                MIXERLINEA source = {};
                source.cbStruct = sizeof(source);
                source.dwDestination = d;
                source.dwSource = s;
                if (mixerGetLineInfoA(h, &source, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_SOURCE) == MMSYSERR_NOERROR &&
                    where.source == source.szName)
                    line = source;
            }
            MIXERCONTROLA control = {};
            control.cbStruct = sizeof(control);
            MIXERLINECONTROLSA controls = {};
            controls.cbStruct = sizeof(controls);
            controls.dwLineID = line.dwLineID;
            controls.dwControlType = controlType;
            controls.cControls = 1;
            controls.cbmxctrl = sizeof(control);
            controls.pamxctrl = &control;
            if (mixerGetLineControlsA(h, &controls, MIXER_OBJECTF_MIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
                MMSYSERR_NOERROR)
                return FALSE;
            MIXERCONTROLDETAILS_UNSIGNED value = { *pValue };
            MIXERCONTROLDETAILS details = {};
            details.cbStruct = sizeof(details);
            details.dwControlID = control.dwControlID;
            details.cChannels = 1;
            details.cbDetails = sizeof(value);
            details.paDetails = &value;
            MMRESULT result = bSet ? mixerSetControlDetails(h, &details, MIXER_OBJECTF_MIXER)
                                   : mixerGetControlDetailsA(h, &details, MIXER_OBJECTF_MIXER);
            *pValue = value.dwValue;
            return result == MMSYSERR_NOERROR;
        }
    }
    return FALSE;
}

DWORD Read(const MixerLine& where, DWORD controlType)
{
    DWORD value = 0xFFFFFFFF;
    ControlValue(where, controlType, &value, FALSE);
    return value;
}

void Write(const MixerLine& where, DWORD controlType, DWORD value)
{
    ControlValue(where, controlType, &value, TRUE);
}

class AudioPath : public ::testing::Test
{
protected:
    CBlackBirdSimHost sim;
    CFilterModules filters{ PreviewFilterModules() };
    CRecordingWindows windows;
    CTVHardWare hw;

    void SetUp() override
    {
        if (mixerGetNumDevs() < 2)
            GTEST_SKIP() << "no mixers";
        ASSERT_TRUE(sim.IsReady());
        ASSERT_TRUE(filters.IsReady());
        hw.SetEngineWindows(&windows);
    }

    MixerLine Speakers() const { return MixerLine{ std::string(hw.AudioPlayDev), CAudioMixerSpeakers(), "" }; }
    static DWORD CAudioMixerSpeakers() { return MIXERLINE_COMPONENTTYPE_DST_SPEAKERS; }
    MixerLine RecordLine() const
    {
        return MixerLine{ std::string(hw.AudioDevice), MIXERLINE_COMPONENTTYPE_DST_WAVEIN, std::string(hw.AudioInput) };
    }
};
}

TEST_F(AudioPath, TheListsComeFromTheDevicesAndTheMixers)
{
    ASSERT_TRUE(hw.Initialize());
    ASSERT_EQ(1, hw.m_AudioDeviceList.GetCount());
    EXPECT_STREQ("In: default", hw.AudioDevice);
    EXPECT_NE(nullptr, hw.m_pAudioCaptureFilter);
    ASSERT_EQ(1, hw.m_PlayDeviceList.GetCount());
    EXPECT_STREQ("Out: default", hw.AudioPlayDev);
    // The speakers' own line first, then its sources with a volume.
    ASSERT_EQ(2, hw.m_PlayInputList.GetCount());
    EXPECT_STREQ(hw.m_PlayInputList.GetHead(), hw.AudioPlayInput);
    ASSERT_EQ(1, hw.m_AudioInputList.GetCount());
    // No line input on this mixer: the first record line.
    EXPECT_STREQ(hw.m_AudioInputList.GetHead(), hw.AudioInput);

    // A chosen play line is kept when the mixer has it; another falls back to the first.
    CTVHardWare other;
    other.AudioPlayDev = "OUT: DEFAULT";
    other.AudioPlayInput = hw.m_PlayInputList.GetTail();
    ASSERT_TRUE(other.BuildPlayInputList());
    EXPECT_STREQ(hw.m_PlayInputList.GetTail(), other.AudioPlayInput);
    other.AudioPlayInput = "No Such Line";
    ASSERT_TRUE(other.BuildPlayInputList());
    EXPECT_STREQ(other.m_PlayInputList.GetHead(), other.AudioPlayInput);
}

TEST_F(AudioPath, ThePlayLinesMuteAndVolumeReachTheMixer)
{
    ASSERT_TRUE(hw.Initialize());
    ASSERT_TRUE(hw.SetPlaySourceMute(TRUE));
    BOOL bMute = FALSE;
    ASSERT_TRUE(hw.GetPlaySourceMute(&bMute));
    EXPECT_TRUE(bMute);
    EXPECT_EQ(1u, Read(Speakers(), MIXERCONTROL_CONTROLTYPE_MUTE));
    ASSERT_TRUE(hw.SetPlaySourceMute(FALSE));
    EXPECT_EQ(0u, Read(Speakers(), MIXERCONTROL_CONTROLTYPE_MUTE));

    ASSERT_TRUE(hw.SetPlaySourceVolume(39321));
    DWORD volume = 0;
    ASSERT_TRUE(hw.GetPlaySourceVolume(&volume));
    EXPECT_NEAR(39321.0, static_cast<double>(Read(Speakers(), MIXERCONTROL_CONTROLTYPE_VOLUME)), 700.0);
    EXPECT_NEAR(39321.0, static_cast<double>(volume), 700.0);
}

// The panel reads mute and volume at every idle moment; a process may open
// only so many mixer handles in its life, so no request may spend one.
TEST_F(AudioPath, MuteAndLevelsStillWorkAfterManyRequests)
{
    ASSERT_TRUE(hw.Initialize());
    const BOOL bCaptureLine = hw.SelectAudioCaptureInput(hw.AudioInput, TRUE);
    for (int i = 0; i < 300; ++i)
    {
        ASSERT_TRUE(hw.SetPlaySourceMute(i % 2)) << i;
        BOOL bMute = !(i % 2);
        ASSERT_TRUE(hw.GetPlaySourceMute(&bMute)) << i;
        ASSERT_EQ(i % 2, bMute) << i;
        DWORD volume = 0;
        ASSERT_TRUE(hw.GetPlaySourceVolume(&volume)) << i;
        ASSERT_TRUE(hw.SetRecordVolume(i % 101)) << i;
        ASSERT_EQ(bCaptureLine, hw.SelectAudioCaptureInput(hw.AudioInput, TRUE)) << i;
    }
    EXPECT_EQ(1u, Read(Speakers(), MIXERCONTROL_CONTROLTYPE_MUTE));
    EXPECT_NEAR(65535.0 * (299 % 101) / 100, static_cast<double>(Read(RecordLine(), MIXERCONTROL_CONTROLTYPE_VOLUME)), 330.0);
    // A new set-up in the same process still finds the speakers.
    CTVHardWare again;
    ASSERT_TRUE(again.BuildPlayDeviceList());
    EXPECT_STREQ("Out: default", again.AudioPlayDev);
}

TEST_F(AudioPath, TheRecordLevelIsAPercentOfTheRecordLine)
{
    ASSERT_TRUE(hw.Initialize());
    struct Row
    {
        int percent;
        DWORD value;
    } rows[] = { { 100, 65535 }, { 50, 32768 }, { 1, 655 }, { 0, 0 } };
    for (const Row& row : rows)
    {
        ASSERT_TRUE(hw.SetRecordVolume(row.percent)) << row.percent;
        EXPECT_EQ(row.percent, hw.AudioRecVol);
        EXPECT_NEAR(static_cast<double>(row.value), static_cast<double>(Read(RecordLine(), MIXERCONTROL_CONTROLTYPE_VOLUME)),
                    330.0)
            << row.percent;
    }
}

TEST_F(AudioPath, AnUnreadableCaptureLevelLeavesTheUsersLevel)
{
    // Wine's capture device has no input pins to read a level from.
    hw.AudioRecVol = 30;
    ASSERT_TRUE(hw.Initialize());
    int percent = -1;
    EXPECT_FALSE(hw.GetRecordVolume(&percent));
    // Nor is there a capture format to read, and so none is written.
    EXPECT_FALSE(hw.SetAudioCaptureFormat(6));
    EXPECT_EQ(-1, percent);
    EXPECT_EQ(30, hw.AudioRecVol);
    EXPECT_NEAR(19661.0, static_cast<double>(Read(RecordLine(), MIXERCONTROL_CONTROLTYPE_VOLUME)), 330.0);
}

TEST_F(AudioPath, TheSpeakersOwnLineIsNeverWrittenAsAnInput)
{
    ASSERT_TRUE(hw.Initialize());
    // Wine's record line carries the name of the play mixer's speaker line.
    ASSERT_STREQ(hw.m_PlayInputList.GetHead(), hw.AudioInput);
    ASSERT_TRUE(hw.SetPlaySourceVolume(20000));
    ASSERT_TRUE(hw.SetPlaySourceMute(FALSE));
    EXPECT_FALSE(hw.ApplyPlayLineVolume());
    EXPECT_FALSE(hw.SetRecordLineMute(TRUE));
    EXPECT_NEAR(20000.0, static_cast<double>(Read(Speakers(), MIXERCONTROL_CONTROLTYPE_VOLUME)), 700.0);
    EXPECT_EQ(0u, Read(Speakers(), MIXERCONTROL_CONTROLTYPE_MUTE));
}

TEST_F(AudioPath, ACardWithAnAudioPinSoundsThroughTheDirectSoundRenderer)
{
    sim.Card()->SetAudioPinEnabled(TRUE);
    CTestWindow window(40, 40, 360, 288, "Sound");
    hw.SetVideoWindow(window.Handle());
    ASSERT_TRUE(hw.Initialize());
    ASSERT_TRUE(hw.HasAudioPin());
    ASSERT_NE(nullptr, hw.m_pDefaultSound);
    ASSERT_TRUE(hw.GetCaptureDevice()->SetTunerFrequency(471250.0f));
    ASSERT_TRUE(hw.BuildPreviewGraph());
    CPinWrapper* pSoundIn = hw.m_pDefaultSound->FindPin("Audio Input pin (rendered)");
    ASSERT_NE(nullptr, pSoundIn);
    EXPECT_NE(nullptr, pSoundIn->GetPeer());
    // The picture runs on the renderer's clock too.
    EXPECT_TRUE(PumpUntil([&] { return Luma(CScreenShot::OfClient(window.Handle()).Mean(20, 20, 44, 44)) > 200; },
                          8000));

    IBasicAudio* pAudio = hw.m_pDefaultSound->GetBasicAudio();
    ASSERT_TRUE(hw.SetAudioMute(TRUE));
    BOOL bMute = FALSE;
    ASSERT_TRUE(hw.GetDirectSoundMute(&bMute));
    EXPECT_TRUE(bMute);
    long volume = 1;
    pAudio->get_Volume(&volume);
    EXPECT_EQ(-10000, volume);
    ASSERT_TRUE(hw.SetAudioMute(FALSE));
    ASSERT_TRUE(hw.GetDirectSoundMute(&bMute));
    EXPECT_FALSE(bMute);
    pAudio->get_Volume(&volume);
    EXPECT_EQ(0, volume);

    // The renderer's own controller on the user scale.
    ASSERT_TRUE(hw.m_pDefaultSound->SetVolume(0));
    pAudio->get_Volume(&volume);
    EXPECT_EQ(-6000, volume);
    ASSERT_TRUE(hw.m_pDefaultSound->SetVolume(100));
    pAudio->get_Volume(&volume);
    EXPECT_EQ(0, volume);

    // Back to the picture after the radio: the sound is connected again.
    ASSERT_TRUE(hw.StopGraphForRadio(TRUE));
    EXPECT_EQ(nullptr, pSoundIn->GetPeer());
    EXPECT_TRUE(hw.ConnectAudioSmartTee());
    EXPECT_NE(nullptr, pSoundIn->GetPeer());
}
