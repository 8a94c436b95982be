#include "engine/TVHardWare.h"

#include "dshow/DeinterlaceFilter.h"
#include "dshow/DumpFilter.h"
#include "dshow/HALSwitchFilter.h"
#include "engine/RecordFilterIds.h"
#include "engine/RecordParam.h"
#include "foundation/Trace.h"
#include "hardware/devices/BlackBirdEncoder.h"
#include "hardware/devices/CaptureDevice.h"
#include "hardware/devices/CrossbarDevice.h"

#include <ks.h>
#include <ksmedia.h>

using namespace RecordFilterIds;

namespace
{
// Encoder property ids.
enum
{
    ENC_BITRATE = 0, ENC_CLOSE_GOP = 1, ENC_GOP_SIZE = 2, ENC_AUDIO_RATE = 4, ENC_AUDIO_CRC = 5,
    ENC_AUDIO_PUT = 6, ENC_AUDIO_DATA_RATE = 7, ENC_SIZE = 8, ENC_STREAM_KIND = 9
};
// Picture size codes of id 8.
enum { SIZE_720x480 = 0, SIZE_720x576 = 3, SIZE_352x240 = 6, SIZE_352x288 = 7 };

BOOL IsPalFamily(int nStandard)
{
    return nStandard >= AnalogVideo_PAL_B && nStandard <= AnalogVideo_PAL_60;
}

BOOL IsSecamFamily(int nStandard)
{
    return nStandard >= AnalogVideo_SECAM_B && nStandard <= AnalogVideo_SECAM_L1;
}
}  // namespace

void CTVHardWare::InitRecordModes()
{
    typedef CTVHardWare H;
    const CRecordMode tv[] = {
        { 0, &H::CreateAviCaptureFilters, &H::ConfigureAviCapture, &H::ConnectAviCaptureGraph, &H::FinishNothing },
        { 1, &H::CreateHardwareMpegFilters, &H::ConfigureEncoderPresetB, &H::ConnectHardwareMpeg, &H::FinishNothing },
        { 2, &H::CreateHardwareMpegFilters, &H::ConfigureEncoderPresetA, &H::ConnectHardwareMpeg, &H::FinishNothing },
        { 3, &H::CreateMpeg4Filters, &H::ConfigureMpeg4, &H::ConnectMpeg4, &H::FinishMpeg4 },
        { 4, &H::CreateHardwareMpegFilters, &H::ConfigureEncoderPresetC, &H::ConnectHardwareMpeg, &H::FinishNothing },
        { 6, &H::CreateHardwareMpegFilters, &H::ConfigureEncoderPresetD, &H::ConnectHardwareMpeg, &H::FinishNothing },
    };
    const CRecordMode radio[] = {
        { 0, &H::CreatePcmAviFilters, &H::SetRecordWriterFile, &H::ConnectPcmAudioGraph, &H::FinishNothing },
        { 1, &H::CreateAdpcmAviFilters, &H::SetRecordWriterFile, &H::ConnectAdpcmAudioGraph, &H::FinishNothing },
        { 2, &H::CreateMpegAudioFilters, &H::ConfigureMpegAudio, &H::ConnectMpegAudioGraph, &H::FinishMpegAudio },
        { 3, &H::CreateCustomAudioFilters, &H::SetRecordWriterFile, &H::ConnectCustomAudioGraph, &H::FinishNothing },
    };
    m_TVRecordModes.reserve(9);
    m_TVRecordModes.assign(tv, tv + sizeof(tv) / sizeof(tv[0]));
    m_FMRecordModes.reserve(5);
    m_FMRecordModes.assign(radio, radio + sizeof(radio) / sizeof(radio[0]));
}

// Runs the four steps of the mode of nFormat; a format without a mode of its
// own records with format 0 (AVI for TV, PCM for radio). FALSE at the first
// step that fails, or when there is no mode to run.
BOOL CTVHardWare::RunRecordModes(const std::vector<CRecordMode>& modes, int nFormat)
{
    const CRecordMode* pMode = NULL;
    for (int nWanted : { nFormat, 0 })
    {
        for (const CRecordMode& mode : modes)
        {
            if (pMode == NULL && mode.format == nWanted)
                pMode = &mode;
        }
    }
    if (pMode == NULL)
        return FALSE;
    return (this->*pMode->create)() && (this->*pMode->configure)() && (this->*pMode->connect)() &&
           (this->*pMode->finish)();
}

void CTVHardWare::DeleteEmptyRecordFile()
{
    if (m_strRecordFile.IsEmpty())
        return;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(m_strRecordFile, GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
        data.nFileSizeLow == 0)
        DeleteFileA(m_strRecordFile);
}

// TRUE when the record file can be written: its folder is there and nothing
// stands in its place. The writer opens the file only once the graph runs, and
// a graph whose writer cannot open it may still answer the run as begun, so
// the file is tried before the graph is touched. A file made by the try alone
// is taken away again.
BOOL CTVHardWare::CanWriteRecordFile() const
{
    if (m_strRecordFile.IsEmpty())
        return TRUE;
    HANDLE hFile = CreateFileA(m_strRecordFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    const BOOL bExisted = GetLastError() == ERROR_ALREADY_EXISTS;
    CloseHandle(hFile);
    if (!bExisted)
        DeleteFileA(m_strRecordFile);
    return TRUE;
}

// A start that failed leaves nothing behind: no graph half running and no
// file without data. A graph whose run failed may have started some of its
// filters while its state still reads stopped, so it is told to stop whatever
// state it reads.
void CTVHardWare::StopFailedStart()
{
    m_Graph.SetState(CDShowGraph::STATE_STOPPED);
    StopRecord();
    DeleteEmptyRecordFile();
}

BOOL CTVHardWare::StartRecord()
{
    if (m_nVideoSource == SOURCE_RADIO)
        return StartRadioRecord();
    if (m_bRecording)
        return StopRecord();
    if (!CanWriteRecordFile())
        return FALSE;
    m_Graph.Stop();
    m_Graph.DisconnectAll();
    AdjustVideoSize();
    BOOL bResult = RunRecordModes(m_TVRecordModes, RecordFormat);
    if (bResult)
    {
        ApplyOverlayMixerProperties();
        m_bRecording = TRUE;
        if (m_pCrossbarFilter != NULL)
            m_Graph.DisconnectFilter(m_pCrossbarFilter);
        bResult = m_Graph.Run();
        m_bRecordPaused = FALSE;
    }
    if (!bResult)
    {
        StopFailedStart();
        BuildPreviewGraph();
        return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::StartRadioRecord()
{
    if (m_bRecording)
        return StopRecord();
    if (!CanWriteRecordFile())
        return FALSE;
    m_Graph.DisconnectAll();
    BOOL bResult = RunRecordModes(m_FMRecordModes, FMRecordFormat);
    if (bResult)
    {
        ApplyOverlayMixerProperties();
        m_bRecording = TRUE;
        if (m_pCrossbarFilter != NULL)
            m_Graph.DisconnectFilter(m_pCrossbarFilter);
        SetVideoSource(SOURCE_RADIO, TRUE);
        // A graph that does not run records nothing: that is a failed start.
        bResult = m_Graph.Run();
        m_bRecordPaused = FALSE;
    }
    if (!bResult)
    {
        StopFailedStart();
        return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::StopRecord()
{
    BOOL bWasRecording = m_bRecording;
    m_bRecording = FALSE;
    m_bRecordPaused = FALSE;
    // Ending the stream at the encoder lets the filters behind it hand on
    // what they hold (the pause filter keeps the group of pictures being
    // built) before the graph stops.
    if (bWasRecording && m_pMpegEncoder != NULL)
        m_Graph.StopFromSource(m_pMpegEncoder);
    m_Graph.Stop();
    m_Graph.DisconnectAll();
    ReleaseAviFilters();
    m_Graph.DestroyGraph();
    ResetFilterPointers();
    if (!m_Graph.CreateGraph())
        return FALSE;
    if (m_nVideoSource != SOURCE_RADIO)
    {
        if (!BuildPreviewGraph())
            return FALSE;
        ApplyVideoProcAmp();
        ApplyOverlayMixerProperties();
        if (m_nVideoSource == SOURCE_TUNER)
        {
            ApplyVideoStandard(TVStandard);
            return TRUE;
        }
        AdjustVideoSize();
        SetVideoSize(m_CaptureSize);
        SetVideoSource(m_nVideoSource, TRUE);
        return TRUE;
    }
    if (!CreatePreviewFilter(TRUE))
        return FALSE;
    SetVideoSource(SOURCE_RADIO, TRUE);
    if (!HasAudioPin())
        return TRUE;
    if (!ConnectAudioSmartTee())
        return FALSE;
    m_Graph.Run();
    return TRUE;
}

BOOL CTVHardWare::PauseRecord(BOOL bPause)
{
    if (m_pHALSwitch == NULL)
    {
        // Only the hardware-MPEG graphs can pause; say so rather than
        // pretend the recording paused.
        return !bPause;
    }
    HRESULT hr = bPause ? m_pHALSwitch->PauseRecord() : m_pHALSwitch->ResumeRecord();
    if (FAILED(hr))
        return FALSE;
    m_bRecordPaused = bPause ? TRUE : FALSE;
    return TRUE;
}

BOOL CTVHardWare::IsRecordPaused(BOOL* pbPaused) const
{
    if (pbPaused != NULL)
        *pbPaused = m_bRecordPaused;
    return m_bRecordPaused;
}

BOOL CTVHardWare::AddMpegEncoder()
{
    if (m_pMpegEncoder == NULL)
        m_pMpegEncoder = dynamic_cast<CBlackBirdEncoder*>(m_Graph.AddFilterByName(
            kCategoryEncoder, "BlackBird MPEG Encoder", "BalckBird MPEG Encoder", FALSE, 0));
    return m_pMpegEncoder != NULL;
}

BOOL CTVHardWare::CreateHardwareMpegFilters()
{
    if (m_pPreDumpFilter == NULL && (m_pPreDumpFilter = m_Graph.AddFilter(kPreDump, "PreDump")) == NULL)
        return FALSE;
    if (m_pVideoRender == NULL && (m_pVideoRender = m_Graph.AddFilter(CLSID_VideoRenderer, "Render")) == NULL)
        return FALSE;
    if (m_pDeinterlaceFilter == NULL &&
        (m_pDeinterlaceFilter = dynamic_cast<CDeinterlaceFilter*>(
             m_Graph.AddFilter(kDeinterlace, "Veltrane Deinterlace"))) == NULL)
        return FALSE;
    if (m_pDumpFilter == NULL &&
        (m_pDumpFilter = dynamic_cast<CDumpFilter*>(m_Graph.AddFilter(kDump, "Veltrane Dump"))) == NULL)
        return FALSE;
    if (!AddMpegEncoder())
        return FALSE;
    if (m_pHALSwitch != NULL)
        return TRUE;
    m_pHALSwitch = dynamic_cast<CHALSwitchFilter*>(m_Graph.AddFilter(kHALSwitch, "HALSwitch"));
    if (m_pHALSwitch == NULL)
        return FALSE;
    m_pHALSwitch->SetCreateDeliverThread();
    return TRUE;
}

BOOL CTVHardWare::WriteEncoder(DWORD dwId, DWORD dwValue, DWORD cbData)
{
    if (m_pMpegEncoder == NULL)
        return FALSE;
    BYTE data[4];
    memcpy(data, &dwValue, sizeof(data));
    if (!m_pMpegEncoder->SetEncoderProperty(dwId, data, cbData))
    {
        NullTrace("Encoder refused property %lu\n", static_cast<unsigned long>(dwId));
        return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::WriteBitRate(DWORD dwMode, DWORD dwRate, DWORD dwPeak)
{
    if (m_pMpegEncoder == NULL)
        return FALSE;
    DWORD triple[3] = { dwMode, dwRate, dwPeak };
    if (!m_pMpegEncoder->SetEncoderProperty(ENC_BITRATE, triple, sizeof(triple)))
    {
        NullTrace("Encoder refused the bit rate\n");
        return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::WriteEncoderList(const EncoderWrite* pRows, size_t nRows)
{
    for (size_t i = 0; i < nRows; ++i)
    {
        if (!WriteEncoder(pRows[i].id, pRows[i].value, pRows[i].length))
            return FALSE;
    }
    return TRUE;
}

// Ids 9, 8, 6, 7, 5, 4, 2 and 1 in the order presets C and D write them.
BOOL CTVHardWare::WriteSmallPresetTail(DWORD dwKind, DWORD dwSizeCode, DWORD dwAudioDataRate)
{
    const EncoderWrite rows[] = {
        { ENC_STREAM_KIND, dwKind, 4 }, { ENC_SIZE, dwSizeCode, 4 }, { ENC_AUDIO_PUT, 0, 4 },
        { ENC_AUDIO_DATA_RATE, dwAudioDataRate, 4 }, { ENC_AUDIO_CRC, 1, 4 }, { ENC_AUDIO_RATE, 11, 1 },
        { ENC_GOP_SIZE, 15, 1 }, { ENC_CLOSE_GOP, 0, 4 },
    };
    return WriteEncoderList(rows, sizeof(rows) / sizeof(rows[0]));
}

// Names the file and sets the deinterlacer for recording.
BOOL CTVHardWare::EncoderPresetHead()
{
    if (m_pDumpFilter == NULL)
        return FALSE;
    BOOL bResult = m_pDumpFilter->SetFileName(m_strRecordFile);
    if (m_pDeinterlaceFilter != NULL)
    {
        m_pDeinterlaceFilter->EnableDeinterlace(FALSE);
        m_pDeinterlaceFilter->SetHalfRate(FALSE);
        m_pDeinterlaceFilter->SetHighQuality(TRUE);
    }
    return bResult;
}

BOOL CTVHardWare::ConfigureEncoderPresetB()
{
    // NTSC_M_J and NTSC_433 are 525-line standards as well: they take the
    // 240-line picture like NTSC_M.
    BOOL bNTSC = IsNTSC();
    if (!EncoderPresetHead() || !SetCaptureVideoSize(352, bNTSC ? 240 : 288))
        return FALSE;
    const EncoderWrite rows[] = {
        { ENC_STREAM_KIND, 2, 4 }, { ENC_SIZE, DWORD(bNTSC ? SIZE_352x240 : SIZE_352x288), 4 },
        { ENC_AUDIO_PUT, 0, 4 }, { ENC_AUDIO_CRC, 1, 4 }, { ENC_AUDIO_RATE, 11, 1 }, { ENC_GOP_SIZE, 6, 1 },
        { ENC_CLOSE_GOP, 0, 4 }, { ENC_AUDIO_DATA_RATE, 0, 4 },
    };
    return WriteEncoderList(rows, sizeof(rows) / sizeof(rows[0])) && WriteBitRate(0, 2000000, 7000000);
}

BOOL CTVHardWare::ConfigureEncoderPresetA()
{
    if (!m_bTimeShiftStart)
    {
        if (!EncoderPresetHead())
            return FALSE;
    }
    BOOL bNTSC = IsNTSC();
    if (!SetCaptureVideoSize(720, bNTSC ? 480 : 576))
        return FALSE;
    // The fixed values first and the user's record parameters last, so the
    // user's choices are what the encoder records with.
    const EncoderWrite rows[] = {
        { ENC_STREAM_KIND, 10, 4 }, { ENC_AUDIO_PUT, 0, 4 }, { ENC_AUDIO_CRC, 1, 4 }, { ENC_AUDIO_RATE, 11, 1 },
        { ENC_GOP_SIZE, 15, 1 }, { ENC_CLOSE_GOP, 0, 4 }, { ENC_AUDIO_DATA_RATE, 0, 4 },
    };
    return WriteEncoderList(rows, sizeof(rows) / sizeof(rows[0])) && WriteBitRate(0, 4500000, 9800000) &&
           ApplyRecordParam();
}

BOOL CTVHardWare::ConfigureEncoderPresetC()
{
    if (!EncoderPresetHead())
        return FALSE;
    m_Graph.Stop();
    m_Graph.DisconnectAll();
    BOOL bNTSC = IsNTSC();
    if (m_pTVCardFilter != NULL)
    {
        if (m_nVideoSource == SOURCE_COMPOSITE || m_nVideoSource == SOURCE_SVIDEO)
            m_pTVCardFilter->SetVideoStandard(TVStandard);
        VideoFormatRecord record;
        if (FAILED(m_pTVCardFilter->GetVideoFormat(&record, CCaptureDevice::PIN_SELECT_CAPTURE)))
        {
            memset(&record, 0, sizeof(record));
            record.nFormatCode = 2;
            record.info.AvgTimePerFrame = 10000000 / (bNTSC ? 30 : 25);
            m_pTVCardFilter->SetVideoFormat(record, CCaptureDevice::PIN_SELECT_CAPTURE);
        }
    }
    if (!SetCaptureVideoSize(352, bNTSC ? 240 : 288))
        return FALSE;
    return WriteSmallPresetTail(11, bNTSC ? SIZE_352x240 : SIZE_352x288, 0) && WriteBitRate(1, 4000000, 6000000);
}

BOOL CTVHardWare::ConfigureEncoderPresetD()
{
    BOOL bNTSC = IsNTSC();
    if (!EncoderPresetHead() || !SetCaptureVideoSize(720, bNTSC ? 480 : 576))
        return FALSE;
    return WriteSmallPresetTail(10, bNTSC ? SIZE_720x480 : SIZE_720x576, 1) && WriteBitRate(0, 4500000, 9800000);
}

BOOL CTVHardWare::ApplyRecordParam()
{
    if (m_pRecordParam == NULL)
        return FALSE;
    m_pRecordParam->SelectFormat(RecordFormat);
    const CRecordParamBlock& p = *m_pRecordParam->GetActive();
    BOOL bMpeg1 = m_pRecordParam->GetActive() == &m_pRecordParam->m_Mpeg1;
    int nStandard = GetVideoStandard();
    DWORD dwSizeCode = SIZE_720x480;
    CSize size(0, 0);
    BOOL bSmall = p.VideoSize == 0;
    if (p.VideoSize == 0 || p.VideoSize == 1)
    {
        if (IsNTSC())
        {
            dwSizeCode = bSmall ? SIZE_352x240 : SIZE_720x480;
            size = bSmall ? CSize(352, 240) : CSize(720, 480);
        }
        else if (IsPalFamily(nStandard) || IsSecamFamily(nStandard))
        {
            // SECAM has PAL's 625 lines and takes PAL's picture sizes.
            dwSizeCode = bSmall ? SIZE_352x288 : SIZE_720x576;
            size = bSmall ? CSize(352, 288) : CSize(720, 576);
        }
    }
    if (!SetCaptureVideoSize(size.cx, size.cy))
        return FALSE;
    DWORD dwAudioPut = (p.AudioPut >= 1 && p.AudioPut <= 3) ? p.AudioPut : 0;
    DWORD dwDataRate = (p.AudioDataRate >= 0 && p.AudioDataRate <= 2) ? p.AudioDataRate : 0;
    DWORD dwRate;
    if (p.VideoRate == 0)
        dwRate = 1000000;
    else if (p.VideoRate == 1)
        dwRate = 1500000;
    else if (p.VideoRate >= 2 && p.VideoRate <= 12)
        dwRate = p.VideoRate * 1000000;
    else
        dwRate = bMpeg1 ? 2000000 : 4000000;
    return WriteEncoder(ENC_SIZE, dwSizeCode, 4) && WriteEncoder(ENC_AUDIO_PUT, dwAudioPut, 4) &&
           WriteEncoder(ENC_AUDIO_CRC, p.AudioCrc != 0 ? 1 : 0, 4) &&
           WriteEncoder(ENC_AUDIO_RATE, p.AudioRate & 0xFF, 1) && WriteEncoder(ENC_GOP_SIZE, p.GOPSIZE & 0xFF, 1) &&
           WriteEncoder(ENC_CLOSE_GOP, p.CloseGop, 4) && WriteEncoder(ENC_AUDIO_DATA_RATE, dwDataRate, 4) &&
           (p.VideoEncode != 0 ? WriteBitRate(1, dwRate, 5000000) : WriteBitRate(0, dwRate, p.VideoVBR * 1000000));
}

BOOL CTVHardWare::ConnectHardwareMpeg()
{
    m_Graph.DisconnectAll();
    if (!ConnectVideoChain())
        return FALSE;
    CPinWrapper* p656 = m_pTVCardFilter != NULL ? m_pTVCardFilter->FindPin("656") : NULL;
    CPinWrapper* pI2S = m_pTVCardFilter != NULL ? m_pTVCardFilter->FindPin("I2S") : NULL;
    if (m_pMpegEncoder == NULL || !m_Graph.ConnectPins(p656, m_pMpegEncoder->FindPin("656")) ||
        !m_Graph.ConnectPins(pI2S, m_pMpegEncoder->FindPin("I2S")) ||
        !m_Graph.ConnectPins(FreeOutput(m_pMpegEncoder), FreeInput(m_pHALSwitch)) ||
        !m_Graph.ConnectPins(FreeOutput(m_pHALSwitch), FreeInput(m_pPreDumpFilter)) ||
        !m_Graph.ConnectPins(FreeOutput(m_pPreDumpFilter), FreeInput(m_pDumpFilter)))
    {
        NullTrace("Connect the hardware MPEG chain error!\n");
        return FALSE;
    }
    AttachVideoWindow();
    return TRUE;
}
