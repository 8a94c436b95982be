// The AVI and MPEG-4 record modes (formats 0 and 3) and the radio record
// modes: the card's pictures and sound through the AVI multiplexer into the
// file writer, or the sound alone through an audio compressor or the MPEG
// audio encoder.
#include "engine/TVHardWare.h"

#include "dshow/AudioCaptureFilter.h"
#include "dshow/AudioRenderFilter.h"
#include "dshow/DeinterlaceFilter.h"
#include "dshow/DumpFilter.h"
#include "dshow/FileWriteFilter.h"
#include "dshow/MCEncoderFilter.h"
#include "dshow/MuxFilter.h"
#include "dshow/OverlayMixerFilter.h"
#include "engine/RecordFilterIds.h"
#include "foundation/Trace.h"
#include "hardware/devices/CaptureDevice.h"
#include "platform/standins/grenvil/Grenvil.h"

#include <uuids.h>

using namespace RecordFilterIds;

namespace
{
const char kXvidName[] = "XviD MPEG-4 Codec";
const char kSoundInput[] = "Audio Input pin (rendered)";

template <class T>
BOOL AddOnce(CDShowGraph& graph, T** ppMember, REFCLSID clsid, LPCSTR pszName)
{
    if (*ppMember != NULL)
        return TRUE;
    CFilterNode* pNode = graph.AddFilter(clsid, pszName);
    *ppMember = dynamic_cast<T*>(pNode);
    if (*ppMember == NULL && pNode != NULL)
        graph.RemoveFilter(pNode);
    return *ppMember != NULL;
}
}  // namespace

void CTVHardWare::RemoveNode(CFilterNode** ppMember)
{
    if (*ppMember == NULL)
        return;
    CFilterNode* pNode = *ppMember;
    *ppMember = NULL;
    m_Graph.RemoveFilter(pNode);
}

BOOL CTVHardWare::AddAviWriterFilters()
{
    return AddOnce(m_Graph, &m_pAviMux, CLSID_AviDest, "AVI Mux") &&
           AddOnce(m_Graph, &m_pAviWriter, CLSID_FileWriter, "AVI Writer");
}

BOOL CTVHardWare::CreateAviCaptureFilters()
{
    if (!AddAviWriterFilters() || !AddOnce(m_Graph, &m_pInfTee, CLSID_InfTee, "Infinite Pin Tee Filter"))
        return FALSE;
    if (!HasAudioPin())
        return TRUE;
    if (!AddOnce(m_Graph, &m_pAudioSmartTeeFilter, CLSID_SmartTee, "Audio SmartTee"))
        return FALSE;
    AddOnce(m_Graph, &m_pDefaultSound, CLSID_DSoundRender, "Default DirectSound Device");
    return m_pDefaultSound != NULL;
}

BOOL CTVHardWare::ConfigureAviCapture()
{
    BOOL bFile = SetRecordWriterFile();
    BOOL bSize = SetCaptureVideoSize(m_CaptureSize.cx, m_CaptureSize.cy);
    BOOL bDeinterlace = m_pDeinterlaceFilter != NULL && m_pDeinterlaceFilter->EnableDeinterlace(FALSE);
    BOOL bQuality = ApplyDisplayQuality(DisplayQuality);
    return bFile && bSize && bDeinterlace && bQuality;
}

BOOL CTVHardWare::ConnectAviCaptureGraph()
{
    if (m_Graph.GetState() != CDShowGraph::STATE_STOPPED)
        m_Graph.DisconnectAll();
    if (!ConnectVideoChain())
        return FALSE;
    CPinWrapper* pSound = NULL;
    if (HasAudioPin())
    {
        if (!ConnectPins(m_pTVCardFilter, m_pAudioSmartTeeFilter, "Audio", "") ||
            !ConnectPins(m_pAudioSmartTeeFilter, m_pDefaultSound, "Preview", kSoundInput))
            return FALSE;
        pSound = m_pAudioSmartTeeFilter->FindPin("Capture");
    }
    else
    {
        if (m_pAudioCaptureFilter == NULL)
            return FALSE;
        pSound = m_pAudioCaptureFilter->FindPin("Capture");
    }
    if (!m_Graph.ConnectPins(pSound, FreeInput(m_pAviMux)) ||
        !ConnectPins(m_pDeinterlaceFilter, m_pInfTee, "Capture", "") ||
        !ConnectPins(m_pInfTee, m_pAviMux, "", "") || !ConnectPins(m_pAviMux, m_pAviWriter, "", ""))
    {
        NullTrace("Connect the AVI capture graph error!\n");
        return FALSE;
    }
    AttachVideoWindow();
    return TRUE;
}

BOOL CTVHardWare::CreateMpeg4Filters()
{
    if (m_VideoCompressorList.IsEmpty() || !CreateAviCaptureFilters())
        return FALSE;
    if (m_pXvidCompressor == NULL && !CreateXvidCompressor())
        return FALSE;
    if (m_pAudioCompressor != NULL || Mpeg4Audio.IsEmpty())
        return TRUE;
    // Without the audio compressor the sound is recorded as it comes.
    CreateAudioCompressor();
    return TRUE;
}

BOOL CTVHardWare::CreateXvidCompressor()
{
    m_pXvidCompressor = m_Graph.AddFilterByName(CLSID_VideoCompressorCategory, kXvidName, kXvidName, FALSE, 0);
    return m_pXvidCompressor != NULL;
}

BOOL CTVHardWare::CreateAudioCompressor()
{
    CFilterNode* pNode = m_Graph.AddFilterByName(CLSID_AudioCompressorCategory, Mpeg4Audio, Mpeg4Audio, FALSE, 0);
    if (pNode == NULL)
        return FALSE;
    RemoveNode(&m_pAudioCompressor);
    m_pAudioCompressor = pNode;
    return TRUE;
}

BOOL CTVHardWare::ConfigureMpeg4()
{
    BOOL bFile = SetRecordWriterFile();
    BOOL bLarge = Mpeg4RecordSize.cy > 288;
    BOOL bSize = bLarge ? SetCaptureVideoSize(Mpeg4RecordSize.cx, Mpeg4RecordSize.cy)
                        : SetCaptureVideoSize(Mpeg4RecordSize.cx * 2, Mpeg4RecordSize.cy * 2);
    BOOL bDeinterlace = m_pDeinterlaceFilter != NULL && m_pDeinterlaceFilter->EnableDeinterlace(!bLarge);
    BOOL bQuality = ApplyDisplayQuality(DisplayQuality);
    return bFile && bSize && bDeinterlace && bQuality;
}

BOOL CTVHardWare::RenderCompressedCapture()
{
    if (m_Graph.GetState() != CDShowGraph::STATE_STOPPED)
        m_Graph.DisconnectAll();
    CPinWrapper* pCapture = m_pTVCardFilter != NULL ? m_pTVCardFilter->GetPin("Capture") : NULL;
    if (m_pDeinterlaceFilter == NULL || !m_Graph.ConnectPins(pCapture, FreeInput(m_pDeinterlaceFilter)))
        return FALSE;
    BOOL bPreview = FALSE;
    if (UseOverlay && ConnectPins(m_pDeinterlaceFilter, m_pOverlayMixer, "Preview", ""))
        bPreview = ConnectPins(m_pOverlayMixer, m_pVideoRender, "", "");
    else
        bPreview = ConnectPins(m_pDeinterlaceFilter, m_pVideoRender, "Preview", "");
    if (!bPreview)
        return FALSE;
    DebugHelperTrace("Aft preview");
    if (!ConnectPins(m_pDeinterlaceFilter, m_pXvidCompressor, "Capture", "") ||
        !ConnectPins(m_pXvidCompressor, m_pAviMux, "", "") || !ConnectPins(m_pAviMux, m_pAviWriter, "", ""))
        return FALSE;
    DebugHelperTrace("Aft Compress");
    // The sound: from the card through the smart tee (which also plays it)
    // when the card has it, else from the sound card; through the chosen
    // audio compressor when there is one.
    CFilterNode* pSource = m_pAudioCaptureFilter;
    LPCSTR pszSourcePin = "Capture";
    if (HasAudioPin() && m_pAudioSmartTeeFilter != NULL)
    {
        if (!ConnectPins(m_pTVCardFilter, m_pAudioSmartTeeFilter, "Audio", "") ||
            !ConnectPins(m_pAudioSmartTeeFilter, m_pDefaultSound, "Preview", kSoundInput))
            return FALSE;
        pSource = m_pAudioSmartTeeFilter;
    }
    if (m_pAudioCompressor != NULL && ConnectPins(pSource, m_pAudioCompressor, pszSourcePin, ""))
    {
        pSource = m_pAudioCompressor;
        pszSourcePin = "";
    }
    if (!ConnectPins(pSource, m_pAviMux, pszSourcePin, ""))
        return FALSE;
    DebugHelperTrace("Aft Audio");
    AttachVideoWindow();
    return TRUE;
}

BOOL CTVHardWare::FinishMpeg4()
{
    if (m_pAviMux != NULL)
        m_pAviMux->Configure(1);
    return TRUE;
}

BOOL CTVHardWare::ReleaseAviFilters()
{
    CFilterNode* nodes[] = { m_pXvidCompressor, m_pAviMux, m_pAviWriter, m_pAudioCompressor };
    m_pXvidCompressor = NULL;
    m_pAviMux = NULL;
    m_pAviWriter = NULL;
    m_pAudioCompressor = NULL;
    for (CFilterNode*& pNode : nodes)
        RemoveNode(&pNode);
    return TRUE;
}

BOOL CTVHardWare::ShowXvidSettings(HWND hParent, BOOL bShow)
{
    if (m_pXvidCompressor == NULL && !CreateXvidCompressor())
        return FALSE;
    if (bShow && hParent != NULL)
        XD_ShowVCMDialog(hParent);
    RemoveNode(&m_pXvidCompressor);
    return FALSE;
}

// Radio.

BOOL CTVHardWare::ConnectPins(CFilterNode* pFrom, CFilterNode* pTo, LPCSTR pszOutPin, LPCSTR pszInPin)
{
    if (pFrom == NULL || pTo == NULL)
        return FALSE;
    return m_Graph.ConnectFilters(pFrom, pTo, pszOutPin, pszInPin);
}

BOOL CTVHardWare::AddRadioCompressor(CFilterNode** ppMember, LPCSTR pszName)
{
    if (!AddAviWriterFilters())
        return FALSE;
    if (*ppMember == NULL)
    {
        *ppMember = m_Graph.AddFilterByName(CLSID_AudioCompressorCategory, pszName, pszName, FALSE, 0);
        if (*ppMember == NULL)
            return FALSE;
    }
    AddOnce(m_Graph, &m_pAudioSmartTeeFilter, CLSID_SmartTee, "Audio SmartTee");
    return m_pAudioSmartTeeFilter != NULL;
}

BOOL CTVHardWare::CreatePcmAviFilters()
{
    return AddRadioCompressor(&m_pPcmCompressor, "PCM");
}

BOOL CTVHardWare::CreateAdpcmAviFilters()
{
    return AddRadioCompressor(&m_pAdpcmCompressor, "Microsoft ADPCM");
}

BOOL CTVHardWare::CreateCustomAudioFilters()
{
    m_strCustomCompressor.Trim();
    if (m_strCustomCompressor.IsEmpty())
        return FALSE;
    RemoveNode(&m_pCustomCompressor);
    return AddRadioCompressor(&m_pCustomCompressor, m_strCustomCompressor);
}

BOOL CTVHardWare::SetRecordWriterFile()
{
    return m_pAviWriter != NULL && m_pAviWriter->SetFileName(m_strRecordFile);
}

// The radio's sound to the target: from the card through the smart tee,
// which also plays it, or from the sound card when the card has no sound
// pin. Every connection is tried; FALSE when any fails.
BOOL CTVHardWare::ConnectRadioAudio(CFilterNode* pTarget)
{
    if (!HasAudioPin())
        return ConnectPins(m_pAudioCaptureFilter, pTarget, "", "");
    BOOL bIn = ConnectPins(m_pTVCardFilter, m_pAudioSmartTeeFilter, "Audio", "");
    BOOL bOut = ConnectPins(m_pAudioSmartTeeFilter, pTarget, "Capture", "");
    BOOL bPlay = ConnectPins(m_pAudioSmartTeeFilter, m_pDefaultSound, "Preview", "");
    return bIn && bOut && bPlay;
}

BOOL CTVHardWare::ConnectRadioCompressor(CFilterNode* pCompressor)
{
    BOOL bSound = ConnectRadioAudio(pCompressor);
    BOOL bMux = ConnectPins(pCompressor, m_pAviMux, "", "");
    BOOL bWriter = ConnectPins(m_pAviMux, m_pAviWriter, "", "");
    return bSound && bMux && bWriter;
}

BOOL CTVHardWare::ConnectPcmAudioGraph()
{
    return ConnectRadioCompressor(m_pPcmCompressor);
}

BOOL CTVHardWare::ConnectAdpcmAudioGraph()
{
    return ConnectRadioCompressor(m_pAdpcmCompressor);
}

BOOL CTVHardWare::ConnectCustomAudioGraph()
{
    return ConnectRadioCompressor(m_pCustomCompressor);
}

BOOL CTVHardWare::CreateMpegAudioFilters()
{
    // The encoder writes MPEG audio: the dump filter takes it to the file.
    return AddOnce(m_Graph, &m_pMCEncoderFilter, kMCEncoder, "MainConcept Demo MPEG Encoder") &&
           AddOnce(m_Graph, &m_pAudioSmartTeeFilter, CLSID_SmartTee, "Audio SmartTee") &&
           AddOnce(m_Graph, &m_pDumpFilter, kDump, "Veltrane Dump");
}

BOOL CTVHardWare::ConfigureMpegAudio()
{
    BOOL bFile = m_pDumpFilter != NULL && m_pDumpFilter->SetFileName(m_strRecordFile);
    // The sound card's format matters only when the sound comes from it.
    BOOL bFormat = HasAudioPin() || SetAudioCaptureFormat(4);
    return bFile && bFormat;
}

BOOL CTVHardWare::ConnectMpegAudioGraph()
{
    BOOL bSound = ConnectRadioAudio(m_pMCEncoderFilter);
    BOOL bDump = ConnectPins(m_pMCEncoderFilter, m_pDumpFilter, "", "");
    return bSound && bDump;
}

BOOL CTVHardWare::FinishMpegAudio()
{
    if (m_pMCEncoderFilter != NULL)
    {
        MpegPreset preset;
        CMCEncoderFilter::FillVCDPreset(&preset, !IsNTSC());
        m_pMCEncoderFilter->ApplyPreset(&preset);
    }
    return TRUE;
}
