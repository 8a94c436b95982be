#include "dshow/AudioCaptureFilter.h"
#include "dshow/DeinterlaceFilter.h"
#include "dshow/DumpFilter.h"
#include "dshow/FileWriteFilter.h"
#include "dshow/FilterClass.h"
#include "dshow/MCAudioDecoder.h"
#include "dshow/MCEncoderFilter.h"
#include "dshow/MCVideoDecoder.h"
#include "dshow/Mpeg2DemuxFilter.h"
#include "dshow/MuxFilter.h"
#include "dshow/OverlayMixerFilter.h"
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
        { L"{36A5F770-FE4C-11CE-A8ED-00AA002FEAB5}", 62, &CreateFilterNodeOf<CDumpFilter> },
        { L"{E2510970-F137-11CE-8B67-00AA00A3F1A6}", 68, &CreateFilterNodeOf<CMuxFilter> },
        { L"{8596E5F0-0DA5-11D0-BD21-00A0C911CE86}", 69, &CreateFilterNodeOf<CFileWriteFilter> },
        { L"{CD8743A1-3736-11D0-9E69-00C04FD7C15B}", 76, &CreateFilterNodeOf<COverlayMixerFilter> },
        { L"{2BE4D140-6F2E-4B3A-B0BD-E880917238DC}", 78, &CreateFilterNodeOf<CMCVideoDecoder> },
        { L"{2BE4D150-6F2E-4B3A-B0BD-E880917238DC}", 80, &CreateFilterNodeOf<CMCEncoderFilter> },
        { L"{2BE4D130-6F2E-4B3A-B0BD-E880917238DC}", 82, &CreateFilterNodeOf<CMCAudioDecoder> },
        { L"{C5683497-12D5-4ED1-BF8D-E53B349B0981}", 85, &CreateFilterNodeOf<CDeinterlaceFilter> },
    };
    for (const Row& row : rows)
    {
        const CFilterClass* p = CFilterClass::FindByClsid(ParseClsid(row.clsid));
        ASSERT_NE(nullptr, p) << row.index;
        EXPECT_EQ(CFilterClass::GetAt(row.index), p) << row.index;
        EXPECT_EQ(row.pfnCreate, p->m_pfnCreate) << row.index;
    }
}
