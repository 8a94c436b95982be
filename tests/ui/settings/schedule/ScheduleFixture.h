#pragma once
// What the schedule tests share: the engine started on the simulated card from a fresh
// application folder, the scheduling library on that folder's "Rec.rec", and the user's hands on
// the dialogs (controls set as the user leaves them, buttons pressed).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControllerOnCard.h"
#include "platform/afx/WinApp.h"
#include "platform/standins/tamblin/Tamblin.h"
#include "resources/ResourceIds.h"
#include "tests/support/DesktopInput.h"
#include "tests/support/DialogWatch.h"

namespace schedule {

inline std::string Text(HWND dlg, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

inline void Press(HWND dlg, int id)
{
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    desktop::Pump();
}

// A check box or radio button clicked: it changes, then tells the dialog.
inline void Click(HWND dlg, int id)
{
    SendMessageA(GetDlgItem(dlg, id), BM_CLICK, 0, 0);
    desktop::Pump();
}

inline void Choose(HWND dlg, int id, int index)
{
    SendDlgItemMessageA(dlg, id, CB_SETCURSEL, index, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    desktop::Pump();
}

inline int Selection(HWND dlg, int id)
{
    return static_cast<int>(SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0));
}

inline std::string SelectedText(HWND dlg, int id)
{
    char text[256] = "";
    const int sel = Selection(dlg, id);
    if (sel >= 0)
        SendDlgItemMessageA(dlg, id, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text));
    return text;
}

inline void SetTime(HWND dlg, int id, int hour, int minute, int second, const SYSTEMTIME* pDate = nullptr)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    if (pDate != nullptr)
        st = *pDate;
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    st.wMilliseconds = 0;
    SendDlgItemMessageA(dlg, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

inline SYSTEMTIME GetTime(HWND dlg, int id)
{
    SYSTEMTIME st = {};
    SendDlgItemMessageA(dlg, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

// The row's check box in the weekday list.
inline void CheckDay(HWND dlg, int entry, bool on)
{
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
    SendDlgItemMessageA(dlg, IDC_ITEM_WEEKDAYS, LVM_SETITEMSTATE, entry, reinterpret_cast<LPARAM>(&item));
}

inline bool DayChecked(HWND dlg, int entry)
{
    return ((SendDlgItemMessageA(dlg, IDC_ITEM_WEEKDAYS, LVM_GETITEMSTATE, entry, LVIS_STATEIMAGEMASK) >> 12) - 1) > 0;
}

inline bool Visible(HWND dlg, int id)
{
    return IsWindowVisible(GetDlgItem(dlg, id)) != FALSE;
}

inline std::vector<HTIMINGITEM> Items()
{
    std::vector<HTIMINGITEM> items;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item; item = Timing_GetNextItem(0, item))
        items.push_back(item);
    return items;
}

inline _tagTimingParam TimingOf(HTIMINGITEM item)
{
    _tagTimingParam timing = {};
    Timing_GetItemTimingParam(item, &timing);
    return timing;
}

inline _tagExcuteParam ExcuteOf(HTIMINGITEM item)
{
    _tagExcuteParam excute = {};
    Timing_GetItemExcuteParam(item, &excute, sizeof excute);
    return excute;
}

inline SYSTEMTIME Today(int hour, int minute, int second = 0)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    st.wMilliseconds = 0;
    return st;
}

class Fixture : public ControllerOnCard
{
protected:
    Fixture() : ControllerOnCard(RecordingFilterModules()) {}

    void SetUp() override
    {
        static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, resources);
        AfxSetResourceHandle(resources);
        ControllerOnCard::SetUp();
        sim.Card()->SetEncoderPacing(FALSE);
        SetMachineValue(kCommonKey, "EpgUnzipPath", File("Guide").c_str());
        WriteBytes(File("TVParam.ini"), "[Channel]\r\nTVCurFreq=175250\r\nTVCurIndex=1\r\n");
        DeleteFileA(File("Rec.rec").c_str());
        ASSERT_TRUE(Timing_Initialize(File("Rec.rec").c_str(), 0));
    }
    void TearDown() override
    {
        Timing_SetTestClock(nullptr);
        Timing_Uninitialize();
        SetMachineValue(kCommonKey, "EpgUnzipPath", nullptr);
    }
};

}  // namespace schedule
