// The page base in real property sheets: the three page operations, the title, the wizard
// buttons, and Enter and Escape kept from the sheet.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/PageBase.h"
#include "tests/skin/pages/PageTestIds.h"
#include "tests/support/DesktopInput.h"

namespace {

class CTestPage : public CPageBase
{
public:
    CTestPage(UINT nID, std::vector<std::string>* log) : CPageBase(nID, 12345), m_log(log) {}
    BOOL m_save = TRUE;
    BOOL m_cancel = TRUE;
    void LoadData() override { Log("load"); }
    BOOL CanCancel() override { return m_cancel; }
    BOOL SaveData() override
    {
        Log("save");
        return m_save && CPageBase::SaveData();
    }
    void Log(const char* what)
    {
        CString caption;
        GetWindowText(caption);
        m_log->push_back(std::string(caption) + ":" + what);
    }
    std::vector<std::string>* m_log;
};

// Runs one step of the script per start of idle time.
class CStepSheet : public CPropertySheet
{
public:
    CStepSheet() : CPropertySheet("Settings") {}
    std::vector<std::function<void()>> steps;
    size_t next = 0;

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM lCount)
    {
        if (lCount == 0 && next < steps.size())
        {
            steps[next++]();
            if (m_hWnd)
                PostMessage(WM_NULL);
        }
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStepSheet, CPropertySheet)
    ON_MESSAGE(WM_KICKIDLE, &CStepSheet::OnKickIdle)
END_MESSAGE_MAP()

struct Pages
{
    std::vector<std::string> log;
    CTestPage a{ IDD_TEST_BASE_PAGE_A, &log };
    CTestPage b{ IDD_TEST_BASE_PAGE_B, &log };
    CTestPage c{ IDD_TEST_BASE_PAGE_C, &log };
    void AddTo(CPropertySheet& sheet)
    {
        sheet.AddPage(&a);
        sheet.AddPage(&b);
        sheet.AddPage(&c);
    }
};

BOOL IsOpen(CPropertySheet& sheet)
{
    return sheet.m_hWnd && sheet.SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

std::string Title(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return std::string(text);
}

TEST(PageBase, WizardButtonsFollowThePagePosition)
{
    struct Row
    {
        int index, count;
        DWORD buttons;
    } rows[] = {
        { 0, 0, PSWIZB_FINISH },
        { 0, 1, PSWIZB_NEXT },
        { 0, 3, PSWIZB_NEXT },
        { 1, 3, PSWIZB_BACK | PSWIZB_NEXT },
        { 2, 3, PSWIZB_BACK | PSWIZB_FINISH },
        { 1, 2, PSWIZB_BACK | PSWIZB_FINISH },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.buttons, WizardButtonsFor(row.index, row.count)) << row.index << "/" << row.count;
}

TEST(PageBase, HasNoHelpButtonAndTakesItsCaptionFromTheTemplate)
{
    std::vector<std::string> log;
    CTestPage page(IDD_TEST_BASE_PAGE_A, &log);
    EXPECT_EQ(0u, page.m_psp.dwFlags & PSP_HASHELP);
    EXPECT_EQ(0u, page.m_psp.dwFlags & PSP_USETITLE);
}

TEST(PageBase, EnterAndEscapeNeitherCloseTheSheetNorPressAButton)
{
    Pages p;
    CStepSheet sheet;
    p.AddTo(sheet);
    sheet.steps = {
        [&] {
            EXPECT_EQ(std::vector<std::string>({ "Alpha:load" }), p.log);
            EXPECT_NE(std::string::npos, Title(sheet).find("Alpha")) << Title(sheet);
            CWnd* pEdit = p.a.GetDlgItem(IDC_TEST_EDIT);
            pEdit->SetFocus();
            desktop::Keyboard keys(pEdit->m_hWnd);
            keys.Down(VK_RETURN);
            keys.Up(VK_RETURN);
            keys.Down(VK_ESCAPE);
            keys.Up(VK_ESCAPE);
            EXPECT_TRUE(IsOpen(sheet));
            EXPECT_EQ(std::vector<std::string>({ "Alpha:load" }), p.log);
            sheet.SetActivePage(2);
        },
        [&] {
            EXPECT_NE(std::string::npos, Title(sheet).find("Gamma")) << Title(sheet);
            p.log.clear();
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(2u, sheet.next);
    // Cancel saves nothing and loads nothing.
    EXPECT_TRUE(p.log.empty());
}

TEST(PageBase, RefusedSaveKeepsTheSheetOpenWithoutReloadingAndCanCancelGuardsCancel)
{
    Pages p;
    CStepSheet sheet;
    p.AddTo(sheet);
    p.a.m_save = FALSE;
    p.a.m_cancel = FALSE;
    sheet.steps = {
        [&] {
            p.log.clear();
            sheet.PressButton(PSBTN_OK);
            EXPECT_TRUE(IsOpen(sheet));
            EXPECT_EQ(std::vector<std::string>({ "Alpha:save" }), p.log);
            sheet.PressButton(PSBTN_CANCEL);
            EXPECT_TRUE(IsOpen(sheet));
            p.a.m_save = TRUE;
            p.a.SetModified(TRUE);
            p.log.clear();
            sheet.PressButton(PSBTN_APPLYNOW);
        },
        [&] {
            // A stored page shows what was stored.
            EXPECT_EQ(std::vector<std::string>({ "Alpha:save", "Alpha:load" }), p.log);
            EXPECT_FALSE(p.a.IsModified());
            p.a.m_cancel = TRUE;
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(2u, sheet.next);
}

TEST(PageBase, ThreePageWizardShowsNextThenBackAndNextThenBackAndFinish)
{
    Pages p;
    CStepSheet sheet;
    p.AddTo(sheet);
    sheet.SetWizardMode();
    auto shown = [&](UINT nID) {
        HWND h = ::GetDlgItem(sheet.m_hWnd, nID);
        return h && ::IsWindowVisible(h) && ::IsWindowEnabled(h);
    };
    std::vector<std::string> states;
    auto record = [&] {
        std::string s;
        if (shown(ID_WIZBACK))
            s += "back ";
        if (shown(ID_WIZNEXT))
            s += "next ";
        if (shown(ID_WIZFINISH))
            s += "finish";
        states.push_back(s);
        EXPECT_TRUE(p.a.IsWizard());
    };
    sheet.steps = {
        [&] { record(); sheet.PressButton(PSBTN_NEXT); },
        [&] { record(); sheet.PressButton(PSBTN_NEXT); },
        [&] { record(); sheet.PressButton(PSBTN_FINISH); },
    };
    EXPECT_EQ(ID_WIZFINISH, sheet.DoModal());
    ASSERT_EQ(3u, states.size());
    EXPECT_EQ("next ", states[0]);
    EXPECT_EQ("back next ", states[1]);
    EXPECT_EQ("back finish", states[2]);
}

} // namespace
