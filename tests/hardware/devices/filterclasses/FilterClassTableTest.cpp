#include "dshow/AudioCaptureFilter.h"
#include "dshow/FilterClass.h"
#include "dshow/Mpeg2DemuxFilter.h"
#include "hardware/devices/BlackBirdCapture.h"
#include "hardware/devices/BlackBirdCrossbar.h"
#include "hardware/devices/BlackBirdEncoder.h"
#include "hardware/devices/FilterClassTable.h"

#include <gtest/gtest.h>

#include <ks.h>
#include <uuids.h>

namespace {

const GUID kEncoderCategory = { 0x19689BF6, 0xC384, 0x48FD, { 0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B } };

int IndexOf(const CFilterClass* pClass)
{
    for (int i = 0; i < CFilterClass::GetCount(); ++i)
    {
        if (CFilterClass::GetAt(i) == pClass)
            return i;
    }
    return -1;
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
    EXPECT_EQ(0, IndexOf(pDemux));
    ASSERT_NE(nullptr, pDemux);
    EXPECT_EQ(&CreateFilterNodeOf<CMpeg2DemuxFilter>, pDemux->m_pfnCreate);
}

TEST_F(FilterClassTable, ANamedAudioDeviceComesBeforeTheCatchAll)
{
    const CFilterClass* pEmp = CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, "USB EMP Audio Device");
    const CFilterClass* pAny = CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, "Line In (Realtek)");
    ASSERT_NE(nullptr, pEmp);
    ASSERT_NE(nullptr, pAny);
    EXPECT_EQ(98, IndexOf(pEmp));
    EXPECT_EQ(125, IndexOf(pAny));
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
        EXPECT_EQ(row.index, IndexOf(p)) << row.name;
        EXPECT_EQ(row.pfnCreate, p->m_pfnCreate) << row.name;
        // Found by name only, never by class identifier.
        EXPECT_EQ(nullptr, p->m_pClsid) << row.name;
    }
}
