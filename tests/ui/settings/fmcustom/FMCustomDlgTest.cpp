// The FM custom filter dialog run modally as the panel runs it, driven as a user drives it: names
// typed, buttons pressed, the delete question answered; the compressor list comes from the real
// device enumerator, with two compressors registered in its category for the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/settings/FMCustomDlg.h"

#include <dshow.h>

#include "ControllerTestSupport.h"
#include "engine/TVEngine.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "tests/support/DesktopInput.h"
#include "tests/support/DialogWatch.h"

namespace {

// {6A0E5B11-3C8D-4F2E-9B1A-0D51C3A70001} and ...0002: two audio compressors that only exist as
// registrations in the category.
const CLSID kSkippedCompressor = { 0x6a0e5b11, 0x3c8d, 0x4f2e, { 0x9b, 0x1a, 0x0d, 0x51, 0xc3, 0xa7, 0x00, 0x01 } };
const CLSID kListedCompressor = { 0x6a0e5b11, 0x3c8d, 0x4f2e, { 0x9b, 0x1a, 0x0d, 0x51, 0xc3, 0xa7, 0x00, 0x02 } };
const wchar_t kSkippedName[] = L"InterVideo Audio Encoder";
const char kListedName[] = "Ondrix Test MP3 Encoder";
const wchar_t kListedNameW[] = L"Ondrix Test MP3 Encoder";

class CompressorRegistrations
{
public:
    CompressorRegistrations()
    {
        CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                         reinterpret_cast<void**>(&m_mapper));
        if (m_mapper == nullptr)
            return;
        Register(kSkippedCompressor, kSkippedName);
        Register(kListedCompressor, kListedNameW);
    }
    ~CompressorRegistrations()
    {
        if (m_mapper == nullptr)
            return;
        m_mapper->UnregisterFilter(&CLSID_AudioCompressorCategory, kSkippedName, kSkippedCompressor);
        m_mapper->UnregisterFilter(&CLSID_AudioCompressorCategory, kListedNameW, kListedCompressor);
        m_mapper->Release();
    }
    bool ok = false;

private:
    void Register(const CLSID& clsid, const wchar_t* name)
    {
        REGFILTER2 filter = {};
        filter.dwVersion = 1;
        filter.dwMerit = MERIT_DO_NOT_USE;
        ok = SUCCEEDED(m_mapper->RegisterFilter(clsid, name, nullptr, &CLSID_AudioCompressorCategory, name, &filter));
    }
    IFilterMapper2* m_mapper = nullptr;
};

std::string Text(HWND dlg, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

bool Enabled(HWND dlg, int id)
{
    return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE;
}

// What a user's typing leaves: the new text and the edit's change notice.
void Type(HWND dlg, int id, const char* text)
{
    SetDlgItemTextA(dlg, id, text);
    desktop::Pump();
}

void Press(HWND dlg, int id)
{
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    desktop::Pump();
}

void Choose(HWND dlg, int id, int index)
{
    SendDlgItemMessageA(dlg, id, CB_SETCURSEL, index, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    desktop::Pump();
}

std::vector<std::string> Items(HWND dlg, int id)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(SendDlgItemMessageA(dlg, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        char text[256] = "";
        SendDlgItemMessageA(dlg, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

int Selection(HWND dlg, int id)
{
    return static_cast<int>(SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0));
}

class FMCustom : public ::testing::Test
{
protected:
    std::string folder;

    void SetUp() override
    {
        CoInitialize(nullptr);
        static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, resources);
        AfxSetResourceHandle(resources);
        folder = FreshAppFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
};

}  // namespace

TEST_F(FMCustom, EntriesAreAddedChangedAndDeletedOnACopyThatOKHandsBack)
{
    CompressorRegistrations compressors;
    ASSERT_TRUE(compressors.ok);
    CTVEngine engine(folder.c_str());
    CDialogWatch watch(IDYES);
    CFMCustomDlg dlg;
    int listedAt = -1;
    watch.onDialog = [&](HWND h) {
        // An empty list: nothing to choose, the default name, only Add.
        EXPECT_TRUE(Items(h, IDC_FM_CUSTOM_ENTRIES).empty());
        EXPECT_EQ("FMCustom 1", Text(h, IDC_FM_CUSTOM_NAME));
        EXPECT_TRUE(Enabled(h, IDC_FM_CUSTOM_ADD));
        EXPECT_FALSE(Enabled(h, IDC_FM_CUSTOM_MODIFY));
        EXPECT_FALSE(Enabled(h, IDC_FM_CUSTOM_DELETE));
        const std::vector<std::string> filters = Items(h, IDC_FM_CUSTOM_FILTERS);
        for (size_t i = 0; i < filters.size(); ++i)
        {
            EXPECT_NE(0u, filters[i].find("InterVideo")) << filters[i];
            if (filters[i] == kListedName)
                listedAt = static_cast<int>(i);
        }
        ASSERT_GE(listedAt, 0);
        EXPECT_EQ(0, Selection(h, IDC_FM_CUSTOM_FILTERS));

        // Two entries; a name used already, in any letter case, cannot be added again.
        Choose(h, IDC_FM_CUSTOM_FILTERS, listedAt);
        Type(h, IDC_FM_CUSTOM_NAME, "Radio MP3");
        Press(h, IDC_FM_CUSTOM_ADD);
        Type(h, IDC_FM_CUSTOM_NAME, "radio mp3");
        EXPECT_FALSE(Enabled(h, IDC_FM_CUSTOM_ADD));
        // The current entry may take its own name in another letter case.
        EXPECT_TRUE(Enabled(h, IDC_FM_CUSTOM_MODIFY));
        Type(h, IDC_FM_CUSTOM_NAME, "  ");
        EXPECT_FALSE(Enabled(h, IDC_FM_CUSTOM_ADD));
        Choose(h, IDC_FM_CUSTOM_FILTERS, 0);
        Type(h, IDC_FM_CUSTOM_NAME, "Talk");
        Press(h, IDC_FM_CUSTOM_ADD);
        EXPECT_EQ(std::vector<std::string>({ "Radio MP3", "Talk" }), Items(h, IDC_FM_CUSTOM_ENTRIES));
        EXPECT_EQ(1, Selection(h, IDC_FM_CUSTOM_ENTRIES));
        EXPECT_TRUE(Enabled(h, IDC_FM_CUSTOM_DELETE));

        // Choosing the first shows its name and compressor; a new name modifies it.
        Choose(h, IDC_FM_CUSTOM_ENTRIES, 0);
        EXPECT_EQ("Radio MP3", Text(h, IDC_FM_CUSTOM_NAME));
        EXPECT_EQ(listedAt, Selection(h, IDC_FM_CUSTOM_FILTERS));
        Type(h, IDC_FM_CUSTOM_NAME, "Music");
        EXPECT_TRUE(Enabled(h, IDC_FM_CUSTOM_MODIFY));
        Press(h, IDC_FM_CUSTOM_MODIFY);
        EXPECT_EQ(std::vector<std::string>({ "Music", "Talk" }), Items(h, IDC_FM_CUSTOM_ENTRIES));
        EXPECT_EQ(0, Selection(h, IDC_FM_CUSTOM_ENTRIES));

        // Deleting the last entry selects the new last one, after the question.
        Choose(h, IDC_FM_CUSTOM_ENTRIES, 1);
        Press(h, IDC_FM_CUSTOM_DELETE);
        ASSERT_EQ(1u, watch.boxes.size());
        EXPECT_NE(std::string::npos, watch.boxes[0].text.find("Talk")) << watch.boxes[0].text;
        EXPECT_EQ(std::vector<std::string>({ "Music" }), Items(h, IDC_FM_CUSTOM_ENTRIES));
        EXPECT_EQ(0, Selection(h, IDC_FM_CUSTOM_ENTRIES));
        EXPECT_EQ(0, dlg.GetList().m_nCurrent);
        Press(h, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    const CFMCustomList& list = engine.GetFMCustomList();
    ASSERT_EQ(1, list.GetCount());
    EXPECT_EQ(std::string("Music"), std::string(list.GetAt(0)->m_strName));
    EXPECT_EQ(std::string(kListedName), std::string(list.GetAt(0)->m_strAudioComp));
    EXPECT_EQ(0, list.m_nCurrent);
}

TEST_F(FMCustom, DeletingTheOnlyEntryLeavesNoneAndCancelChangesNothing)
{
    CTVEngine engine(folder.c_str());
    CFMCustomEntry* pEntry = new CFMCustomEntry;
    pEntry->m_strName = "Only";
    pEntry->m_strAudioComp = "Nothing Like It";
    engine.GetFMCustomList().Add(pEntry);
    engine.GetFMCustomList().m_nCurrent = 0;

    CDialogWatch watch(IDYES);
    CFMCustomDlg dlg;
    watch.onDialog = [&](HWND h) {
        EXPECT_EQ(std::vector<std::string>({ "Only" }), Items(h, IDC_FM_CUSTOM_ENTRIES));
        EXPECT_EQ(0, Selection(h, IDC_FM_CUSTOM_ENTRIES));
        EXPECT_EQ("Only", Text(h, IDC_FM_CUSTOM_NAME));
        Press(h, IDC_FM_CUSTOM_DELETE);
        EXPECT_EQ(1u, watch.boxes.size());
        EXPECT_TRUE(Items(h, IDC_FM_CUSTOM_ENTRIES).empty());
        EXPECT_EQ(-1, Selection(h, IDC_FM_CUSTOM_ENTRIES));
        EXPECT_EQ(-1, dlg.GetList().m_nCurrent);
        EXPECT_FALSE(Enabled(h, IDC_FM_CUSTOM_DELETE));
        Press(h, IDCANCEL);
    };
    ASSERT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(1, engine.GetFMCustomList().GetCount());
    EXPECT_EQ(std::string("Only"), std::string(engine.GetFMCustomList().GetAt(0)->m_strName));
    EXPECT_EQ(0, engine.GetFMCustomList().m_nCurrent);
}
