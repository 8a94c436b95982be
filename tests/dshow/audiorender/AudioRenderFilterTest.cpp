// The audio renderer wrappers on Wine's DirectSound renderer and audio
// renderer (the test environment's ALSA null device gives them a device).
#include <gtest/gtest.h>

#include "dshow/AudioRenderFilter.h"
#include "dshow/DShowGraph.h"
#include "dshow/FilterClass.h"

namespace
{
// The rows of the two renderer wrappers, as the system's table has them.
const CFilterClass kRendererRows[] = {
    { &CLSID_DSoundRender, NULL, "Direct Sound Filter", CreateFilterNodeOf<CDirectSoundFilter>, FALSE,
      "Direct Sound Filter" },
    { &CLSID_AudioRender, NULL, "Audio Render", CreateFilterNodeOf<CAudioRenderFilter>, FALSE, "Audio Render" },
};

class AudioRender : public ::testing::Test
{
protected:
    CDShowGraph graph;
    void SetUp() override
    {
        CFilterClass::SetTable(kRendererRows, 2);
        ASSERT_TRUE(graph.CreateGraph());
    }
    void TearDown() override
    {
        graph.DestroyGraph();
        CFilterClass::SetTable(nullptr, 0);
    }

    static long Volume(IBaseFilter* pFilter)
    {
        ComPtr<IBasicAudio> pAudio;
        long lVolume = 1;
        if (SUCCEEDED(pFilter->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&pAudio))))
            pAudio->get_Volume(&lVolume);
        return lVolume;
    }
};
}

TEST_F(AudioRender, TheRegistryMakesBothRenderersWrappers)
{
    CDirectSoundFilter* pSound =
        dynamic_cast<CDirectSoundFilter*>(graph.AddFilter(CLSID_DSoundRender, "Default DirectSound Device"));
    ASSERT_NE(nullptr, pSound);
    EXPECT_NE(nullptr, pSound->GetReferenceClock());
    EXPECT_NE(nullptr, pSound->FindPin("Audio Input pin (rendered)"));
    EXPECT_NE(nullptr, dynamic_cast<CAudioRenderFilter*>(graph.AddFilter(CLSID_AudioRender, "Audio Render")));
}

TEST_F(AudioRender, TheUserScaleMapsToSixtyDecibelsAndMuteToSilence)
{
    CDirectSoundFilter* pSound =
        dynamic_cast<CDirectSoundFilter*>(graph.AddFilter(CLSID_DSoundRender, "Default DirectSound Device"));
    ASSERT_NE(nullptr, pSound);
    IBaseFilter* pFilter = pSound->GetFilter();
    struct Row
    {
        LONG value;
        long units;
        LONG readBack;
    } rows[] = { { 100, 0, 100 }, { 50, -3000, 50 }, { 0, -6000, 0 }, { 1, -5940, 1 },
                 // Beyond the scale's ends: held to them.
                 { -20, -6000, 0 }, { 150, 0, 100 } };
    for (const Row& row : rows)
    {
        ASSERT_TRUE(pSound->SetVolume(row.value)) << row.value;
        EXPECT_EQ(row.units, Volume(pFilter)) << row.value;
        LONG readBack = -1;
        EXPECT_TRUE(pSound->GetVolume(&readBack));
        EXPECT_EQ(row.readBack, readBack) << row.value;
    }

    ASSERT_TRUE(pSound->SetVolume(50));
    ASSERT_TRUE(pSound->SetMute(TRUE));
    EXPECT_EQ(-10000, Volume(pFilter));
    BOOL bMute = FALSE;
    ASSERT_TRUE(pSound->GetMute(&bMute));
    EXPECT_TRUE(bMute);
    // While muted a new volume is only kept.
    ASSERT_TRUE(pSound->SetVolume(80));
    EXPECT_EQ(-10000, Volume(pFilter));
    ASSERT_TRUE(pSound->SetMute(FALSE));
    EXPECT_EQ(-1200, Volume(pFilter));

    // A renderer silenced from elsewhere reads as muted; sound put back from
    // elsewhere becomes the kept volume.
    ComPtr<IBasicAudio> pAudio;
    ASSERT_HRESULT_SUCCEEDED(pFilter->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&pAudio)));
    ASSERT_HRESULT_SUCCEEDED(pAudio->put_Volume(-10000));
    ASSERT_TRUE(pSound->GetMute(&bMute));
    EXPECT_TRUE(bMute);
    ASSERT_HRESULT_SUCCEEDED(pAudio->put_Volume(-600));
    ASSERT_TRUE(pSound->GetMute(&bMute));
    EXPECT_FALSE(bMute);
    LONG value = 0;
    pSound->GetVolume(&value);
    EXPECT_EQ(90, value);
}

TEST_F(AudioRender, AWrapperThatGoesLeavesTheRendererSounding)
{
    CDirectSoundFilter* pSound =
        dynamic_cast<CDirectSoundFilter*>(graph.AddFilter(CLSID_DSoundRender, "Default DirectSound Device"));
    ASSERT_NE(nullptr, pSound);
    ComPtr<IBaseFilter> pFilter(pSound->GetFilter());
    ASSERT_TRUE(pSound->SetVolume(25));
    ASSERT_TRUE(pSound->SetMute(TRUE));
    graph.RemoveFilter(pSound);
    EXPECT_EQ(-4500, Volume(pFilter.Get()));
}
