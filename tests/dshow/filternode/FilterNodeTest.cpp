#include "dshow/DShowGraph.h"
#include "dshow/FilterNode.h"
#include "tests/dshow/DShowTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <qedit.h>

namespace {

// A category of our own, so the device enumerator lists only our devices.
const GUID kTestCategory = { 0x5b1d1e0a, 0x3c0f, 0x4f6e, { 0x9a, 0x11, 0x27, 0x60, 0x4d, 0x01, 0xa1, 0x01 } };
const GUID kEmptyCategory = { 0x5b1d1e0a, 0x3c0f, 0x4f6e, { 0x9a, 0x11, 0x27, 0x60, 0x4d, 0x01, 0xa1, 0x02 } };
const CLSID kUnregistered = { 0x5b1d1e0a, 0x3c0f, 0x4f6e, { 0x9a, 0x11, 0x27, 0x60, 0x4d, 0x01, 0xa1, 0x03 } };

class FilterNodeTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_com = new ComScope;
        // Two devices whose names differ only in their last character, then another.
        s_devices = new RegisteredDevices(kTestCategory, {
            { L"Dev1", L"Ondrix Tuner A", CLSID_SmartTee },
            { L"Dev2", L"Ondrix Tuner B", CLSID_NullRenderer },
            { L"Dev3", L"Other Device", CLSID_AviDest },
        });
    }
    static void TearDownTestSuite()
    {
        delete s_devices;
        delete s_com;
    }
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(s_devices->Result());
        g_nDeviceIndex = 0;
    }
    void TearDown() override { g_nDeviceIndex = 0; }

    static ComScope* s_com;
    static RegisteredDevices* s_devices;
};

ComScope* FilterNodeTest::s_com = nullptr;
RegisteredDevices* FilterNodeTest::s_devices = nullptr;

std::vector<std::string> PinNames(const CFilterNode& node)
{
    std::vector<std::string> names;
    for (CPinWrapper* p = node.GetPinList(); p != nullptr; p = p->GetNext())
        names.push_back(p->GetName());
    return names;
}

// Exposes the refresh-pins flag, as derived wrappers of run-time pins set it.
class RefreshingNode : public CFilterNode
{
public:
    using CFilterNode::CFilterNode;
    void SetRefresh(BOOL b) { m_bRefreshPins = b; }
};

}  // namespace

TEST_F(FilterNodeTest, DevicesEnumerateInRegistrationKeyOrder)
{
    std::vector<std::string> expected = { "Ondrix Tuner A", "Ondrix Tuner B", "Other Device" };
    EXPECT_EQ(expected, EnumeratedNames(kTestCategory));
}

TEST_F(FilterNodeTest, ByClassIdentifier)
{
    CFilterNode node(nullptr, CLSID_SmartTee);
    ASSERT_TRUE(node.IsValid());
    EXPECT_NE(nullptr, node.GetFilter());
    EXPECT_STREQ("", node.GetFriendlyName());
    EXPECT_STREQ("", node.GetName());
    EXPECT_EQ(3, node.GetPinCount());
    std::vector<std::string> expected = { "Input", "Capture", "Preview" };
    EXPECT_EQ(expected, PinNames(node));
    EXPECT_EQ(nullptr, node.GetNext());
    EXPECT_FALSE(node.GetRefreshPins());
    EXPECT_TRUE(node.Initfilter());
}

TEST_F(FilterNodeTest, DeletingANodeReleasesTheFilterAndItsPins)
{
    CFilterNode* pNode = new CFilterNode(nullptr, CLSID_SmartTee);
    ComPtr<IBaseFilter> pFilter = pNode->GetFilter();
    delete pNode;
    // Only our own reference is left (the pins count on their filter).
    EXPECT_EQ(1u, RefCount(pFilter));
}

TEST_F(FilterNodeTest, ByUnregisteredClassIdentifierIsNotValid)
{
    CDShowGraph* pGraph = reinterpret_cast<CDShowGraph*>(0x1234);
    CFilterNode node(pGraph, kUnregistered);
    EXPECT_FALSE(node.IsValid());
    EXPECT_EQ(nullptr, node.GetFilter());
    EXPECT_STREQ("", node.GetFriendlyName());
    EXPECT_EQ(0, node.GetPinCount());
    EXPECT_EQ(nullptr, node.GetPinAt(0));
    EXPECT_EQ(pGraph, node.GetGraph());
    EXPECT_FALSE(node.Initfilter());
    EXPECT_FALSE(node.IsInGraph());
}

struct DeviceCase
{
    const char* wanted;
    LONG index;
    BOOL exclude;
    bool valid;
    const char* friendlyName;
    int pinCount;
};

class FilterNodeByDevice : public FilterNodeTest, public ::testing::WithParamInterface<DeviceCase>
{
};

TEST_P(FilterNodeByDevice, TakesTheRightDevice)
{
    const DeviceCase& c = GetParam();
    g_nDeviceIndex = c.index;
    CFilterNode node(nullptr, &kTestCategory, c.wanted, c.exclude);
    EXPECT_EQ(c.valid, node.IsValid() != FALSE);
    EXPECT_STREQ(c.friendlyName, node.GetFriendlyName());
    EXPECT_EQ(c.pinCount, node.GetPinCount());
    EXPECT_EQ(c.valid, node.GetFilter() != nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterNodeByDevice,
    ::testing::Values(
        // Exact name, and the like-named device that differs in its last character.
        DeviceCase{ "Ondrix Tuner A", 0, FALSE, true, "Ondrix Tuner A", 3 },
        DeviceCase{ "Ondrix Tuner A", 1, FALSE, true, "Ondrix Tuner B", 1 },
        DeviceCase{ "Ondrix Tuner B", 0, FALSE, true, "Ondrix Tuner A", 3 },
        // Index past the matches: nothing taken, the last match's name kept.
        DeviceCase{ "Ondrix Tuner A", 2, FALSE, false, "Ondrix Tuner B", 0 },
        // A one-character name matches every device.
        DeviceCase{ "O", 2, FALSE, true, "Other Device", 2 },
        DeviceCase{ "Z", 0, FALSE, true, "Ondrix Tuner A", 3 },
        // Prefixes either way round.
        DeviceCase{ "Ondrix Tuner", 1, FALSE, true, "Ondrix Tuner B", 1 },
        DeviceCase{ "Ondrix Tuner A with a longer name", 1, FALSE, true, "Ondrix Tuner B", 1 },
        DeviceCase{ "Ondrix Tunes", 0, FALSE, true, "Ondrix Tuner A", 3 },
        DeviceCase{ "Ondrix Tunxs", 0, FALSE, false, "", 0 },
        // Case-sensitive.
        DeviceCase{ "ondrix Tuner A", 0, FALSE, false, "", 0 },
        // Exclude: the first device that does not match, whatever the index.
        DeviceCase{ "Ondrix Tuner A", 0, TRUE, true, "Other Device", 2 },
        DeviceCase{ "Ondrix Tuner A", 5, TRUE, true, "Other Device", 2 },
        DeviceCase{ "Other Device", 0, TRUE, true, "Ondrix Tuner A", 3 },
        DeviceCase{ "O", 0, TRUE, false, "", 0 },
        // An empty name matches nothing (and so, with exclude, the first device is taken).
        DeviceCase{ "", 0, FALSE, false, "", 0 },
        DeviceCase{ "", 0, TRUE, true, "Ondrix Tuner A", 3 },
        DeviceCase{ nullptr, 0, FALSE, false, "", 0 }));

TEST_F(FilterNodeTest, ByDeviceInACategoryWithoutDevices)
{
    CFilterNode node(nullptr, &kEmptyCategory, "Ondrix Tuner A", FALSE);
    EXPECT_FALSE(node.IsValid());
    EXPECT_STREQ("", node.GetFriendlyName());
    CFilterNode noCategory(nullptr, nullptr, "Ondrix Tuner A", FALSE);
    EXPECT_FALSE(noCategory.IsValid());
}

struct NameCase
{
    const char* wanted;
    const char* device;
    BOOL match;
};

class DeviceNameMatch : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(DeviceNameMatch, ComparesAllButTheLastCharacterOfTheShorter)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(c.match, MatchDeviceName(c.wanted, c.device)) << c.wanted << " / " << c.device;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DeviceNameMatch,
    ::testing::Values(NameCase{ "ABC", "ABC", TRUE }, NameCase{ "ABC", "ABD", TRUE },
                      NameCase{ "ABC", "AXC", FALSE }, NameCase{ "AB", "AXC", TRUE },
                      NameCase{ "ABC", "AB", TRUE }, NameCase{ "ABC", "XB", FALSE },
                      NameCase{ "A", "XYZ", TRUE }, NameCase{ "XYZ", "A", TRUE },
                      NameCase{ "", "ABC", FALSE }, NameCase{ "ABC", "", FALSE },
                      NameCase{ "", "", FALSE }, NameCase{ nullptr, "ABC", FALSE },
                      NameCase{ "ABC", nullptr, FALSE }));

TEST_F(FilterNodeTest, AroundAnExistingFilter)
{
    ComPtr<IGraphBuilder> pGraph;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER,
                                              IID_IGraphBuilder, reinterpret_cast<void**>(&pGraph)));
    ComPtr<IBaseFilter> pFilter;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_NullRenderer, NULL, CLSCTX_INPROC_SERVER,
                                              IID_IBaseFilter, reinterpret_cast<void**>(&pFilter)));
    ASSERT_EQ(S_OK, pGraph->AddFilter(pFilter, L"My Renderer"));
    ULONG before = RefCount(pFilter);
    {
        CFilterNode node(nullptr, pFilter);
        ASSERT_TRUE(node.IsValid());
        EXPECT_GT(RefCount(pFilter), before);
        EXPECT_EQ(pFilter.Get(), node.GetFilter());
        EXPECT_STREQ("My Renderer", node.GetFriendlyName());
        EXPECT_STREQ("My Renderer", node.GetName());
        EXPECT_EQ(1, node.GetPinCount());
        EXPECT_TRUE(node.IsInGraph());
    }
    EXPECT_EQ(before, RefCount(pFilter));
    pGraph->RemoveFilter(pFilter);

    CFilterNode empty(nullptr, static_cast<IBaseFilter*>(nullptr));
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(0, empty.GetPinCount());
}

TEST_F(FilterNodeTest, PinLookups)
{
    CFilterNode node(nullptr, CLSID_SmartTee);
    ASSERT_EQ(3, node.GetPinCount());
    CPinWrapper* pInput = node.GetPinAt(0);
    CPinWrapper* pCapture = node.GetPinAt(1);
    CPinWrapper* pPreview = node.GetPinAt(2);
    EXPECT_EQ(nullptr, node.GetPinAt(3));
    EXPECT_EQ(nullptr, node.GetPinAt(-1));
    EXPECT_EQ(node.GetPinList(), pInput);

    EXPECT_EQ(pCapture, node.FindPin("Capture"));
    EXPECT_EQ(nullptr, node.FindPin("capture"));
    EXPECT_EQ(nullptr, node.FindPin("Captur"));
    EXPECT_EQ(nullptr, node.FindPin(nullptr));

    EXPECT_EQ(pPreview, node.GetPinById(pPreview->GetPin()));
    EXPECT_EQ(nullptr, node.GetPinById(nullptr));

    LPWSTR pszId = nullptr;
    ASSERT_TRUE(pPreview->QueryId(&pszId));
    EXPECT_EQ(pPreview, node.FindPinById(pszId));
    CoTaskMemFree(pszId);
    EXPECT_EQ(nullptr, node.FindPinById(L"No such pin"));

    EXPECT_EQ(pInput, node.GetFirstPin(PINDIR_INPUT, TRUE));
    EXPECT_EQ(pCapture, node.GetFirstPin(PINDIR_OUTPUT, TRUE));
    EXPECT_EQ(nullptr, node.GetFirstPin(PINDIR_OUTPUT, FALSE));
    // Connection means a recorded peer; the filter is not asked.
    pCapture->m_pPeer = pInput;
    EXPECT_EQ(pCapture, node.GetFirstPin(PINDIR_OUTPUT, FALSE));
    EXPECT_EQ(pPreview, node.GetFirstPin(PINDIR_OUTPUT, TRUE));
    pCapture->m_pPeer = nullptr;
}

TEST_F(FilterNodeTest, RemovePin)
{
    CFilterNode node(nullptr, CLSID_SmartTee);
    CPinWrapper* pCapture = node.FindPin("Capture");
    ASSERT_NE(nullptr, pCapture);
    EXPECT_TRUE(node.RemovePin(pCapture));
    EXPECT_EQ(2, node.GetPinCount());
    std::vector<std::string> expected = { "Input", "Preview" };
    EXPECT_EQ(expected, PinNames(node));
    CFilterNode other(nullptr, CLSID_SmartTee);
    EXPECT_FALSE(node.RemovePin(other.GetPinAt(0)));
    EXPECT_FALSE(node.RemovePin(nullptr));
    EXPECT_EQ(2, node.GetPinCount());
}

TEST_F(FilterNodeTest, RefreshPinsReversesTheListAndKeepsWrappers)
{
    RefreshingNode node(nullptr, CLSID_SmartTee);
    CPinWrapper* pInput = node.GetPinAt(0);
    CPinWrapper* pCapture = node.GetPinAt(1);
    CPinWrapper* pPreview = node.GetPinAt(2);

    // Without the flag nothing changes.
    EXPECT_TRUE(node.RefreshPins());
    std::vector<std::string> original = { "Input", "Capture", "Preview" };
    EXPECT_EQ(original, PinNames(node));

    pCapture->m_pPeer = pInput;
    pInput->m_pPeer = pCapture;
    node.SetRefresh(TRUE);
    EXPECT_TRUE(node.RefreshPins());
    std::vector<std::string> reversed = { "Preview", "Capture", "Input" };
    EXPECT_EQ(reversed, PinNames(node));
    EXPECT_EQ(3, node.GetPinCount());
    EXPECT_EQ(pPreview, node.GetPinAt(0));
    EXPECT_EQ(pCapture, node.GetPinAt(1));
    EXPECT_EQ(pInput, node.GetPinAt(2));
    EXPECT_EQ(pInput, pCapture->GetPeer());
    EXPECT_EQ(pPreview, node.GetFirstPin(PINDIR_OUTPUT, TRUE));
    pCapture->m_pPeer = nullptr;
    pInput->m_pPeer = nullptr;

    // A pin the node had removed comes back as a new wrapper.
    ASSERT_TRUE(node.RemovePin(pPreview));
    EXPECT_TRUE(node.RefreshPins());
    EXPECT_EQ(3, node.GetPinCount());
    EXPECT_EQ(reversed, PinNames(node));
    EXPECT_EQ(pCapture, node.GetPinAt(1));
    EXPECT_EQ(pInput, node.GetPinAt(2));
}

TEST_F(FilterNodeTest, FreePinsClearsTheListAndValidity)
{
    CFilterNode node(nullptr, CLSID_SmartTee);
    node.FreePins();
    EXPECT_EQ(0, node.GetPinCount());
    EXPECT_EQ(nullptr, node.GetPinList());
    EXPECT_FALSE(node.IsValid());
}

TEST_F(FilterNodeTest, NamesAreBounded)
{
    CFilterNode node(nullptr, CLSID_NullRenderer);
    std::string longName(300, 'x');
    node.SetName(longName.c_str());
    EXPECT_EQ(127u, std::strlen(node.GetName()));
    node.SetName("Renderer");
    EXPECT_STREQ("Renderer", node.GetName());
}

TEST_F(FilterNodeTest, BaseVirtualOperations)
{
    CFilterNode node(nullptr, CLSID_NullRenderer);
    EXPECT_EQ(0u, node.ReservedA(1, 2, 3));
    EXPECT_EQ(0u, node.ReservedB(1, 2, 3));
    EXPECT_EQ(0u, node.ReservedE(1, 2));
    node.OnConstruct();
    node.ReservedC();
    node.ReservedD();
    EXPECT_TRUE(node.IsValid());
}

TEST_F(FilterNodeTest, HasPropertyPages)
{
    CFilterNode node(nullptr, CLSID_SmartTee);
    EXPECT_EQ(E_INVALIDARG, node.HasPropertyPages(nullptr));
    ComPtr<ISpecifyPropertyPages> pSpecify;
    HRESULT hrQuery = ComQuery(node.GetFilter(), pSpecify);
    BOOL bHas = TRUE;
    HRESULT hr = node.HasPropertyPages(&bHas);
    if (FAILED(hrQuery))
    {
        EXPECT_EQ(hrQuery, hr);
        EXPECT_FALSE(bHas);
    }
    else
    {
        CAUUID pages = {};
        ASSERT_HRESULT_SUCCEEDED(pSpecify->GetPages(&pages));
        EXPECT_EQ(pages.cElems >= 1, bHas != FALSE);
        CoTaskMemFree(pages.pElems);
    }
    CFilterNode invalid(nullptr, kUnregistered);
    bHas = TRUE;
    EXPECT_TRUE(FAILED(invalid.HasPropertyPages(&bHas)));
    EXPECT_FALSE(bHas);
}

TEST_F(FilterNodeTest, FindFilterByName)
{
    ComPtr<IBaseFilter> pFilter;
    ASSERT_EQ(S_OK, FindFilterByName(kTestCategory, "Ondrix Tuner B", &pFilter));
    ASSERT_TRUE(pFilter);
    CLSID clsid = {};
    ComPtr<IPersist> pPersist;
    ASSERT_HRESULT_SUCCEEDED(ComQuery(pFilter.Get(), pPersist));
    pPersist->GetClassID(&clsid);
    // No device index: the first match, "Ondrix Tuner A" (the Smart Tee).
    EXPECT_TRUE(IsEqualCLSID(CLSID_SmartTee, clsid));

    IBaseFilter* pUntouched = reinterpret_cast<IBaseFilter*>(0x1);
    EXPECT_EQ(VFW_E_NOT_FOUND, FindFilterByName(kTestCategory, "Nothing like it", &pUntouched));
    EXPECT_EQ(reinterpret_cast<IBaseFilter*>(0x1), pUntouched);
    EXPECT_EQ(VFW_E_NOT_FOUND, FindFilterByName(kEmptyCategory, "Ondrix Tuner A", &pUntouched));
    EXPECT_EQ(VFW_E_NOT_FOUND, FindFilterByName(kTestCategory, "", &pUntouched));
    EXPECT_EQ(reinterpret_cast<IBaseFilter*>(0x1), pUntouched);
    EXPECT_EQ(E_POINTER, FindFilterByName(kTestCategory, "Ondrix Tuner A", nullptr));
}

TEST_F(FilterNodeTest, LongDeviceNamesAreCutToTheNode)
{
    const GUID kLongCategory = { 0x5b1d1e0a, 0x3c0f, 0x4f6e, { 0x9a, 0x11, 0x27, 0x60, 0x4d, 0x01, 0xa1, 0x04 } };
    std::wstring longName(200, L'L');
    longName += L"\x9ED1\x4F53";
    RegisteredDevices devices(kLongCategory, { { L"Long", longName, CLSID_NullRenderer } });
    ASSERT_HRESULT_SUCCEEDED(devices.Result());
    std::string wanted(200, 'L');
    wanted += "\xBA\xDA\xCC\xE5";
    CFilterNode node(nullptr, &kLongCategory, wanted.c_str(), FALSE);
    ASSERT_TRUE(node.IsValid());
    EXPECT_EQ(std::string(127, 'L'), node.GetFriendlyName());
    ComPtr<IBaseFilter> pFilter;
    EXPECT_EQ(S_OK, FindFilterByName(kLongCategory, wanted.c_str(), &pFilter));
}
