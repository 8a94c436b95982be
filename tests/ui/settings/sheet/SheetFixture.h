#pragma once
// The settings sheet's test fixture: the real engine on the simulated card in a fresh application
// folder, the sheet as the control panel opens it with one script step per idle time, and the
// helpers that press a page's buttons and read its fields.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/settings/PropSheet.h"
#include "ui/settings/RecordDiskChoice.h"
#include "ui/settings/SettingsPanel.h"
#include "ControllerOnCard.h"
#include "engine/TVEngine.h"
#include "hardware/devices/FilterClassTable.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/afx/WindowTestUtil.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"
#include "tests/support/DesktopInput.h"
#include "tests/support/SheetScript.h"

namespace {

// The sheet as the control panel opens it, with one step of the test's script per idle time.
class CStepSheet : public CPropSheet
{
public:
    explicit CStepSheet(UINT start = 0) : CPropSheet(IDS_SETTINGS_CAPTION, nullptr, start) {}
    SheetScript script;
    std::vector<std::function<void()>>& steps = script.steps;
    size_t& next = script.next;

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM lCount) { return script.OnKickIdle(*this, lCount); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStepSheet, CPropSheet)
    ON_MESSAGE(WM_KICKIDLE, &CStepSheet::OnKickIdle)
END_MESSAGE_MAP()

class SettingsSheet : public ControllerOnCard
{
protected:
    void SetUp() override
    {
        static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, resources);
        AfxSetResourceHandle(resources);
        ControllerOnCard::SetUp();
        WriteBytes(File("TVParam.ini"), "[Channel]\r\nTVCurFreq=49750\r\nTVCurIndex=0\r\n");
    }
    void TearDown() override { SetSettingsPanel(nullptr); }
    void Shoot(CWnd& wnd, const char* name)
    {
        ::RedrawWindow(wnd.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        desktop::Pump();
        CScreenShot::OfClient(wnd.m_hWnd).Save(std::string(ONDRIX_BINARY_DIR) + "/settings-" + name + ".bmp");
    }
};

std::string ItemText(CWnd& wnd, int nID)
{
    CString text;
    wnd.GetDlgItemText(nID, text);
    return std::string(text);
}

void Click(CWnd& page, int nID)
{
    page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(page.GetDlgItem(nID)->m_hWnd));
}

BOOL IsOpen(CPropertySheet& sheet)
{
    return sheet.m_hWnd && sheet.SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

} // namespace
