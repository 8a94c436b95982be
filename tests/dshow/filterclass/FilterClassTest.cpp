#include "dshow/DShowGraph.h"
#include "dshow/FilterClass.h"
#include "dshow/FilterNode.h"
#include "tests/dshow/DShowTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ks.h>
#include <string>
#include <uuids.h>

namespace {

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

#define CLSID_ROW(name, clsid, factory) { &(clsid), NULL, name, factory, FALSE, name }
#define DEVICE_ROW(name, category, factory) { NULL, &(category), name, factory, FALSE, name }

// A few rows with the shapes the system's table has: class rows, named device
// rows, a later row that a first match hides, and a catch-all of a category.
const CFilterClass kRows[] = {
    CLSID_ROW("Tee", CLSID_SmartTee, CreateFilterNodeOf<ProbeNode>),
    DEVICE_ROW("Ondrix Twin", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<ProbeNode>),
    DEVICE_ROW("Ondrix Twin", AM_KSCATEGORY_CROSSBAR, CreateNoFilterNode),
    CLSID_ROW("Tee again", CLSID_SmartTee, CreateNoFilterNode),
    DEVICE_ROW("Ondrix Special Mic", CLSID_AudioInputDeviceCategory, CreateNoFilterNode),
    DEVICE_ROW("CLASS_FILTER", CLSID_AudioInputDeviceCategory, CreateFilterNodeOf<ProbeNode>),
    DEVICE_ROW("Ondrix Special Mic", CLSID_AudioInputDeviceCategory, CreateFilterNodeOf<ProbeNode>),
    CLSID_ROW("Renderer", CLSID_NullRenderer, CreateFilterNodeOf<ClsidOnlyNode>),
};
const int kRowCount = static_cast<int>(sizeof(kRows) / sizeof(kRows[0]));

int IndexOf(const CFilterClass* pClass)
{
    for (int i = 0; i < CFilterClass::GetCount(); ++i)
    {
        if (CFilterClass::GetAt(i) == pClass)
            return i;
    }
    return -1;
}

class FilterClassTest : public ::testing::Test
{
protected:
    void SetUp() override { CFilterClass::SetTable(kRows, kRowCount); }
    void TearDown() override { CFilterClass::SetTable(nullptr, 0); }
};

}  // namespace

TEST(FilterClass, NoTableNoMatch)
{
    CFilterClass::SetTable(nullptr, 0);
    EXPECT_EQ(0, CFilterClass::GetCount());
    EXPECT_EQ(nullptr, CFilterClass::GetAt(0));
    EXPECT_EQ(nullptr, CFilterClass::FindByClsid(CLSID_SmartTee));
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, "Line In"));
}

TEST_F(FilterClassTest, RowsInTheTablesOrder)
{
    ASSERT_EQ(kRowCount, CFilterClass::GetCount());
    for (int i = 0; i < kRowCount; ++i)
        EXPECT_EQ(&kRows[i], CFilterClass::GetAt(i));
    EXPECT_EQ(nullptr, CFilterClass::GetAt(kRowCount));
    EXPECT_EQ(nullptr, CFilterClass::GetAt(-1));
}

TEST_F(FilterClassTest, TheFirstMatchingRowWins)
{
    EXPECT_EQ(0, IndexOf(CFilterClass::FindByClsid(CLSID_SmartTee)));
    // A named row before the catch-all of its category hides it, and the
    // catch-all hides a later row of the same name.
    EXPECT_EQ(4, IndexOf(CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, "Ondrix Special Mic")));
    const CFilterClass* pAny = CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, "Line In (Realtek)");
    EXPECT_EQ(5, IndexOf(pAny));
    ASSERT_NE(nullptr, pAny);
    // The wanted name goes to the by-device constructor.
    EXPECT_STREQ("Line In (Realtek)", pAny->m_szFriendlyName);
    EXPECT_TRUE(pAny->m_bMatchedByName);
}

TEST_F(FilterClassTest, ClassRowsAndDeviceRowsKeepToTheirLookups)
{
    EXPECT_EQ(7, IndexOf(CFilterClass::FindByClsid(CLSID_NullRenderer)));
    EXPECT_EQ(nullptr, CFilterClass::FindByClsid(CLSID_SampleGrabber));
    // A category is never a class identifier, nor the other way round.
    EXPECT_EQ(nullptr, CFilterClass::FindByClsid(CLSID_VideoInputDeviceCategory));
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_SmartTee, "Tee"));

    const CFilterClass* p = CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "Ondrix Twin");
    EXPECT_EQ(1, IndexOf(p));
    ASSERT_NE(nullptr, p);
    EXPECT_TRUE(p->m_bMatchedByName);
    EXPECT_STREQ("Ondrix Twin", p->m_szFriendlyName);
    // The same name in another category finds that category's row.
    EXPECT_EQ(2, IndexOf(CFilterClass::FindByCategory(AM_KSCATEGORY_CROSSBAR, "Ondrix Twin")));
    // Names compare whole and case-sensitively.
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "ondrix twin"));
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "Ondrix Twi"));
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "Ondrix Twin "));
    EXPECT_EQ(nullptr, CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, nullptr));
}

TEST_F(FilterClassTest, ClassIdentifierLookupClearsAnEarlierNameMatch)
{
    // A by-name lookup tests (and flags) every row it passes, the first one included.
    CFilterClass::FindByCategory(CLSID_VideoInputDeviceCategory, "No such device");
    EXPECT_TRUE(CFilterClass::GetAt(0)->m_bMatchedByName);
    const CFilterClass* pTee = CFilterClass::FindByClsid(CLSID_SmartTee);
    ASSERT_NE(nullptr, pTee);
    EXPECT_FALSE(pTee->m_bMatchedByName);
}

TEST_F(FilterClassTest, TheWantedNameIsBoundedToTheRecord)
{
    const CFilterClass* pAny = CFilterClass::GetAt(5);
    const CFilterClass* pNext = CFilterClass::GetAt(6);
    std::string longName(400, 'W');
    EXPECT_EQ(pAny, CFilterClass::FindByCategory(CLSID_AudioInputDeviceCategory, longName.c_str()));
    EXPECT_EQ(std::string(127, 'W'), pAny->m_szFriendlyName);
    EXPECT_STREQ("Ondrix Special Mic", pNext->m_szName);
    EXPECT_STREQ("Ondrix Special Mic", pNext->m_szFriendlyName);
    EXPECT_EQ(&kRows[7], CFilterClass::GetAt(7));
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

TEST_F(FilterClassTest, TheGraphBuildsTheNthLikeNamedDeviceThroughItsRow)
{
    ComScope com;
    // Two devices share the row's name; the enumerator lists them in key order.
    RegisteredDevices devices(CLSID_VideoInputDeviceCategory, {
        { L"OndrixTwin1", L"Ondrix Twin", CLSID_SmartTee },
        { L"OndrixTwin2", L"Ondrix Twin", CLSID_NullRenderer },
    });
    ASSERT_HRESULT_SUCCEEDED(devices.Result());
    CDShowGraph graph;

    CFilterNode* pSecond = graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Ondrix Twin", "Second", FALSE, 1);
    ASSERT_NE(nullptr, pSecond);
    ProbeNode* pProbe = dynamic_cast<ProbeNode*>(pSecond);
    ASSERT_NE(nullptr, pProbe);
    EXPECT_TRUE(pProbe->m_bByDevice);
    EXPECT_EQ("Ondrix Twin", pProbe->m_strWanted);
    EXPECT_EQ(1, pSecond->GetPinCount());  // the null renderer's one input

    CFilterNode* pFirst = graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Ondrix Twin", "First", FALSE, 0);
    ASSERT_NE(nullptr, dynamic_cast<ProbeNode*>(pFirst));
    EXPECT_EQ(3, pFirst->GetPinCount());  // the smart tee's input and two outputs

    // No third device of that name: the row's object is not valid and nothing is added.
    EXPECT_EQ(nullptr, graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Ondrix Twin", "Third", FALSE, 2));
    // A row whose class is not built adds nothing either.
    EXPECT_EQ(nullptr, graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, "Ondrix Twin", "Crossbar", FALSE, 0));
    // By class identifier the row's class is built with the other constructor.
    ProbeNode* pTee = dynamic_cast<ProbeNode*>(graph.AddFilter(CLSID_SmartTee, "Tee"));
    ASSERT_NE(nullptr, pTee);
    EXPECT_FALSE(pTee->m_bByDevice);
}
