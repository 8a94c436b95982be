#include "dshow/FilterClass.h"
#include "dshow/FilterNode.h"
#include "tests/dshow/DShowTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ks.h>
#include <qedit.h>
#include <string>
#include <uuids.h>

namespace {

enum class Key { Clsid, VideoInput, AudioInput, VideoCompressor, Crossbar, TvAudio, Encoder };

struct ExpectedRow
{
    int number;
    const char* name;
    Key key;
    const char* clsid;
};

// The registry's rows in the order lookups test them.
const ExpectedRow kRows[] = {
    { 1, "MPEG-2 Demultiplexer", Key::Clsid, "{AFB6C280-2C41-11D3-8A60-0000F81E0E4A}" },
    { 2, "TimeShift", Key::Clsid, "{C234F3EE-E66E-4519-8339-C99EFAD354E0}" },
    { 3, "713x BDA Analog Xbar", Key::Crossbar, nullptr },
    { 4, "713x BDA Analog Capture", Key::VideoInput, nullptr },
    { 5, "713x_4 TV Card Crossbar", Key::Crossbar, nullptr },
    { 6, "713x_4 TV Card Capture", Key::VideoInput, nullptr },
    { 7, "713x_D TV Card Crossbar", Key::Crossbar, nullptr },
    { 8, "713x_D TV Card Capture", Key::VideoInput, nullptr },
    { 9, "Trident Pemrok TvAudio", Key::TvAudio, nullptr },
    { 10, "Trident Pemrok Crossbar", Key::Crossbar, nullptr },
    { 11, "Trident Pemrok Capture", Key::VideoInput, nullptr },
    { 12, "DVBC TS Capture", Key::VideoInput, nullptr },
    { 13, "Conexant Raptor Encoder", Key::Encoder, nullptr },
    { 14, "Conexant Raptor Video Capture", Key::VideoInput, nullptr },
    { 15, "Conexant Raptor Crossbar", Key::Crossbar, nullptr },
    { 16, "Tavesh Crossbar", Key::Crossbar, nullptr },
    { 17, "Tavesh Capture", Key::VideoInput, nullptr },
    { 18, "Seldrin Crossbar", Key::Crossbar, nullptr },
    { 19, "Seldrin Capture", Key::VideoInput, nullptr },
    { 20, "Veltrane PX63 Crossbar", Key::Crossbar, nullptr },
    { 21, "Veltrane PX63 Device", Key::VideoInput, nullptr },
    { 22, "QM42 Crossbar", Key::Crossbar, nullptr },
    { 23, "QM42 Video Capture", Key::VideoInput, nullptr },
    { 24, "QM41 Crossbar", Key::Crossbar, nullptr },
    { 25, "QM41 Video Capture", Key::VideoInput, nullptr },
    { 26, "2388x Crossbar", Key::Crossbar, nullptr },
    { 27, "2388x Video Capture", Key::VideoInput, nullptr },
    { 28, "Hadlex Crossbar", Key::Crossbar, nullptr },
    { 29, "Hadlex Capture Card", Key::VideoInput, nullptr },
    { 30, "Lorvane Crossbar", Key::Crossbar, nullptr },
    { 31, "Lorvane Capture", Key::VideoInput, nullptr },
    { 32, "USB 2881 Crossbar", Key::Crossbar, nullptr },
    { 33, "USB 2881 Video", Key::VideoInput, nullptr },
    { 34, "ACM Wrapper", Key::Clsid, "{6A08CF80-0E18-11CF-A24D-0020AFD79767}" },
    { 35, "Morvik CrossBar", Key::Crossbar, nullptr },
    { 36, "Morvik A/V Capture", Key::VideoInput, nullptr },
    { 37, "Trident USB TvAudio", Key::TvAudio, nullptr },
    { 38, "Trident USB Crossbar", Key::Crossbar, nullptr },
    { 39, "Trident USB Capture", Key::VideoInput, nullptr },
    { 40, "TridVid Crossbar", Key::Crossbar, nullptr },
    { 41, "TridVid Capture", Key::VideoInput, nullptr },
    { 42, "Veltrane QM57 Crossbar", Key::Crossbar, nullptr },
    { 43, "Veltrane QM57 Audio Decoder", Key::TvAudio, nullptr },
    { 44, "Veltrane QM57 Audio/Video Capture", Key::VideoInput, nullptr },
    { 45, "BlackBird MPEG Encoder", Key::Encoder, nullptr },
    { 46, "BlackBird Crossbar", Key::Crossbar, nullptr },
    { 47, "BlackBird Video Capture", Key::VideoInput, nullptr },
    { 48, "713x_3 TV Card TV Audio (Proteus)", Key::TvAudio, nullptr },
    { 49, "713x TV Card TV Audio (Proteus)", Key::TvAudio, nullptr },
    { 50, "Mpeg1 Splitter", Key::Clsid, "{336475D0-942A-11CE-A870-00AA002FEAB5}" },
    { 51, "InterVideo Time Shift Filter for Veltrane", Key::Clsid, "{113BAC79-BF89-4693-8B66-39212CA6568B}" },
    { 52, "Quenby Lantor TV Crossbar", Key::Crossbar, nullptr },
    { 53, "Quenby Lantor TV Capture", Key::VideoInput, nullptr },
    { 54, "InterVideo Video Decoder", Key::Clsid, "{0246CA20-776D-11D2-8010-00104B9B8592}" },
    { 55, "Mpeg2 Splitter", Key::Clsid, "{3AE86B20-7BE8-11D1-ABE6-00A0C905F375}" },
    { 56, "Color Convert", Key::Clsid, "{32EDFAC2-2540-11D6-919F-00A0CCA0F7C6}" },
    { 57, "Infinite Pin Tee Filter", Key::Clsid, "{F8388A40-D5BB-11D0-BE5A-0080C706568E}" },
    { 58, "MainConcept Demo H.264 Encoder", Key::Clsid, "{7C0D0350-71D5-4E7E-A77F-2059A2E5AF57}" },
    { 59, "MainConcept H.264 Video Decoder", Key::Clsid, "{7C0D0340-71D5-4E7E-A77F-2059A2E5AF57}" },
    { 60, "Veltrane MPEG-2 Box Crossbar", Key::Crossbar, nullptr },
    { 61, "Veltrane MPEG-2 Box", Key::VideoInput, nullptr },
    { 62, "Time Delay", Key::Clsid, "{0410FD12-9320-48B2-9EC5-0FB976127A4B}" },
    { 63, "Dump", Key::Clsid, "{36A5F770-FE4C-11CE-A8ED-00AA002FEAB5}" },
    { 64, "SampleGrabber", Key::Clsid, "{C1F400A0-3F08-11D3-9F0B-006008039E37}" },
    { 65, "Microsoft MPEG-4  VKI  Codec V3", Key::VideoCompressor, nullptr },
    { 66, "Microsoft MPEG-4  VKI  Codec V2", Key::VideoCompressor, nullptr },
    { 67, "Microsoft MPEG-4  VKI  Codec V1", Key::VideoCompressor, nullptr },
    { 68, "Veltrane Corvath", Key::Clsid, "{15D81FE9-49E4-436B-A52E-7274E3EB4140}" },
    { 69, "Microsoft Mux Filter", Key::Clsid, "{E2510970-F137-11CE-8B67-00AA00A3F1A6}" },
    { 70, "File Write Filter", Key::Clsid, "{8596E5F0-0DA5-11D0-BD21-00A0C911CE86}" },
    { 71, "InterVideo Down Scale Filter for Veltrane", Key::Clsid, "{89E60B61-B893-4EEC-86E1-A231F0E15CC0}" },
    { 72, "InterVideo Still Capture for Veltrane", Key::Clsid, "{14DCDA2E-E2AC-498C-A6CF-B594332F9AB7}" },
    { 73, "InterVideo Multiplexer for Veltrane", Key::Clsid, "{31FDD5E8-68AD-4D29-A2A5-A4290C3721A1}" },
    { 74, "InterVideo File Writer for Veltrane", Key::Clsid, "{A5258D74-8ED8-4606-8768-DC5360E5FC8E}" },
    { 75, "InterVideo Video Encoder for Veltrane", Key::Clsid, "{31864FE3-A10C-45AF-B723-E5E4905FB6A7}" },
    { 76, "InterVideo Audio Encoder for Veltrane", Key::Clsid, "{55F19296-06C0-4A21-8DEF-597425440063}" },
    { 77, "Overlay Mixer", Key::Clsid, "{CD8743A1-3736-11D0-9E69-00C04FD7C15B}" },
    { 78, "MainConcept Demo MPEG Video Encoder", Key::Clsid, "{2BE4D160-6F2E-4B3A-B0BD-E880917238DC}" },
    { 79, "MainConcept Demo MPEG Video Decoder", Key::Clsid, "{2BE4D140-6F2E-4B3A-B0BD-E880917238DC}" },
    { 80, "MainConcept Demo MPEG Splitter", Key::Clsid, "{2BE4D120-6F2E-4B3A-B0BD-E880917238DC}" },
    { 81, "MainConcept Demo MPEG Encoder", Key::Clsid, "{2BE4D150-6F2E-4B3A-B0BD-E880917238DC}" },
    { 82, "MainConcept Demo MPEG Audio Encoder", Key::Clsid, "{2BE4D170-6F2E-4B3A-B0BD-E880917238DC}" },
    { 83, "MainConcept Demo MPEG Audio Decoder", Key::Clsid, "{2BE4D130-6F2E-4B3A-B0BD-E880917238DC}" },
    { 84, "MainConcept Demo MPEG Multiplexer", Key::Clsid, "{2BE4D180-6F2E-4B3A-B0BD-E880917238DC}" },
    { 85, "Veltrane Snap Picture Filter", Key::Clsid, "{CCEE5929-126A-4AF0-8535-8FA02225C4A6}" },
    { 86, "Veltrane Deinterlace Filter", Key::Clsid, "{C5683497-12D5-4ED1-BF8D-E53B349B0981}" },
    { 87, "Ligos GoMotion.MPG SDK Transcode Sample", Key::Clsid, "{FF12DF2D-9702-4438-9B45-F64D191DCE69}" },
    { 88, "Ligos GoMotion Capture Encoder Filter (Veltrane)", Key::Clsid, "{D3E07D43-E73C-4476-BE94-637C6753CF23}" },
    { 89, "Vandrel 630 TV Crossbar", Key::Crossbar, nullptr },
    { 90, "Vandrel 630 TV Capture", Key::VideoInput, nullptr },
    { 91, "Sanvory Crossbar", Key::Crossbar, nullptr },
    { 92, "Sanvory Capture", Key::VideoInput, nullptr },
    { 93, "Ketrim Crossbar", Key::Crossbar, nullptr },
    { 94, "Ketrim Capture", Key::VideoInput, nullptr },
    { 95, "TV AV Capture Crossbar", Key::Crossbar, nullptr },
    { 96, "TV AV Capture", Key::VideoInput, nullptr },
    { 97, "Usb_Cam_Capture", Key::VideoInput, nullptr },
    { 98, "Microsoft DV Camera and VCR", Key::VideoInput, nullptr },
    { 99, "USB EMP Audio Device", Key::AudioInput, nullptr },
    { 100, "USB 2821 Crossbar", Key::Crossbar, nullptr },
    { 101, "USB 2821 Video", Key::VideoInput, nullptr },
    { 102, "USB 2820 Crossbar", Key::Crossbar, nullptr },
    { 103, "USB 2820 Video", Key::VideoInput, nullptr },
    { 104, "Veltrane Kestane Crossbar", Key::Crossbar, nullptr },
    { 105, "Veltrane Kestane Video", Key::VideoInput, nullptr },
    { 106, "USB 2800 Crossbar", Key::Crossbar, nullptr },
    { 107, "USB 2800 Video", Key::VideoInput, nullptr },
    { 108, "Veltrane Mireval Crossbar", Key::Crossbar, nullptr },
    { 109, "Veltrane Mireval Capture", Key::VideoInput, nullptr },
    { 110, "Conexant 2388x_3 Crossbar", Key::Crossbar, nullptr },
    { 111, "Conexant 2388x_3 Video Capture", Key::VideoInput, nullptr },
    { 112, "Conexant 2388x_1 Crossbar", Key::Crossbar, nullptr },
    { 113, "Conexant 2388x_1 Video Capture", Key::VideoInput, nullptr },
    { 114, "Conexant 2388x Crossbar", Key::Crossbar, nullptr },
    { 115, "Conexant 2388x Video Capture", Key::VideoInput, nullptr },
    { 116, "713x_Genius TV Card Crossbar", Key::Crossbar, nullptr },
    { 117, "713x_Genius TV Card Capture", Key::VideoInput, nullptr },
    { 118, "713x_PIP TV Card Crossbar", Key::Crossbar, nullptr },
    { 119, "713x_PIP TV Card Capture", Key::VideoInput, nullptr },
    { 120, "713x_3 TV Card Crossbar", Key::Crossbar, nullptr },
    { 121, "713x_3 TV Card Capture", Key::VideoInput, nullptr },
    { 122, "713x_IO TV Card Crossbar", Key::Crossbar, nullptr },
    { 123, "713x_IO TV Card Capture", Key::VideoInput, nullptr },
    { 124, "713x TV Card Crossbar", Key::Crossbar, nullptr },
    { 125, "713x TV Card Capture", Key::VideoInput, nullptr },
    { 126, "CLASS_FILTER", Key::AudioInput, nullptr },
    { 127, "Veltrane HAL Switch", Key::Clsid, "{52A2955B-5B8A-4205-AF51-494BEC925901}" },
    { 128, "Direct Sound Filter", Key::Clsid, "{79376820-07D0-11CF-A24D-0020AFD79767}" },
    { 129, "Audio Render", Key::Clsid, "{E30629D1-27E5-11CE-875D-00608CB78066}" },
};

const GUID kEncoderCategory = { 0x19689BF6, 0xC384, 0x48FD, { 0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B } };

const GUID& CategoryOf(Key key)
{
    switch (key)
    {
    case Key::VideoInput: return CLSID_VideoInputDeviceCategory;
    case Key::AudioInput: return CLSID_AudioInputDeviceCategory;
    case Key::VideoCompressor: return CLSID_VideoCompressorCategory;
    case Key::Crossbar: return AM_KSCATEGORY_CROSSBAR;
    case Key::TvAudio: return AM_KSCATEGORY_TVAUDIO;
    case Key::Encoder: return kEncoderCategory;
    default: return GUID_NULL;
    }
}

CLSID ParseClsid(const char* psz)
{
    WCHAR wsz[64];
    MultiByteToWideChar(CP_ACP, 0, psz, -1, wsz, 64);
    CLSID clsid = GUID_NULL;
    CLSIDFromString(wsz, &clsid);
    return clsid;
}

int IndexOf(const CFilterClass* pClass)
{
    for (int i = 0; i < CFilterClass::GetCount(); ++i)
    {
        if (CFilterClass::GetAt(i) == pClass)
            return i;
    }
    return -1;
}

// Records which constructor the factory used.
class ProbeNode : public CFilterNode
{
public:
    ProbeNode(CDShowGraph* pGraph, REFCLSID clsid)
        : CFilterNode(pGraph, clsid), m_bByDevice(FALSE), m_bExclude(FALSE)
    {
    }
    ProbeNode(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
        : CFilterNode(pGraph, pCategory, pszName, bExclude), m_bByDevice(TRUE), m_bExclude(bExclude)
    {
        m_strWanted = pszName;
    }
    BOOL m_bByDevice;
    BOOL m_bExclude;
    std::string m_strWanted;
};

class ClsidOnlyNode : public CFilterNode
{
public:
    ClsidOnlyNode(CDShowGraph* pGraph, REFCLSID clsid) : CFilterNode(pGraph, clsid) {}
};

}  // namespace

TEST(FilterClass, TheTableInLookupOrder)
{
    const int nRows = static_cast<int>(sizeof(kRows) / sizeof(kRows[0]));
    ASSERT_EQ(129, nRows);
    ASSERT_EQ(nRows, CFilterClass::GetCount());
    for (int i = 0; i < nRows; ++i)
    {
        const CFilterClass* pClass = CFilterClass::GetAt(i);
        const ExpectedRow& row = kRows[i];
        ASSERT_NE(nullptr, pClass);
        EXPECT_STREQ(row.name, pClass->m_szName) << "row " << row.number;
        EXPECT_NE(nullptr, pClass->m_pfnCreate) << "row " << row.number;
        if (row.key == Key::Clsid)
        {
            ASSERT_NE(nullptr, pClass->m_pClsid) << "row " << row.number;
            EXPECT_EQ(nullptr, pClass->m_pCategory) << "row " << row.number;
            EXPECT_TRUE(IsEqualCLSID(ParseClsid(row.clsid), *pClass->m_pClsid)) << "row " << row.number;
        }
        else
        {
            EXPECT_EQ(nullptr, pClass->m_pClsid) << "row " << row.number;
            ASSERT_NE(nullptr, pClass->m_pCategory) << "row " << row.number;
            EXPECT_TRUE(IsEqualGUID(CategoryOf(row.key), *pClass->m_pCategory)) << "row " << row.number;
        }
    }
    EXPECT_EQ(nullptr, CFilterClass::GetAt(nRows));
    EXPECT_EQ(nullptr, CFilterClass::GetAt(-1));
}

TEST(FilterClass, RowCountsByKey)
{
    int nClsid = 0, nVideoIn = 0, nCrossbar = 0, nTvAudio = 0, nVideoComp = 0, nAudioIn = 0, nEncoder = 0;
    for (int i = 0; i < CFilterClass::GetCount(); ++i)
    {
        const CFilterClass* p = CFilterClass::GetAt(i);
        if (p->m_pClsid != nullptr)
            ++nClsid;
        else if (IsEqualGUID(*p->m_pCategory, CLSID_VideoInputDeviceCategory))
            ++nVideoIn;
        else if (IsEqualGUID(*p->m_pCategory, AM_KSCATEGORY_CROSSBAR))
            ++nCrossbar;
        else if (IsEqualGUID(*p->m_pCategory, AM_KSCATEGORY_TVAUDIO))
            ++nTvAudio;
        else if (IsEqualGUID(*p->m_pCategory, CLSID_VideoCompressorCategory))
            ++nVideoComp;
        else if (IsEqualGUID(*p->m_pCategory, CLSID_AudioInputDeviceCategory))
            ++nAudioIn;
        else if (IsEqualGUID(*p->m_pCategory, kEncoderCategory))
            ++nEncoder;
    }
    EXPECT_EQ(38, nClsid);
    EXPECT_EQ(41, nVideoIn);
    EXPECT_EQ(38, nCrossbar);
    EXPECT_EQ(5, nTvAudio);
    EXPECT_EQ(3, nVideoComp);
    EXPECT_EQ(2, nAudioIn);
    EXPECT_EQ(2, nEncoder);
}

TEST(FilterClass, LookupByClassIdentifier)
{
    const CFilterClass* pDemux = CFilterClass::FindByClsid(CLSID_MPEG2Demultiplexer);
    EXPECT_EQ(0, IndexOf(pDemux));
    EXPECT_EQ(63, IndexOf(CFilterClass::FindByClsid(CLSID_SampleGrabber)));
    EXPECT_EQ(68, IndexOf(CFilterClass::FindByClsid(CLSID_AviDest)));
    EXPECT_EQ(69, IndexOf(CFilterClass::FindByClsid(CLSID_FileWriter)));
    EXPECT_EQ(128, IndexOf(CFilterClass::FindByClsid(CLSID_AudioRender)));
    EXPECT_EQ(nullptr, CFilterClass::FindByClsid(CLSID_SmartTee));
    EXPECT_EQ(nullptr, CFilterClass::FindByClsid(CLSID_NullRenderer));
    // A category is never a class identifier.
    EXPECT_EQ(nullptr, CFilterClass::FindByClsid(AM_KSCATEGORY_CROSSBAR));
    EXPECT_EQ(nullptr, CFilterClass::FindByClsid(CLSID_VideoInputDeviceCategory));
}

TEST(FilterClass, ClassIdentifierLookupClearsAnEarlierNameMatch)
{
    // A by-name lookup tests (and flags) every row it passes, the first one included.
    CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "No such device");
    EXPECT_TRUE(CFilterClass::GetAt(0)->m_bMatchedByName);
    const CFilterClass* pDemux = CFilterClass::FindByClsid(CLSID_MPEG2Demultiplexer);
    ASSERT_NE(nullptr, pDemux);
    EXPECT_FALSE(pDemux->m_bMatchedByName);
}

TEST(FilterClass, LookupByCategoryAndName)
{
    const CFilterClass* p = CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "2388x Video Capture");
    EXPECT_EQ(26, IndexOf(p));
    ASSERT_NE(nullptr, p);
    EXPECT_TRUE(p->m_bMatchedByName);
    EXPECT_STREQ("2388x Video Capture", p->m_szFriendlyName);

    EXPECT_EQ(25, IndexOf(CFilterClass::FindByCategory(AM_KSCATEGORY_CROSSBAR, "2388x Crossbar")));
    EXPECT_EQ(44, IndexOf(CFilterClass::FindByCategory(kEncoderCategory, "BlackBird MPEG Encoder")));
    EXPECT_EQ(64, IndexOf(CFilterClass::FindByCategory(CLSID_VideoCompressorCategory,
                                                       "Microsoft MPEG-4  VKI  Codec V3")));
    // Names compare whole and case-sensitively.
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "2388x video capture"));
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "2388x Video Captur"));
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "2388x Video Capture "));
    // The right name in the wrong category.
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(AM_KSCATEGORY_CROSSBAR, "2388x Video Capture"));
    // A class identifier is never a category.
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_MPEG2Demultiplexer, "MPEG-2 Demultiplexer"));
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, nullptr));
}

TEST(FilterClass, AudioInputRowsInOrder)
{
    const CFilterClass* pEmp = CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, "USB EMP Audio Device");
    EXPECT_EQ(98, IndexOf(pEmp));
    const CFilterClass* pAny = CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, "Line In (Realtek)");
    EXPECT_EQ(125, IndexOf(pAny));
    ASSERT_NE(nullptr, pAny);
    EXPECT_STREQ("CLASS_FILTER", pAny->m_szName);
    // The wanted name goes to the by-device constructor.
    EXPECT_STREQ("Line In (Realtek)", pAny->m_szFriendlyName);
    EXPECT_TRUE(pAny->m_bMatchedByName);
}

TEST(FilterClass, TheWantedNameIsBoundedToTheRecord)
{
    const CFilterClass* pAny = CFilterClass::GetAt(125);
    const CFilterClass* pNext = CFilterClass::GetAt(126);
    CFilterClass::PFN_CREATE pfnNext = pNext->m_pfnCreate;
    const CLSID* pNextClsid = pNext->m_pClsid;
    std::string longName(400, 'W');
    EXPECT_EQ(pAny, CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, longName.c_str()));
    EXPECT_EQ(127u, std::strlen(pAny->m_szFriendlyName));
    EXPECT_EQ(std::string(127, 'W'), pAny->m_szFriendlyName);
    EXPECT_EQ(pfnNext, pNext->m_pfnCreate);
    EXPECT_EQ(pNextClsid, pNext->m_pClsid);
    EXPECT_STREQ("Veltrane HAL Switch", pNext->m_szName);
}

TEST(FilterClass, FactoryPicksTheConstructorByTheMatchFlag)
{
    ComScope com;
    CFilterClass record = { &CLSID_NullRenderer, &CLSID_VideoInputDeviceCategory, "Probe",
                            &CreateFilterNodeOf<ProbeNode>, FALSE, "Probe" };
    CDShowGraph* pGraph = reinterpret_cast<CDShowGraph*>(0x20);

    ASSERT_FALSE(record.MatchClsid(CLSID_SmartTee));
    EXPECT_TRUE(record.MatchClsid(CLSID_NullRenderer));
    CFilterNode* pNode = record.Create(pGraph, TRUE);
    ASSERT_NE(nullptr, pNode);
    ProbeNode* pProbe = static_cast<ProbeNode*>(pNode);
    EXPECT_FALSE(pProbe->m_bByDevice);
    EXPECT_TRUE(pProbe->IsValid());
    EXPECT_EQ(pGraph, pProbe->GetGraph());
    delete pNode;

    EXPECT_TRUE(record.MatchCategory(CLSID_VideoInputDeviceCategory, "Probe"));
    pNode = record.Create(pGraph, TRUE);
    ASSERT_NE(nullptr, pNode);
    pProbe = static_cast<ProbeNode*>(pNode);
    EXPECT_TRUE(pProbe->m_bByDevice);
    EXPECT_TRUE(pProbe->m_bExclude);
    EXPECT_EQ("Probe", pProbe->m_strWanted);
    delete pNode;

    // A class without a by-device constructor yields nothing for a name match.
    CFilterClass clsidOnly = { &CLSID_NullRenderer, nullptr, "C", &CreateFilterNodeOf<ClsidOnlyNode>,
                               TRUE, "C" };
    EXPECT_EQ(nullptr, clsidOnly.Create(pGraph, FALSE));
    CFilterClass none = { &CLSID_NullRenderer, nullptr, "N", &CreateNoFilterNode, FALSE, "N" };
    EXPECT_EQ(nullptr, none.Create(pGraph, FALSE));
}

TEST(FilterClass, RowsWhoseClassIsNotBuiltYieldNothing)
{
    int nUnbuilt = 0;
    for (int i = 0; i < CFilterClass::GetCount(); ++i)
    {
        const CFilterClass* p = CFilterClass::GetAt(i);
        if (p->m_pfnCreate != CreateNoFilterNode)
            continue;
        ++nUnbuilt;
        EXPECT_EQ(nullptr, p->Create(nullptr, FALSE)) << p->m_szName;
    }
    EXPECT_GT(nUnbuilt, 0);
}

TEST(FilterClass, TheDemultiplexerRowBuildsItsWrapper)
{
    const CFilterClass* p = CFilterClass::FindByClsid(CLSID_MPEG2Demultiplexer);
    ASSERT_NE(nullptr, p);
    EXPECT_NE(&CreateNoFilterNode, p->m_pfnCreate);
}
