#include "dshow/AcmWrapperFilter.h"
#include "dshow/AudioCaptureFilter.h"
#include "dshow/ColorConvertFilter.h"
#include "dshow/DeinterlaceFilter.h"
#include "dshow/DumpFilter.h"
#include "dshow/FileWriteFilter.h"
#include "dshow/FilterClass.h"
#include "dshow/IVAudioEncoder.h"
#include "dshow/IVDownScale.h"
#include "dshow/IVFileWriter.h"
#include "dshow/IVMultiplexer.h"
#include "dshow/IVStillCapture.h"
#include "dshow/IVTimeShiftFilter.h"
#include "dshow/IVVideoDecoder.h"
#include "dshow/IVVideoEncoder.h"
#include "dshow/InfTeeFilter.h"
#include "dshow/LigosCaptureEncoder.h"
#include "dshow/LigosTranscoder.h"
#include "dshow/MCAudioDecoder.h"
#include "dshow/MCAudioEncoder.h"
#include "dshow/MCEncoderFilter.h"
#include "dshow/MCH264Decoder.h"
#include "dshow/MCH264Encoder.h"
#include "dshow/MCMultiplexer.h"
#include "dshow/MCSplitter.h"
#include "dshow/MCVideoDecoder.h"
#include "dshow/MCVideoEncoder.h"
#include "dshow/Mpeg1SplitterFilter.h"
#include "dshow/Mpeg2DemuxFilter.h"
#include "dshow/Mpeg2SplitterFilter.h"
#include "dshow/Mpeg4Codecs.h"
#include "dshow/MuxFilter.h"
#include "dshow/OverlayMixerFilter.h"
#include "dshow/SampleGrabberFilter.h"
#include "dshow/TimeDelayFilter.h"
#include "dshow/TimeShiftFilter.h"
#include "hardware/devices/BlackBirdCapture.h"
#include "hardware/devices/BlackBirdCrossbar.h"
#include "hardware/devices/BlackBirdEncoder.h"
#include "hardware/devices/FilterClassTable.h"

#include <gtest/gtest.h>

#include <ks.h>
#include <uuids.h>

namespace {

const GUID kEncoderCategory = { 0x19689BF6, 0xC384, 0x48FD, { 0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B } };

CLSID ParseClsid(const wchar_t* psz)
{
    CLSID clsid = GUID_NULL;
    CLSIDFromString(const_cast<LPOLESTR>(psz), &clsid);
    return clsid;
}

class FilterClassTable : public ::testing::Test
{
protected:
    void SetUp() override { RegisterFilterClasses(); }
};

}  // namespace

TEST_F(FilterClassTable, EveryRowOnceAndTheDemultiplexerFirst)
{
    EXPECT_EQ(129, CFilterClass::GetCount());
    const CFilterClass* pDemux = CFilterClass::FindByClsid(CLSID_MPEG2Demultiplexer);
    EXPECT_EQ(CFilterClass::GetAt(0), pDemux);
    ASSERT_NE(nullptr, pDemux);
    EXPECT_EQ(&CreateFilterNodeOf<CMpeg2DemuxFilter>, pDemux->m_pfnCreate);
}

TEST_F(FilterClassTable, ANamedAudioDeviceComesBeforeTheCatchAll)
{
    const CFilterClass* pEmp = CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, "USB EMP Audio Device");
    const CFilterClass* pAny = CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, "Line In (Realtek)");
    ASSERT_NE(nullptr, pEmp);
    ASSERT_NE(nullptr, pAny);
    EXPECT_EQ(CFilterClass::GetAt(98), pEmp);
    EXPECT_EQ(CFilterClass::GetAt(125), pAny);
    EXPECT_STREQ("CLASS_FILTER", pAny->m_szName);
    EXPECT_EQ(&CreateFilterNodeOf<CAudioCaptureFilter>, pAny->m_pfnCreate);
    EXPECT_NE(pAny->m_pfnCreate, pEmp->m_pfnCreate);
}

TEST_F(FilterClassTable, TheBlackBirdDevicesBuildTheirClasses)
{
    struct Row
    {
        const GUID* pCategory;
        const char* name;
        int index;
        CFilterClass::PFN_CREATE pfnCreate;
    };
    const Row rows[] = {
        { &kEncoderCategory, "BlackBird MPEG Encoder", 44, &CBlackBirdEncoder::CreateInstance },
        { &AM_KSCATEGORY_CROSSBAR, "BlackBird Crossbar", 45, &CreateFilterNodeOf<CBlackBirdCrossbar> },
        { &CLSID_VideoInputDeviceCategory, "BlackBird Video Capture", 46, &CreateFilterNodeOf<CBlackBirdCapture> },
    };
    for (const Row& row : rows)
    {
        const CFilterClass* p = CFilterClass::FindByCategory(*row.pCategory, row.name);
        ASSERT_NE(nullptr, p) << row.name;
        EXPECT_EQ(CFilterClass::GetAt(row.index), p) << row.name;
        EXPECT_EQ(row.pfnCreate, p->m_pfnCreate) << row.name;
        // Found by name only, never by class identifier.
        EXPECT_EQ(nullptr, p->m_pClsid) << row.name;
    }
}

TEST_F(FilterClassTable, TheToolkitsWrappersAreBuiltByClassIdentifier)
{
    struct Row
    {
        const wchar_t* clsid;
        int index;
        CFilterClass::PFN_CREATE pfnCreate;
    };
    const Row rows[] = {
        { L"{C234F3EE-E66E-4519-8339-C99EFAD354E0}", 1, &CreateFilterNodeOf<CTimeShiftFilter> },
        { L"{6A08CF80-0E18-11CF-A24D-0020AFD79767}", 33, &CreateFilterNodeOf<CAcmWrapperFilter> },
        { L"{336475D0-942A-11CE-A870-00AA002FEAB5}", 49, &CreateFilterNodeOf<CMpeg1SplitterFilter> },
        { L"{113BAC79-BF89-4693-8B66-39212CA6568B}", 50, &CreateFilterNodeOf<CIVTimeShiftFilter> },
        { L"{0246CA20-776D-11D2-8010-00104B9B8592}", 53, &CreateFilterNodeOf<CIVVideoDecoder> },
        { L"{3AE86B20-7BE8-11D1-ABE6-00A0C905F375}", 54, &CreateFilterNodeOf<CMpeg2SplitterFilter> },
        { L"{32EDFAC2-2540-11D6-919F-00A0CCA0F7C6}", 55, &CreateFilterNodeOf<CColorConvertFilter> },
        { L"{F8388A40-D5BB-11D0-BE5A-0080C706568E}", 56, &CreateFilterNodeOf<CInfTeeFilter> },
        { L"{7C0D0350-71D5-4E7E-A77F-2059A2E5AF57}", 57, &CreateFilterNodeOf<CMCH264Encoder> },
        { L"{7C0D0340-71D5-4E7E-A77F-2059A2E5AF57}", 58, &CreateFilterNodeOf<CMCH264Decoder> },
        { L"{0410FD12-9320-48B2-9EC5-0FB976127A4B}", 61, &CreateFilterNodeOf<CTimeDelayFilter> },
        { L"{36A5F770-FE4C-11CE-A8ED-00AA002FEAB5}", 62, &CreateFilterNodeOf<CDumpFilter> },
        { L"{C1F400A0-3F08-11D3-9F0B-006008039E37}", 63, &CreateFilterNodeOf<CSampleGrabberFilter> },
        { L"{E2510970-F137-11CE-8B67-00AA00A3F1A6}", 68, &CreateFilterNodeOf<CMuxFilter> },
        { L"{8596E5F0-0DA5-11D0-BD21-00A0C911CE86}", 69, &CreateFilterNodeOf<CFileWriteFilter> },
        { L"{89E60B61-B893-4EEC-86E1-A231F0E15CC0}", 70, &CreateFilterNodeOf<CIVDownScale> },
        { L"{14DCDA2E-E2AC-498C-A6CF-B594332F9AB7}", 71, &CreateFilterNodeOf<CIVStillCapture> },
        { L"{31FDD5E8-68AD-4D29-A2A5-A4290C3721A1}", 72, &CreateFilterNodeOf<CIVMultiplexer> },
        { L"{A5258D74-8ED8-4606-8768-DC5360E5FC8E}", 73, &CreateFilterNodeOf<CIVFileWriter> },
        { L"{31864FE3-A10C-45AF-B723-E5E4905FB6A7}", 74, &CreateFilterNodeOf<CIVVideoEncoder> },
        { L"{55F19296-06C0-4A21-8DEF-597425440063}", 75, &CreateFilterNodeOf<CIVAudioEncoder> },
        { L"{CD8743A1-3736-11D0-9E69-00C04FD7C15B}", 76, &CreateFilterNodeOf<COverlayMixerFilter> },
        { L"{2BE4D160-6F2E-4B3A-B0BD-E880917238DC}", 77, &CreateFilterNodeOf<CMCVideoEncoder> },
        { L"{2BE4D140-6F2E-4B3A-B0BD-E880917238DC}", 78, &CreateFilterNodeOf<CMCVideoDecoder> },
        { L"{2BE4D120-6F2E-4B3A-B0BD-E880917238DC}", 79, &CreateFilterNodeOf<CMCSplitter> },
        { L"{2BE4D150-6F2E-4B3A-B0BD-E880917238DC}", 80, &CreateFilterNodeOf<CMCEncoderFilter> },
        { L"{2BE4D170-6F2E-4B3A-B0BD-E880917238DC}", 81, &CreateFilterNodeOf<CMCAudioEncoder> },
        { L"{2BE4D130-6F2E-4B3A-B0BD-E880917238DC}", 82, &CreateFilterNodeOf<CMCAudioDecoder> },
        { L"{2BE4D180-6F2E-4B3A-B0BD-E880917238DC}", 83, &CreateFilterNodeOf<CMCMultiplexer> },
        { L"{C5683497-12D5-4ED1-BF8D-E53B349B0981}", 85, &CreateFilterNodeOf<CDeinterlaceFilter> },
        { L"{FF12DF2D-9702-4438-9B45-F64D191DCE69}", 86, &CreateFilterNodeOf<CLigosTranscoder> },
        { L"{D3E07D43-E73C-4476-BE94-637C6753CF23}", 87, &CreateFilterNodeOf<CLigosCaptureEncoder> },
    };
    for (const Row& row : rows)
    {
        const CFilterClass* p = CFilterClass::FindByClsid(ParseClsid(row.clsid));
        ASSERT_NE(nullptr, p) << row.index;
        EXPECT_EQ(CFilterClass::GetAt(row.index), p) << row.index;
        EXPECT_EQ(row.pfnCreate, p->m_pfnCreate) << row.index;
    }
}

TEST_F(FilterClassTable, TheMpeg4CompressorsAreFoundByTheirDeviceNames)
{
    struct Row
    {
        const char* name;
        int index;
        CFilterClass::PFN_CREATE pfnCreate;
    };
    const Row rows[] = {
        { "Microsoft MPEG-4  VKI  Codec V3", 64, &CreateFilterNodeOf<CMpeg4CodecV3> },
        { "Microsoft MPEG-4  VKI  Codec V2", 65, &CreateFilterNodeOf<CMpeg4CodecV2> },
        { "Microsoft MPEG-4  VKI  Codec V1", 66, &CreateFilterNodeOf<CMpeg4CodecV1> },
    };
    for (const Row& row : rows)
    {
        const CFilterClass* p = CFilterClass::FindByCategory(CLSID_VideoCompressorCategory, row.name);
        ASSERT_NE(nullptr, p) << row.name;
        EXPECT_EQ(CFilterClass::GetAt(row.index), p) << row.name;
        EXPECT_EQ(row.pfnCreate, p->m_pfnCreate) << row.name;
    }
    // One space less around the codec's tag is another device.
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_VideoCompressorCategory, "Microsoft MPEG-4 VKI Codec V3"));
}
