// Time shift: the card's encoder feeds the time-shift filter, which keeps a
// ring buffer file with an index beside it and plays the stream back from
// the chosen position through the demultiplexer, the decoders and a
// renderer.
#include "engine/TVHardWare.h"

#include "dshow/AudioRenderFilter.h"
#include "dshow/DeinterlaceFilter.h"
#include "dshow/Mpeg2DemuxFilter.h"
#include "dshow/OverlayMixerFilter.h"
#include "dshow/TimeShiftFilter.h"
#include "engine/RecordFilterIds.h"
#include "foundation/Trace.h"
#include "hardware/devices/BlackBirdEncoder.h"
#include "hardware/devices/CaptureDevice.h"
#include "hardware/devices/CrossbarDevice.h"

#include <uuids.h>

using namespace RecordFilterIds;

namespace
{
const int kMinimumSeconds = 600;
const LONGLONG kLowestPosition = 10;
// The MPEG-1 Layer II bit rates in kbit/s of audio rate indexes 1 to 14.
const int kAudioKbits[] = { 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384 };

int AudioKbitsOf(int nIndex)
{
    return nIndex >= 1 && nIndex <= 14 ? kAudioKbits[nIndex - 1] : 0;
}
}  // namespace

// The preview's video renderer and overlay mixer leave the graph: the
// time-shift renderer shows the picture.
void CTVHardWare::RemovePreviewRenderer()
{
    CFilterNode* pRender = m_pVideoRender;
    CFilterNode* pMixer = m_pOverlayMixer;
    m_pVideoRender = NULL;
    m_pOverlayMixer = NULL;
    RemoveNode(&pRender);
    RemoveNode(&pMixer);
}

ULONGLONG CTVHardWare::ComputeTimeShiftBuffer(DWORD dwVideoBitRate, int nAudioRateIndex, int nSeconds)
{
    int nAudio = AudioKbitsOf(nAudioRateIndex);
    if (nAudio == 0 || nSeconds <= 0)
        return 0;
    // Sixty-four bits: an hour at 9.8 Mbit/s is beyond four gigabytes.
    return (static_cast<ULONGLONG>(dwVideoBitRate / 8) + static_cast<ULONGLONG>(nAudio) * 125) *
           static_cast<ULONGLONG>(nSeconds);
}

ULONGLONG CTVHardWare::GetTimeShiftBufferSize() const
{
    return (static_cast<ULONGLONG>(m_nTimeShiftRate) + static_cast<ULONGLONG>(m_nTimeShiftAudioRate)) *
           static_cast<ULONGLONG>(TFTime > 0 ? TFTime : 0);
}

BOOL CTVHardWare::SetTimeShiftLength(int nSeconds)
{
    if (nSeconds < kMinimumSeconds)
        return FALSE;
    TFTime = nSeconds;
    return TRUE;
}

BOOL CTVHardWare::StartTimeShift()
{
    if (m_nVideoSource == SOURCE_RADIO || m_bRecording)
        return FALSE;
    m_bTimeShiftStart = TRUE;
    m_Graph.Stop();
    m_Graph.DisconnectAll();
    BOOL bResult = CreateTimeShiftFilters();
    if (bResult)
        bResult = ConfigureTimeShiftEncoder();
    if (bResult)
    {
        if (!ConnectTimeShiftGraph())
            bResult = FALSE;
        if (!ConfigureTimeShift())
            bResult = FALSE;
        if (bResult)
        {
            SetCardSource(m_nVideoSource, TRUE);
            ApplyVideoProcAmp();
            ApplyOverlayMixerProperties();
            if (m_pCrossbarFilter != NULL)
                m_Graph.DisconnectFilter(m_pCrossbarFilter);
            bResult = m_Graph.Run();
        }
    }
    m_bTimeShiftStart = FALSE;
    m_bTimeShift = bResult;
    if (!bResult)
        StopTimeShift();
    return bResult;
}

BOOL CTVHardWare::StopTimeShift()
{
    if (m_pTimeShiftFilter != NULL)
    {
        LONGLONG llStart = 0;
        m_pTimeShiftFilter->SetPosition(&llStart);
    }
    BOOL bResult = StopRecord();
    m_bTimeShift = FALSE;
    return bResult;
}

BOOL CTVHardWare::ToggleTimeShiftPause()
{
    if (!m_bTimeShift || m_pTimeShiftFilter == NULL || !m_pTimeShiftFilter->TogglePause())
        return FALSE;
    m_bTimeShiftPaused = !m_bTimeShiftPaused;
    return TRUE;
}

BOOL CTVHardWare::GetTimeShiftPosition(LONGLONG* pllReadPos, LONGLONG* pllCurBufLen, LONGLONG* pllTotalBufLen)
{
    return m_pTimeShiftFilter != NULL && m_pTimeShiftFilter->GetPositions(pllReadPos, pllCurBufLen, pllTotalBufLen);
}

BOOL CTVHardWare::SeekTimeShift(LONGLONG* pllPosition)
{
    if (!m_bTimeShift || m_pTimeShiftFilter == NULL || pllPosition == NULL)
        return FALSE;
    if (*pllPosition < kLowestPosition)
        *pllPosition = kLowestPosition;
    return m_pTimeShiftFilter->SetPosition(pllPosition);
}

BOOL CTVHardWare::CreateTimeShiftFilters()
{
    if (m_pOverlayMixer == NULL)
        CreateOverlayMixer();
    if (!AddMpegEncoder())
        return FALSE;
    BOOL bResult = TRUE;
    if (m_pTimeShiftFilter == NULL)
        m_pTimeShiftFilter = dynamic_cast<CTimeShiftFilter*>(m_Graph.AddFilter(kTimeShift, "Time Shift"));
    bResult = bResult && m_pTimeShiftFilter != NULL;
    if (m_pDemux == NULL)
        m_pDemux = dynamic_cast<CMpeg2DemuxFilter*>(
            m_Graph.AddFilter(CLSID_MPEG2Demultiplexer, "MPEG-2 Demultiplexer"));
    bResult = bResult && m_pDemux != NULL;
    if (m_pVideoDecoder == NULL)
        m_pVideoDecoder = m_Graph.AddFilter(kVideoDecoder, "MainConcept Demo MPEG Video Decoder");
    bResult = bResult && m_pVideoDecoder != NULL;
    if (m_pAudioDecoder == NULL)
        m_pAudioDecoder = m_Graph.AddFilter(kAudioDecoder, "Audio Decodec");
    bResult = bResult && m_pAudioDecoder != NULL;
    if (m_pDefaultSound == NULL)
        m_pDefaultSound =
            dynamic_cast<CDirectSoundFilter*>(m_Graph.AddFilter(CLSID_DSoundRender, "Default DirectSound Device"));
    bResult = bResult && m_pDefaultSound != NULL;
    // Nothing in this graph connects the ACM wrapper: one that cannot be made
    // (a wrapper without stream configuration) does not stop the time shift.
    if (m_pAcmWrapper == NULL && (m_pAcmWrapper = m_Graph.AddFilter(CLSID_ACMWrapper, "ACM Wrapper Filter")) == NULL)
        NullTrace("Time shift: no ACM wrapper\n");
    if (m_pTimeShiftRender == NULL)
    {
        m_pTimeShiftRender = m_Graph.AddFilter(kDefaultVideoRenderer, "VMR for TF");
        if (m_pTimeShiftRender == NULL)
            m_pTimeShiftRender = m_Graph.AddFilter(kVmr9, "VMR for TF");
        if (m_pTimeShiftRender == NULL)
            return bResult;
    }
    RemovePreviewRenderer();
    return bResult;
}

BOOL CTVHardWare::ConfigureTimeShiftEncoder()
{
    BOOL bResult = TRUE;
    if (TimeShiftFormat == 0)
    {
        bResult = ConfigureEncoderPresetA();
    }
    else if (TimeShiftFormat == 1)
    {
        bResult = SetCaptureVideoSize(352, IsNTSC() ? 480 : 576);
        if (m_pTVCardFilter != NULL)
        {
            const int values[5] = { Brightness, Contrast, Hue, Saturation, Sharpness };
            for (int i = 0; i < 5; ++i)
                m_pTVCardFilter->SetVideoProcAmp(i, values[i]);
        }
        if (m_pDeinterlaceFilter != NULL)
            m_pDeinterlaceFilter->EnableDeinterlace(FALSE);
        ApplyDisplayQuality(DisplayQuality);
        SetAudioCaptureFormat(6);
    }
    BOOL bPins = m_pDemux != NULL && m_pDemux->CreateOutputPin("Video", CMpeg2DemuxFilter::KIND_VIDEO) &&
                 m_pDemux->CreateOutputPin("Audio", CMpeg2DemuxFilter::KIND_AUDIO);
    return bResult && bPins;
}

BOOL CTVHardWare::ConnectTimeShiftGraph()
{
    if (m_pTVCardFilter == NULL || m_pMpegEncoder == NULL ||
        !ConnectPins(m_pTVCardFilter, m_pMpegEncoder, "656", "656") ||
        !ConnectPins(m_pTVCardFilter, m_pMpegEncoder, "I2S", "I2S") ||
        !ConnectPins(m_pMpegEncoder, m_pTimeShiftFilter, "", ""))
        return FALSE;
    BOOL bResult = ConnectPins(m_pTimeShiftFilter, m_pDemux, "", "");
    bResult = ConnectPins(m_pDemux, m_pVideoDecoder, "Video", "Video In") && bResult;
    CFilterNode* pCurrent = m_pVideoDecoder;
    LPCSTR pszCurrentPin = "";
    if (m_bUseTransformRatio)
    {
        if (!ConnectPins(pCurrent, m_pTransformRatio, pszCurrentPin, "XForm In"))
            return FALSE;
        pCurrent = m_pTransformRatio;
        pszCurrentPin = "XForm Out";
    }
    if (m_pOverlayMixer != NULL)
    {
        if (!ConnectPins(pCurrent, m_pOverlayMixer, pszCurrentPin, "") ||
            !ConnectPins(m_pOverlayMixer, m_pVideoRender, "", ""))
            return FALSE;
        RemoveNode(&m_pTimeShiftRender);
    }
    else if (m_pTimeShiftRender != NULL)
    {
        RemovePreviewRenderer();
        OwnRendererWindow(m_pTimeShiftRender);
        if (!ConnectPins(pCurrent, m_pTimeShiftRender, pszCurrentPin, ""))
            return FALSE;
    }
    bResult = ConnectPins(m_pDemux, m_pAudioDecoder, "Audio", "Audio In") && bResult;
    bResult = ConnectPins(m_pAudioDecoder, m_pDefaultSound, "", "") && bResult;
    AttachVideoWindow();
    return bResult;
}

BOOL CTVHardWare::ConfigureTimeShift()
{
    if (m_pMpegEncoder == NULL || m_pTimeShiftFilter == NULL)
        return FALSE;
    DWORD triple[3] = { 0, 0, 0 };
    BYTE audioIndex = 0;
    if (!m_pMpegEncoder->GetEncoderProperty(0, triple, sizeof(triple)) ||
        !m_pMpegEncoder->GetEncoderProperty(4, &audioIndex, 1))
        return FALSE;
    // An index outside the table has no bit rate: no buffer can be sized.
    ULONGLONG ullSize = ComputeTimeShiftBuffer(triple[1], audioIndex, TFTime);
    if (ullSize == 0)
    {
        NullTrace("Time shift: audio rate index %u has no bit rate\n", static_cast<unsigned>(audioIndex));
        return FALSE;
    }
    // The disk check sizes the next buffer at what the encoder really sends.
    m_nTimeShiftRate = static_cast<int>(triple[1] / 1000);
    m_nTimeShiftAudioRate = AudioKbitsOf(audioIndex);
    m_ullTimeShiftBuffer = ullSize;
    LONGLONG llSize = static_cast<LONGLONG>(ullSize);
    BOOL bResult = m_pTimeShiftFilter->SetFileName(m_strTimeShiftFile) &&
                   m_pTimeShiftFilter->SetBufferSize(&llSize, TFReserved) && m_pDemux != NULL &&
                   m_pDemux->MapStream("Video", CMpeg2DemuxFilter::KIND_VIDEO) &&
                   m_pDemux->MapStream("Audio", CMpeg2DemuxFilter::KIND_AUDIO);
    // The sound renderer's clock is the graph's.
    IReferenceClock* pClock = NULL;
    IMediaFilter* pMediaFilter = NULL;
    IGraphBuilder* pGraph = m_Graph.GetGraphBuilder();
    if (m_pDefaultSound == NULL || m_pDefaultSound->GetFilter() == NULL || pGraph == NULL ||
        FAILED(m_pDefaultSound->GetFilter()->QueryInterface(IID_IReferenceClock, reinterpret_cast<void**>(&pClock))))
        return FALSE;
    if (FAILED(pGraph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&pMediaFilter))))
    {
        pClock->Release();
        return FALSE;
    }
    pMediaFilter->SetSyncSource(pClock);
    pMediaFilter->Release();
    pClock->Release();
    return bResult;
}
