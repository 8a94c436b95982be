// The audio capture wrapper on Wine's capture device and its winmm mixers
// (the test environment's ALSA null device: "Out: default" and "In: default").
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "dshow/AudioCaptureFilter.h"
#include "dshow/DShowGraph.h"
#include "dshow/FilterClass.h"

namespace
{
// The wrapper's row: any audio input device by name.
const CFilterClass kAudioRow[] = {
    { NULL, &CLSID_AudioInputDeviceCategory, "CLASS_FILTER", CreateFilterNodeOf<CAudioCaptureFilter>, FALSE,
      "CLASS_FILTER" },
};

class AudioCapture : public ::testing::Test
{
protected:
    CDShowGraph graph;
    void SetUp() override
    {
        CFilterClass::SetTable(kAudioRow, 1);
        ASSERT_TRUE(graph.CreateGraph());
        if (mixerGetNumDevs() < 2)
            GTEST_SKIP() << "no mixers";
    }
    void TearDown() override
    {
        graph.DestroyGraph();
        CFilterClass::SetTable(nullptr, 0);
    }
};

TEST_F(AudioCapture, TheMixerIsTheLastOneNamedLikeTheDevice)
{
    struct Row
    {
        std::string name;
        int index;
    } rows[] = { { "In: default", 1 }, { "Out: default", 0 }, { "In: defaul", 0 }, { "Nothing", 0 },
                 { std::string(40, 'x'), 0 } };
    for (const Row& row : rows)
    {
        int index = -1;
        UINT id = 99;
        ASSERT_TRUE(CAudioCaptureFilter::ChooseMixer(row.name.c_str(), &index, &id));
        EXPECT_EQ(row.index, index) << row.name;
        EXPECT_EQ(static_cast<UINT>(row.index), id) << row.name;
    }
}

TEST_F(AudioCapture, AddedByNameItMutesTheRecordingLineAndItsSources)
{
    CFilterNode* pNode = graph.AddFilterByName(CLSID_AudioInputDeviceCategory, "In: default", "Audio Capture",
                                               FALSE, 0);
    CAudioCaptureFilter* pAudio = dynamic_cast<CAudioCaptureFilter*>(pNode);
    ASSERT_NE(nullptr, pAudio);
    EXPECT_EQ(1, pAudio->GetMixerIndex());
    EXPECT_GT(pAudio->GetDestinationControlCount(), 0u);

    BOOL muted = FALSE;
    ASSERT_TRUE(pAudio->SetMute(TRUE));
    ASSERT_TRUE(pAudio->GetMute(&muted));
    EXPECT_TRUE(muted);
    ASSERT_TRUE(pAudio->SetMute(FALSE));
    ASSERT_TRUE(pAudio->GetMute(&muted));
    EXPECT_FALSE(muted);

    DWORD volume = 0;
    ASSERT_TRUE(pAudio->SetVolume(30000));
    ASSERT_TRUE(pAudio->GetVolume(&volume));
    EXPECT_NEAR(30000.0, static_cast<double>(volume), 700.0);

    UINT nSources = 0;
    const MIXERLINEA* pSources = pAudio->GetSourceLines(&nSources);
    ASSERT_GT(nSources, 0u);
    std::string source = pSources[0].szName;
    // Wine's source line takes the mute but does not keep it: the calls
    // reach the line's own controls and succeed.
    EXPECT_TRUE(pAudio->SetSourceMute(source.c_str(), TRUE));
    EXPECT_TRUE(pAudio->GetSourceMute(source.c_str(), &muted));
    EXPECT_TRUE(pAudio->SetSourceVolume(source.c_str(), 1000));
    EXPECT_FALSE(pAudio->SetSourceMute("No Such Line", TRUE));
    DWORD sourceVolume = 7;
    EXPECT_FALSE(pAudio->GetSourceVolume("No Such Line", &sourceVolume));
    EXPECT_EQ(0u, sourceVolume);

    // Wine's capture filter shows no pins: no format, no input mixer.
    EXPECT_EQ(nullptr, pAudio->GetCapturePin());
    WAVEFORMATEX format;
    memset(&format, 0x5A, sizeof(format));
    EXPECT_FALSE(pAudio->GetFormat(&format));
    EXPECT_EQ(0x5A5A, format.wFormatTag);
    EXPECT_FALSE(pAudio->EnableInput("Line", TRUE));
    double level = 0;
    EXPECT_FALSE(pAudio->GetMixLevel("Line", &level));
    EXPECT_EQ(nullptr, pAudio->FindPin("Capture"));
}
}
