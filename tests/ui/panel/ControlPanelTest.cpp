// The control panel over the real engine on the simulated card, with the real scheduling library:
// its commands in each engine state, its menus, the idle refresh, channel changes down to the
// tuner's bytes, the channel-number entry, snapshots, recordings started, split, paused and
// stopped by the user and by scheduled items, time shift, the timed shut-down, and the settings,
// schedule, video-adjust, FM filter and About dialogs it opens.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "skin/HyperLink.h"
#include "skin/MultiSlider.h"
#include "ui/ControlPanelDlg.h"
#include "ui/SystemActions.h"
#include "ui/TVApp.h"
#include "ui/VideoDlg.h"
#include "ui/settings/ScheduleListPage.h"
#include "ui/settings/SettingsPanel.h"
#include "ui/settings/VideoAdjustDlg.h"
#include "ControllerOnCard.h"
#include "dshow/AudioRenderFilter.h"
#include "platform/standins/tamblin/Tamblin.h"
#include "resources/ResourceIds.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/support/DesktopInput.h"
#include "tests/support/DialogWatch.h"

namespace
{
typedef std::vector<BYTE> Bytes;

// A wait of the panel: how long, and what the play line and the tuner had seen by then.
struct WaitRecord
{
    DWORD ms;
    BOOL muted;
    size_t tunerWrites;
};

class CTestPanel : public CControlPanelDlg
{
public:
    std::function<size_t()> tunerWrites = [] { return size_t(0); };
    std::vector<WaitRecord> waits;
    std::vector<UINT> messages;
    int answer = IDCANCEL;
    CTime now;
    int countDowns = 0;
    std::function<INT_PTR()> countDown;

protected:
    void Wait(DWORD ms) override { waits.push_back({ ms, g_pTVEngine->IsPlaySourceMuted(), tunerWrites() }); }
    CTime Now() override { return now.GetTime() != 0 ? now : CTime::GetCurrentTime(); }
    int MessageBoxRes(UINT nTextId, UINT, UINT) override
    {
        messages.push_back(nTextId);
        return answer;
    }
    INT_PTR RunCountDownDialog() override
    {
        ++countDowns;
        return countDown ? countDown() : CControlPanelDlg::RunCountDownDialog();
    }
};

class CShutdownRecorder : public CSystemActions
{
public:
    BOOL SetScreenSaverActive(BOOL) override { return TRUE; }
    int GetPowerOffTimeout() override { return 0; }
    BOOL SetPowerOffTimeout(int) override { return TRUE; }
    BOOL ShutdownWindows(UINT uFlags) override
    {
        shutdowns.push_back(uFlags);
        return TRUE;
    }
    INT_PTR StartProgram(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, int) override { return 2; }
    std::vector<UINT> shutdowns;
};

CTVApp theApp;
CVideoDlg* g_pVideo = nullptr;
CTestPanel* g_pPanel = nullptr;
}  // namespace

CVideoDlg& GetVideoDlg() { return *g_pVideo; }
CControlPanelDlg& GetControlPanel() { return *g_pPanel; }

namespace
{
LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int CountFiles(const std::string& pattern)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do
        ++count;
    while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

SYSTEMTIME Local(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    return st;
}

std::vector<std::string> PanelFilterModules()
{
    std::vector<std::string> modules = RecordingFilterModules();
    modules.insert(modules.end(), { "OndrixSysFilters.ax", "OndrixMainConcept.ax", "OndrixTimeShift.ax" });
    return modules;
}

class Panel : public ControllerOnCard
{
protected:
    std::unique_ptr<CTVEngine> engine;

    Panel() : ControllerOnCard(PanelFilterModules()) {}

    void SetUp() override
    {
        static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, resources);
        AfxSetResourceHandle(resources);
        ControllerOnCard::SetUp();
        sim.Card()->SetEncoderPacing(FALSE);
        // Channel Five (175250 kHz) is current, Channel 1 the one watched before; MPEG-2 (DVD) records.
        WriteBytes(File("TVParam.ini"), "[Channel]\r\nTVCurFreq=175250\r\nTVLastFreq=49750\r\nTVCurIndex=1\r\n"
                                        "FMCurFreq=87500\r\nFMCurIndex=0\r\n"
                                        "[Record]\r\nRecordFormat=6\r\n[Storage]\r\nReservedSpace=10\r\n");
        for (const char* name : { "Skin.ini", "Drusk.dll" })
            CopyFileA(name, File(name).c_str(), FALSE);
        engine.reset(new CTVEngine(folder.c_str()));
        ASSERT_TRUE(Start(*engine));
        engine->SetRecordFormat(6);
        g_pVideo = new CVideoDlg;
        g_pPanel = new CTestPanel;
        g_pPanel->tunerWrites = [this] { return sim.WritesTo(0xC0).size(); };
        theApp.m_pMainWnd = g_pPanel;
        ASSERT_TRUE(g_pVideo->Create(IDD_VIDEO, nullptr));
        ASSERT_NE(nullptr, Dlg().m_hWnd);
        desktop::Pump();
    }

    void TearDown() override
    {
        if (engine && engine->IsRecording())
            engine->StopRecord();
        Timing_SetTestClock(nullptr);
        if (g_pVideo != nullptr && g_pVideo->m_hWnd != NULL)
            g_pVideo->DestroyWindow();
        if (g_pPanel != nullptr && g_pPanel->m_hWnd != NULL)
            g_pPanel->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        delete g_pPanel;
        delete g_pVideo;
        g_pPanel = nullptr;
        g_pVideo = nullptr;
        engine.reset();
    }

    static CTestPanel& Dlg() { return *g_pPanel; }
    static void Command(UINT id)
    {
        Dlg().SendMessage(WM_COMMAND, id, 0);
        desktop::Pump();
    }
    static void RemoteKey(UINT code)
    {
        // As the remote-key poller posts it: to the video window, which hands it on.
        ::PostMessageA(g_pVideo->m_hWnd, 0x3981, code, 0);
        desktop::Pump();
    }
    static void Key(HWND target, UINT key)
    {
        ::PostMessageA(target, WM_KEYDOWN, key, 1);
        desktop::Pump();
    }
    static void Timer(UINT id)
    {
        Dlg().SendMessage(WM_TIMER, id, 0);
        desktop::Pump();
    }
    CChannelTable& TV() { return engine->GetTVTable(); }
    int CurrentIndex() { return TV().FindItem(TV().GetCurrentChannel()); }
    std::vector<Bytes> TunerWrites() { return sim.WritesTo(0xC0); }
    static std::string Shot(const char* name, HWND hwnd = NULL)
    {
        hwnd = hwnd != NULL ? hwnd : Dlg().m_hWnd;
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        desktop::Pump();
        std::string path = std::string(ONDRIX_BINARY_DIR) + "/panel-" + name + ".bmp";
        CScreenShot::OfClient(hwnd).Save(path);
        return path;
    }
    std::string Text(UINT id) { return std::string(Dlg().GetPanelText(id)); }
    static BOOL Enabled(UINT id) { return ::IsWindowEnabled(::GetDlgItem(Dlg().m_hWnd, id)); }
    static BOOL Checked(UINT id) { return Dlg().IsButtonChecked(id); }
    std::string RecordFolder() { return std::string(engine->GetRecordFolder()); }
    BOOL WaitForBytes(const std::string& path, LONGLONG bytes)
    {
        return desktop::PumpUntil([&] { return FileSize(path) >= bytes; }, 10000);
    }
};
}  // namespace

TEST_F(Panel, StartsUnderTheVideoWindowWithItsControlsAndSchedule)
{
    RECT video, panel;
    ::GetWindowRect(g_pVideo->m_hWnd, &video);
    ::GetWindowRect(Dlg().m_hWnd, &panel);
    EXPECT_TRUE(Dlg().IsWindowVisible());
    EXPECT_EQ(video.bottom, panel.top);
    EXPECT_NEAR((video.left + video.right) / 2, (panel.left + panel.right) / 2, 1);
    EXPECT_TRUE(::GetWindowLongA(Dlg().m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    // A second start finds the running instance's video window by its title, not the panel.
    EXPECT_EQ(g_pVideo->m_hWnd, ::FindWindowA(NULL, "Veltrane Mireval IV"));
    EXPECT_FALSE(Enabled(ID_PAUSE));
    EXPECT_FALSE(Enabled(ID_TIMESHIFT_PAUSE));
    EXPECT_FALSE(Enabled(ID_TIMESHIFT_STOP));
    EXPECT_EQ("2 Channel Five", Text(IDC_PANEL_CHANNEL_TEXT));
    EXPECT_EQ(8u, Text(IDC_PANEL_CLOCK).size());
    // The hot keys were written with their defaults.
    EXPECT_GT(FileSize(folder + "\\Accel"), 0);
    EXPECT_EQ(1, Dlg().GetNumberMode());
    // Enter and Esc do nothing.
    Dlg().SendMessage(WM_COMMAND, IDOK, 0);
    Dlg().SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Dlg().IsWindowVisible());
    Shot("start");
}

// The settings pages reach the live panel: its hot-key table, whose rebuilt accelerators the panel
// translates keys with at once, and its skin.
TEST_F(Panel, SettingsPagesWorkOnTheLivePanelsHotKeysAndSkin)
{
    CSettingsPanel* pSettings = GetSettingsPanel();
    ASSERT_EQ(&Dlg().GetHotKeyTable(), &pSettings->GetHotKeyTable());
    CHotKeyTable& table = Dlg().GetHotKeyTable();
    CString mute;
    for (int i = 0; i < table.GetCommandCount(); ++i)
        if (table.GetCommand(i).command == ID_MUTE)
            mute = table.GetCommand(i).name;
    ASSERT_FALSE(mute.IsEmpty());
    // What the interface page does: bind, then rebuild the accelerators on apply.
    ASSERT_TRUE(pSettings->AddHotKey(mute, VK_F9, FALSE, FALSE, FALSE));
    ASSERT_TRUE(table.BuildAccelerators());
    const BOOL muted = engine->IsPlaySourceMuted();
    Key(Dlg().m_hWnd, VK_F9);
    EXPECT_NE(muted, engine->IsPlaySourceMuted());

    EXPECT_TRUE(pSettings->LoadSkin(engine->m_strDefaultSkin));
    EXPECT_FALSE(pSettings->LoadSkin("No Such Skin"));
    EXPECT_TRUE(Dlg().IsWindowVisible());
}

// What each command does in each state of the engine: done (the change it makes) or refused.
TEST_F(Panel, CommandsInEachEngineState)
{
    enum State
    {
        TV_IDLE,
        RADIO,
        VIDEO_INPUT,
        RECORDING,
        SCANNING,
        TIME_SHIFTING,
        WALL,
        STATES
    };
    const char* stateNames[] = { "TV", "radio", "video input", "recording", "scanning", "time shift", "wall" };
    struct Row
    {
        UINT command;
        const char* name;
        bool allowed[STATES];
    };
    // TV, radio, video input, recording, scanning, time shifting, wall shown.
    const Row rows[] = {
        { ID_CHANNEL_NEXT, "next channel", { 1, 1, 0, 0, 0, 0, 0 } },
        { ID_CHANNEL_PREV, "previous channel", { 1, 1, 0, 0, 0, 0, 0 } },
        { ID_CHANNEL_LAST, "last channel", { 1, 1, 0, 0, 0, 0, 0 } },
        { ID_CHANNEL_FIRST, "channel menu entry", { 1, 1, 0, 0, 0, 0, 0 } },
        { ID_SNAPSHOT, "snapshot", { 1, 0, 1, 0, 0, 0, 0 } },
        { ID_PREVIEW_WALL, "preview wall", { 1, 0, 0, 0, 0, 0, 0 } },
        { ID_CHANNEL_SCAN, "channel scan", { 1, 1, 0, 0, 1, 0, 0 } },
        { ID_NEXT_INPUT, "next input", { 1, 1, 1, 0, 0, 0, 0 } },
        { ID_FAVOURITES_ONLY, "favourites only", { 1, 1, 0, 1, 1, 1, 1 } },
        { ID_TIMESHIFT_START, "time shift", { 1, 0, 1, 0, 0, 0, 0 } },
        { ID_SETTINGS, "settings", { 1, 1, 1, 0, 0, 0, 0 } },
    };
    // A settings sheet that opens is looked at and cancelled, as a user would.
    CDialogWatch watch;
    int sheets = 0;
    watch.onDialog = [&](HWND sheet) {
        if (Dlg().GetOpenSettingsSheet() == nullptr || Dlg().GetOpenSettingsSheet()->m_hWnd != sheet)
            return;
        ++sheets;
        ::PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    };
    for (int state = 0; state < STATES; ++state)
    {
        for (const Row& row : rows)
        {
            SCOPED_TRACE(std::string(row.name) + " while " + stateNames[state]);
            // The state.
            engine->SetVideoSource(state == RADIO ? CTVEngine::SOURCE_FM
                                   : state == VIDEO_INPUT ? CTVEngine::SOURCE_AV
                                                          : CTVEngine::SOURCE_TV);
            CChannelTable* pTable = engine->GetChannelTable();
            pTable->SetFavorOnly(FALSE);
            pTable->SetCurrentChannel(pTable->GetChannel(1));
            pTable->m_lLastFreq = pTable == &TV() ? 49750 : 87500;
            // The channel menu lists the table's entries when it opens.
            Dlg().BuildChannelMenu(Dlg().GetContextMenu());
            if (state == WALL)
            {
                Command(ID_PREVIEW_WALL);
                ASSERT_TRUE(Dlg().IsWallShown());
            }
            engine->m_bRecording = state == RECORDING;
            engine->m_bScanning = state == SCANNING;
            engine->GetHardWare().m_bTimeShift = state == TIME_SHIFTING;
            int source = engine->GetInputSource();
            int snapshots = CountFiles(folder + "\\Snap\\*");
            int index = pTable->FindItem(pTable->GetCurrentChannel());
            BOOL favourites = pTable->m_bFavorOnly;
            int opened = sheets;
            Dlg().messages.clear();

            Command(row.command);

            bool done = false;
            switch (row.command)
            {
            case ID_SNAPSHOT:
                done = CountFiles(folder + "\\Snap\\*") > snapshots;
                break;
            case ID_PREVIEW_WALL:
                done = state != WALL && Dlg().IsWallShown();
                break;
            case ID_CHANNEL_SCAN:
                done = Dlg().messages.size() == 1;
                break;
            case ID_NEXT_INPUT:
                done = engine->GetInputSource() != source;
                break;
            case ID_FAVOURITES_ONLY:
                done = engine->GetChannelTable()->m_bFavorOnly != favourites;
                break;
            case ID_TIMESHIFT_START:
                done = state != TIME_SHIFTING && engine->IsTimeShifting();
                EXPECT_TRUE(Dlg().messages.empty()) << Dlg().messages.front();
                if (done)
                {
                    Command(ID_TIMESHIFT_STOP);
                    EXPECT_FALSE(engine->IsTimeShifting());
                }
                break;
            case ID_SETTINGS:
                done = sheets > opened;
                EXPECT_EQ(nullptr, Dlg().GetOpenSettingsSheet());
                break;
            default:
                done = pTable->FindItem(pTable->GetCurrentChannel()) != index;
                break;
            }
            EXPECT_EQ(row.allowed[state], done);

            engine->m_bRecording = FALSE;
            engine->m_bScanning = FALSE;
            engine->GetHardWare().m_bTimeShift = FALSE;
            if (Dlg().IsWallShown())
            {
                Dlg().GetPreviewWall().Close();
            }
        }
    }
    // While scanning the scan command asks whether to stop; the question for a new scan is another.
    engine->SetVideoSource(CTVEngine::SOURCE_TV);
    engine->m_bScanning = TRUE;
    Dlg().messages.clear();
    Command(ID_CHANNEL_SCAN);
    EXPECT_EQ(std::vector<UINT>({ IDS_ASK_STOP_SCAN }), Dlg().messages);
    engine->m_bScanning = FALSE;
    Command(ID_CHANNEL_SCAN);
    EXPECT_EQ(IDS_ASK_START_SCAN, Dlg().messages.back());
    EXPECT_FALSE(engine->IsScanning());
}

TEST_F(Panel, MenuStatesFollowTheEngineAndTheWindows)
{
    CMenu* pMenu = Dlg().GetContextMenu();
    ASSERT_NE(nullptr, pMenu);
    auto open = [&] { Dlg().SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pMenu->m_hMenu), 0); };
    auto state = [&](UINT id) { return ::GetMenuState(pMenu->m_hMenu, id, MF_BYCOMMAND); };

    engine->SetPlaySourceMute(TRUE, TRUE);
    open();
    EXPECT_TRUE(state(ID_MUTE) & MF_CHECKED);
    EXPECT_FALSE(state(ID_SHOW_PANEL) & MF_GRAYED);
    EXPECT_TRUE(state(ID_SHOW_PANEL) & MF_CHECKED);
    EXPECT_TRUE(state(ID_NOTHING) & MF_GRAYED);
    EXPECT_FALSE(state(ID_SIZE_320) & MF_GRAYED);
    EXPECT_TRUE(state(ID_PAUSE) & MF_GRAYED);
    EXPECT_TRUE(state(ID_ASPECT_FREE) & MF_CHECKED);
    EXPECT_TRUE(state(ID_RECORD_FORMAT_FIRST + 6) & MF_CHECKED);
    // The channel menu: the three visible channels under one sub-menu, the current one ticked.
    HMENU hChannels = ::GetSubMenu(pMenu->m_hMenu, 0);
    ASSERT_NE(nullptr, hChannels);
    EXPECT_EQ(3, ::GetMenuItemCount(hChannels));
    EXPECT_EQ(3, Dlg().GetChannelMenuCount());
    EXPECT_TRUE(::GetMenuState(hChannels, ID_CHANNEL_FIRST + 1, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(hChannels, ID_CHANNEL_FIRST + 1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(UINT(MF_SEPARATOR), ::GetMenuState(pMenu->m_hMenu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(UINT(ID_CHANNEL_NEXT), ::GetMenuItemID(pMenu->m_hMenu, 2));

    // Recording: sizes and aspects gray, pause open for the MPEG-2 format; the channels gray.
    engine->m_bRecording = TRUE;
    Command(ID_ASPECT_4_3);
    open();
    for (UINT id : { ID_SIZE_320, ID_SIZE_640, ID_ASPECT_FREE, ID_ASPECT_4_3, ID_ASPECT_16_9, ID_ASPECT_16_9_WIDE })
        EXPECT_TRUE(state(id) & MF_GRAYED) << id;
    EXPECT_FALSE(state(ID_PAUSE) & MF_GRAYED);
    EXPECT_TRUE(state(ID_ASPECT_FREE) & MF_CHECKED) << "the aspect does not change while recording";
    hChannels = ::GetSubMenu(pMenu->m_hMenu, 0);
    EXPECT_TRUE(::GetMenuState(hChannels, ID_CHANNEL_FIRST, MF_BYCOMMAND) & MF_GRAYED);
    engine->m_bRecording = FALSE;

    // Aspect, record format, full screen and topmost as set by their commands; the list built again.
    engine->SetPlaySourceMute(FALSE, TRUE);
    Command(ID_ASPECT_16_9);
    Command(ID_RECORD_FORMAT_FIRST + 2);
    Command(ID_TOPMOST);
    open();
    EXPECT_TRUE(state(ID_ASPECT_16_9) & MF_CHECKED);
    EXPECT_FALSE(state(ID_ASPECT_FREE) & MF_CHECKED);
    EXPECT_FALSE(state(ID_MUTE) & MF_CHECKED);
    EXPECT_TRUE(state(ID_TOPMOST) & MF_CHECKED);
    EXPECT_TRUE(state(ID_RECORD_FORMAT_FIRST + 2) & MF_CHECKED);
    EXPECT_FALSE(state(ID_RECORD_FORMAT_FIRST + 6) & MF_CHECKED);
    EXPECT_EQ(2, engine->GetRecordFormat());
    EXPECT_EQ(3, Dlg().GetChannelMenuCount());
    Command(ID_TOPMOST);

    // The radio lists its own table; any other input lists nothing, grayed.
    engine->SetVideoSource(CTVEngine::SOURCE_FM);
    open();
    EXPECT_EQ(2, Dlg().GetChannelMenuCount());
    engine->SetVideoSource(CTVEngine::SOURCE_SV);
    open();
    EXPECT_EQ(0, Dlg().GetChannelMenuCount());
    EXPECT_TRUE(::GetMenuState(pMenu->m_hMenu, 0, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(Panel, IdleRefreshFollowsMuteAndVolume)
{
    engine->SetPlaySourceMute(TRUE, TRUE);
    engine->SetPlayVolume(30);
    int volume = -1;
    bool mixer = engine->GetPlayVolume(&volume) != FALSE;
    // The video window's idle count reaching 5 refreshes the panel.
    EXPECT_EQ(0, g_pVideo->SendMessage(WM_KICKIDLE, 0, 5));
    EXPECT_TRUE(Checked(ID_MUTE));
    int position = static_cast<int>(::SendDlgItemMessageA(Dlg().m_hWnd, IDC_PANEL_VOLUME, TBM_GETPOS, 0, 0));
    EXPECT_EQ(100 - (mixer ? volume : 50), position);
    engine->SetPlaySourceMute(FALSE, TRUE);
    EXPECT_EQ(1, g_pVideo->SendMessage(WM_KICKIDLE, 0, 4));
    EXPECT_TRUE(Checked(ID_MUTE)) << "only the fifth idle round refreshes";
    g_pVideo->SendMessage(WM_KICKIDLE, 0, 5);
    EXPECT_FALSE(Checked(ID_MUTE));
    // The favourites button stands only for a tuner source.
    engine->SetVideoSource(CTVEngine::SOURCE_AV);
    g_pVideo->SendMessage(WM_KICKIDLE, 0, 5);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(Dlg().m_hWnd, ID_FAVOURITES_ONLY)));
    engine->SetVideoSource(CTVEngine::SOURCE_TV);
    g_pVideo->SendMessage(WM_KICKIDLE, 0, 5);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(Dlg().m_hWnd, ID_FAVOURITES_ONLY)));
}

TEST_F(Panel, ChannelUpAndDownMuteTuneWaitAndUnmute)
{
    engine->SetPlaySourceMute(FALSE, TRUE);
    sim.Card()->ClearBusLog();
    Dlg().waits.clear();
    // Up from Channel Five passes the hidden channel at 471250 kHz.
    Command(ID_CHANNEL_NEXT);
    EXPECT_EQ(583250, TV().GetCurrentChannel()->Frequency);
    // (38900 + 583250) x 0.016 = 9954 (0x26E2), control 0xCE, high band 0x30.
    EXPECT_EQ(std::vector<Bytes>({ { 0x26, 0xE2, 0xCE, 0x30 } }), TunerWrites());
    ASSERT_EQ(1u, Dlg().waits.size());
    EXPECT_EQ(300u, Dlg().waits[0].ms);
    EXPECT_TRUE(Dlg().waits[0].muted) << "the line is muted while the tuner settles";
    EXPECT_EQ(1u, Dlg().waits[0].tunerWrites) << "the channel is set before the wait";
    EXPECT_FALSE(engine->IsPlaySourceMuted());
    EXPECT_EQ("4 " + std::string(TV().GetCurrentChannel()->Name), Text(IDC_PANEL_CHANNEL_TEXT));

    sim.Card()->ClearBusLog();
    Dlg().waits.clear();
    Command(ID_CHANNEL_PREV);
    EXPECT_EQ(175250, TV().GetCurrentChannel()->Frequency);
    // (38900 + 175250) x 0.016 = 3426 (0x0D62), mid band 0x90.
    EXPECT_EQ(std::vector<Bytes>({ { 0x0D, 0x62, 0xCE, 0x90 } }), TunerWrites());
    ASSERT_EQ(1u, Dlg().waits.size());
    EXPECT_TRUE(Dlg().waits[0].muted);
    EXPECT_FALSE(engine->IsPlaySourceMuted());

    // A muted line only changes channel, and stays muted.
    engine->SetPlaySourceMute(TRUE, TRUE);
    Dlg().waits.clear();
    Command(ID_CHANNEL_PREV);
    EXPECT_EQ(49750, TV().GetCurrentChannel()->Frequency);
    EXPECT_TRUE(Dlg().waits.empty());
    EXPECT_TRUE(engine->IsPlaySourceMuted());
    // Down from the first wraps to the last.
    Command(ID_CHANNEL_PREV);
    EXPECT_EQ(583250, TV().GetCurrentChannel()->Frequency);

    // The channel watched before, with the short mute: muted 100 ms, restored by timer 1.
    engine->SetPlaySourceMute(FALSE, TRUE);
    Dlg().waits.clear();
    Command(ID_CHANNEL_LAST);
    EXPECT_EQ(49750, TV().GetCurrentChannel()->Frequency);
    ASSERT_EQ(1u, Dlg().waits.size());
    EXPECT_EQ(100u, Dlg().waits[0].ms);
    EXPECT_TRUE(engine->IsPlaySourceMuted());
    Timer(CControlPanelDlg::TIMER_SOUND_RESTORE);
    EXPECT_FALSE(engine->IsPlaySourceMuted());

    // The radio steps through the FM table with the FM divider: (10700 + 101700) x 0.032 = 3596.
    engine->SetVideoSource(CTVEngine::SOURCE_FM);
    engine->GetFMTable().SetCurrentChannel(engine->GetFMTable().GetChannel(0));
    sim.Card()->ClearBusLog();
    Command(ID_CHANNEL_NEXT);
    EXPECT_EQ(std::vector<Bytes>({ { 0x0E, 0x0C, 0x8A, 0xA5 } }), TunerWrites());
    EXPECT_EQ("2 Radio B - 101.7", Text(IDC_PANEL_CHANNEL_TEXT));
}

TEST_F(Panel, NumberEntryByKeyboardAndRemote)
{
    auto current = [&] { return TV().GetCurrentChannel()->Frequency; };
    // Two-digit mode: "1" and the time-out select channel 1.
    Key(g_pVideo->m_hWnd, '1');
    EXPECT_EQ(175250, current()) << "the first digit waits for the second";
    char digits[16] = "";
    ::GetWindowTextA(g_pVideo->DigitsLabel().m_hWnd, digits, sizeof(digits));
    EXPECT_STREQ("1-", g_pVideo->DigitsLabel().GetText());
    Timer(CControlPanelDlg::TIMER_NUMBER_ENTRY);
    EXPECT_EQ(49750, current());
    // "0" "4" on the numeric pad: channel 4 at once.
    Key(Dlg().m_hWnd, VK_NUMPAD0);
    Key(Dlg().m_hWnd, VK_NUMPAD4);
    EXPECT_EQ(583250, current());
    // "1" "2": 12 is beyond the table: nothing changes and the entry is empty again.
    Key(Dlg().m_hWnd, '1');
    Key(Dlg().m_hWnd, '2');
    EXPECT_EQ(583250, current());
    Timer(CControlPanelDlg::TIMER_NUMBER_ENTRY);
    EXPECT_EQ(583250, current());

    // The remote's digit codes: 224 is 1, 245 is 0, 252 is 2.
    RemoteKey(245);
    RemoteKey(252);
    EXPECT_EQ(175250, current());
    // Key 246 switches to one-digit entry: 224 selects channel 1 at once.
    RemoteKey(246);
    EXPECT_EQ(0, Dlg().GetNumberMode());
    RemoteKey(224);
    EXPECT_EQ(49750, current());
    // 0 selects nothing.
    RemoteKey(245);
    EXPECT_EQ(49750, current());
    RemoteKey(246);
    EXPECT_EQ(1, Dlg().GetNumberMode());

    // Remote channel keys: 233 up, 237 down, 244 the channel before.
    RemoteKey(233);
    EXPECT_EQ(175250, current());
    RemoteKey(237);
    EXPECT_EQ(49750, current());
    RemoteKey(244);
    EXPECT_EQ(175250, current());

    // Digits are ignored while recording; with remote keys off nothing at all is done.
    engine->m_bRecording = TRUE;
    RemoteKey(224);
    Key(Dlg().m_hWnd, '1');
    Timer(CControlPanelDlg::TIMER_NUMBER_ENTRY);
    EXPECT_EQ(175250, current());
    engine->m_bRecording = FALSE;
    Dlg().EnableRemoteKeys(FALSE);
    RemoteKey(233);
    EXPECT_EQ(175250, current());
    Dlg().EnableRemoteKeys(TRUE);

    // On the radio the entry shows on the panel; the remote's channel keys leave the radio alone.
    engine->SetVideoSource(CTVEngine::SOURCE_FM);
    RemoteKey(245);
    EXPECT_EQ("0-", Text(IDC_PANEL_CHANNEL_TEXT));
    RemoteKey(252);
    EXPECT_EQ(101700, engine->GetFMTable().GetCurrentChannel()->Frequency);
    RemoteKey(233);
    EXPECT_EQ(101700, engine->GetFMTable().GetCurrentChannel()->Frequency);
}

TEST_F(Panel, SnapshotIsTakenAndAnnounced)
{
    auto pictures = [&] { return CountFiles(folder + "\\Snap\\*.bmp") + CountFiles(folder + "\\Snap\\*.jpg"); };
    int before = pictures();
    Command(ID_SNAPSHOT);
    EXPECT_EQ(before + 1, pictures());
    CString done;
    AfxLoadString(IDS_SNAPSHOT_DONE, done);
    EXPECT_STREQ(done, g_pVideo->NoticeLabel().GetText());
    // The remote's snapshot key does the same.
    RemoteKey(188);
    EXPECT_EQ(before + 2, pictures());
    // Not on the radio.
    engine->SetVideoSource(CTVEngine::SOURCE_FM);
    Command(ID_SNAPSHOT);
    EXPECT_EQ(before + 2, pictures());
}

TEST_F(Panel, UserRecordingStartsPausesResumesSplitsAndStops)
{
    CTime start(2026, 12, 11, 20, 0, 0);
    Dlg().now = start;
    Command(ID_RECORD);
    ASSERT_TRUE(engine->IsRecording()) << (Dlg().messages.empty() ? 0 : Dlg().messages[0]);
    EXPECT_EQ(CControlPanelDlg::TASK_USER, Dlg().GetTaskState());
    EXPECT_EQ(1, Dlg().GetRecordTimerSeconds());
    EXPECT_TRUE(Checked(ID_RECORD));
    EXPECT_FALSE(Enabled(ID_RECORD)) << "one record command a second";
    for (UINT id : { ID_SETTINGS, ID_NEXT_INPUT, ID_SNAPSHOT, ID_CHANNEL_NEXT, ID_PREVIEW_WALL, ID_CHANNEL_SCAN })
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_PAUSE));
    std::string first = std::string(engine->GetRecordingPath());
    ASSERT_TRUE(WaitForBytes(first, 1024 * 1024));

    // A second press within the second finds the button disabled.
    Command(ID_RECORD);
    EXPECT_TRUE(engine->IsRecording());
    Timer(CControlPanelDlg::TIMER_RECORD_BUTTON);
    EXPECT_TRUE(Enabled(ID_RECORD));
    Shot("recording");

    Command(ID_PAUSE);
    EXPECT_TRUE(engine->IsRecordPaused());
    EXPECT_TRUE(Checked(ID_PAUSE));
    CString paused;
    AfxLoadString(IDS_RECORD_PAUSED, paused);
    EXPECT_STREQ(paused, g_pVideo->RecordLabel().GetText());
    Shot("paused");
    RemoteKey(189);
    EXPECT_FALSE(engine->IsRecordPaused());
    EXPECT_FALSE(Checked(ID_PAUSE));

    // The length check: half the remaining minute, then a new file when MaxLength is reached.
    engine->SetMaxLength(1);
    engine->ExcessLength = 0;
    Dlg().now = start + CTimeSpan(10);
    Timer(CControlPanelDlg::TIMER_RECORD_LENGTH);
    EXPECT_EQ(25, Dlg().GetRecordTimerSeconds());
    Dlg().now = start + CTimeSpan(59);
    Timer(CControlPanelDlg::TIMER_RECORD_LENGTH);
    ASSERT_TRUE(engine->IsRecording());
    EXPECT_EQ(CControlPanelDlg::TASK_USER, Dlg().GetTaskState());
    std::string second = std::string(engine->GetRecordingPath());
    EXPECT_NE(first, second);
    EXPECT_GT(FileSize(first), 1024 * 1024);
    ASSERT_TRUE(WaitForBytes(second, 512 * 1024));
    // With ExcessLength the recording ends at MaxLength.
    engine->ExcessLength = 1;
    Dlg().now = Dlg().now + CTimeSpan(60);
    Timer(CControlPanelDlg::TIMER_RECORD_LENGTH);
    EXPECT_FALSE(engine->IsRecording());
    EXPECT_EQ(CControlPanelDlg::TASK_NONE, Dlg().GetTaskState());
    EXPECT_FALSE(Checked(ID_RECORD));

    // Start and stop again by the remote's record key.
    Timer(CControlPanelDlg::TIMER_RECORD_BUTTON);
    RemoteKey(165);
    ASSERT_TRUE(engine->IsRecording());
    Timer(CControlPanelDlg::TIMER_RECORD_BUTTON);
    Command(ID_RECORD);
    EXPECT_FALSE(engine->IsRecording());
    EXPECT_EQ(CControlPanelDlg::TASK_NONE, Dlg().GetTaskState());
    EXPECT_TRUE(Enabled(ID_SETTINGS));
    EXPECT_FALSE(Enabled(ID_PAUSE));
    CopyFileA(first.c_str(), "panel-user.mpg", FALSE);
}

TEST_F(Panel, ScheduledRecordingStartsAndStopsByItself)
{
    // One item, 20:00 for a minute, on the channel at 583250 kHz, muted.
    _tagTimingParam timing = { 2026, 12, 11, 20, 0, 0, 60, 1, 1 << 4, 0 };
    _tagExcuteParam excute = { { 40, 0 }, 60, 0, 4, 583250, FALSE, TRUE, FALSE, 0 };
    SYSTEMTIME before = Local(2026, 12, 11, 19, 59, 0);
    ASSERT_TRUE(Timing_SetTestClock(&before));
    ASSERT_NE(nullptr, Timing_InsertItem(0, timing, &excute));
    EXPECT_GT(FileSize(folder + "\\Rec.rec"), 0) << "the schedule the panel opened keeps the item";
    desktop::Pump();
    EXPECT_FALSE(engine->IsRecording());

    engine->SetPlaySourceMute(FALSE, TRUE);
    sim.Card()->ClearBusLog();
    Dlg().now = CTime(2026, 12, 11, 20, 0, 0);
    SYSTEMTIME start = Local(2026, 12, 11, 20, 0, 0);
    ASSERT_TRUE(Timing_SetTestClock(&start));
    desktop::Pump();
    ASSERT_TRUE(engine->IsRecording());
    EXPECT_EQ(CControlPanelDlg::TASK_SCHEDULED, Dlg().GetTaskState());
    EXPECT_EQ(583250, TV().GetCurrentChannel()->Frequency);
    EXPECT_EQ(Bytes({ 0x26, 0xE2, 0xCE, 0x30 }), TunerWrites().at(0));
    EXPECT_TRUE(engine->IsPlaySourceMuted()) << "the item's mute";
    std::string path = std::string(engine->GetRecordingPath());
    ASSERT_TRUE(WaitForBytes(path, 2 * 1024 * 1024));
    Shot("scheduled");

    // A start while the item records is refused; the user's record command is not needed to stop.
    SYSTEMTIME end = Local(2026, 12, 11, 20, 1, 0);
    ASSERT_TRUE(Timing_SetTestClock(&end));
    desktop::Pump();
    EXPECT_FALSE(engine->IsRecording());
    EXPECT_EQ(CControlPanelDlg::TASK_NONE, Dlg().GetTaskState());
    EXPECT_FALSE(engine->IsPlaySourceMuted()) << "the line's mute from before the item";
    EXPECT_EQ(nullptr, Timing_GetFirstItem(0)) << "the one-shot item is gone";
    EXPECT_GT(FileSize(path), 2 * 1024 * 1024);
    // ffprobe reads the file after this program (see CMakeLists.txt).
    CopyFileA(path.c_str(), "panel-scheduled.mpg", FALSE);
}

TEST_F(Panel, ScheduledItemsMeetingOtherTasks)
{
    SYSTEMTIME morning = Local(2026, 12, 11, 8, 0, 0);
    ASSERT_TRUE(Timing_SetTestClock(&morning));
    // A radio item tunes its frequency from the FM table.
    _tagExcuteParam radio = { { 40, 0 }, 1, 3, 2, 101700, FALSE, FALSE, FALSE, 0 };
    ASSERT_NE(nullptr, Timing_InsertItem(0, { 2026, 12, 11, 9, 0, 0, 1, 1, 1 << 4, 0 }, &radio));
    sim.Card()->ClearBusLog();
    SYSTEMTIME nine = Local(2026, 12, 11, 9, 0, 0);
    ASSERT_TRUE(Timing_SetTestClock(&nine));
    desktop::Pump();
    EXPECT_TRUE(engine->IsRadio());
    EXPECT_EQ(101700, engine->GetFMTable().GetCurrentChannel()->Frequency);
    EXPECT_EQ(std::vector<Bytes>({ { 0x0E, 0x0C, 0x8A, 0xA5 } }), TunerWrites());
    // A viewing item (length 1) records nothing, and its end changes nothing.
    EXPECT_FALSE(engine->IsRecording());
    EXPECT_EQ(CControlPanelDlg::TASK_NONE, Dlg().GetTaskState());
    SYSTEMTIME after = Local(2026, 12, 11, 9, 0, 5);
    ASSERT_TRUE(Timing_SetTestClock(&after));
    desktop::Pump();
    EXPECT_TRUE(engine->IsRadio());
    engine->SetVideoSource(CTVEngine::SOURCE_TV);

    // During a user recording a scheduled start is cancelled and the recording goes on.
    Command(ID_RECORD);
    ASSERT_TRUE(engine->IsRecording());
    _tagExcuteParam tv = { { 40, 0 }, 60, 0, 1, 49750, FALSE, FALSE, FALSE, 0 };
    ASSERT_NE(nullptr, Timing_InsertItem(0, { 2026, 12, 11, 10, 0, 0, 60, 1, 1 << 4, 0 }, &tv));
    SYSTEMTIME ten = Local(2026, 12, 11, 10, 0, 0);
    ASSERT_TRUE(Timing_SetTestClock(&ten));
    desktop::Pump();
    EXPECT_TRUE(engine->IsRecording());
    EXPECT_EQ(CControlPanelDlg::TASK_USER, Dlg().GetTaskState());
    EXPECT_EQ(175250, TV().GetCurrentChannel()->Frequency);
    EXPECT_EQ(nullptr, Timing_GetFirstItem(0));

    // The controller ends the user's recording by itself (a disk filled up): the next item still runs.
    engine->SetDiskFull(TRUE);
    engine->SetDiskFull(FALSE);
    EXPECT_FALSE(engine->IsRecording());
    ASSERT_NE(nullptr, Timing_InsertItem(0, { 2026, 12, 11, 11, 0, 0, 60, 1, 1 << 4, 0 }, &tv));
    SYSTEMTIME eleven = Local(2026, 12, 11, 11, 0, 0);
    ASSERT_TRUE(Timing_SetTestClock(&eleven));
    desktop::Pump();
    EXPECT_TRUE(engine->IsRecording());
    EXPECT_EQ(CControlPanelDlg::TASK_SCHEDULED, Dlg().GetTaskState());
    EXPECT_EQ(49750, TV().GetCurrentChannel()->Frequency);

    // The cancel-task command ends the scheduled recording and the item.
    Command(ID_CANCEL_TASK);
    EXPECT_FALSE(engine->IsRecording());
    EXPECT_EQ(CControlPanelDlg::TASK_NONE, Dlg().GetTaskState());
    EXPECT_EQ(nullptr, Timing_GetFirstItem(0));
}

TEST_F(Panel, TimedShutdownCountsDownAndShutsWindowsDown)
{
    CShutdownRecorder recorder;
    CSystemActions::Install(&recorder);
    // Half a minute ahead: the timer waits those seconds; further ahead, at most a minute.
    Dlg().now = CTime(2026, 12, 11, 22, 0, 0);
    Dlg().SetShutdownTime(CTime(2000, 1, 1, 22, 0, 30), TRUE);
    EXPECT_EQ(30, Dlg().GetShutdownTimerSeconds());
    Dlg().SetShutdownTime(CTime(2000, 1, 1, 23, 30, 0), TRUE);
    EXPECT_EQ(60, Dlg().GetShutdownTimerSeconds());
    EXPECT_EQ(CTime(2026, 12, 11, 23, 30, 0), Dlg().GetShutdownTime());
    // Earlier today: it waits for the next day, looking again at least once a minute.
    Dlg().SetShutdownTime(CTime(2000, 1, 1, 21, 0, 0), TRUE);
    EXPECT_EQ(60, Dlg().GetShutdownTimerSeconds());
    Dlg().now = CTime(2026, 12, 11, 23, 59, 40);
    Timer(CControlPanelDlg::TIMER_SHUTDOWN);
    EXPECT_EQ(19, Dlg().GetShutdownTimerSeconds());
    Dlg().now = CTime(2026, 12, 12, 0, 0, 10);
    Timer(CControlPanelDlg::TIMER_SHUTDOWN);
    EXPECT_EQ(CTime(2026, 12, 12, 21, 0, 0), Dlg().GetShutdownTime());
    EXPECT_EQ(60, Dlg().GetShutdownTimerSeconds());
    EXPECT_EQ(0, Dlg().countDowns);

    // Switched off, nothing runs; the count-down's Cancel leaves the application running.
    Dlg().SetShutdownTime(CTime(2000, 1, 1, 0, 0, 11), FALSE);
    EXPECT_FALSE(Dlg().IsShutdownArmed());
    Dlg().countDown = [] { return INT_PTR(IDCANCEL); };
    RemoteKey(239);
    EXPECT_EQ(1, Dlg().countDowns);
    EXPECT_TRUE(g_pVideo->IsWindowVisible());

    // At the time: the count-down dialog from 10 seconds; its OK ends the application, and at its
    // exit Windows is shut down and powered off.
    Dlg().countDown = nullptr;
    DWORD uiThread = GetCurrentThreadId();
    std::string seconds;
    std::thread agree([uiThread, &seconds] {
        struct Found
        {
            HWND dialog = NULL;
        } found;
        for (int i = 0; i < 500 && found.dialog == NULL; ++i)
        {
            Sleep(20);
            EnumThreadWindows(
                uiThread,
                [](HWND hwnd, LPARAM lParam) WINAPI -> BOOL {
                    if (!IsWindowVisible(hwnd) || GetDlgItem(hwnd, IDC_COUNT_DOWN_OK) == NULL)
                        return TRUE;
                    reinterpret_cast<Found*>(lParam)->dialog = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&found));
        }
        if (found.dialog == NULL)
            return;
        char text[16] = "";
        GetDlgItemTextA(found.dialog, IDC_COUNT_DOWN_SECONDS, text, sizeof(text));
        seconds = text;
        PostMessageA(found.dialog, WM_COMMAND, IDC_COUNT_DOWN_OK, 0);
    });
    Dlg().now = CTime(2026, 12, 12, 21, 0, 0);
    Dlg().SetShutdownTime(CTime(2000, 1, 1, 21, 0, 0), TRUE);
    agree.join();
    desktop::Pump();
    EXPECT_EQ(2, Dlg().countDowns);
    EXPECT_EQ("10", seconds);
    EXPECT_FALSE(g_pVideo->IsWindowVisible()) << "the application ended";
    theApp.ExitInstance();
    EXPECT_EQ(std::vector<UINT>({ EWX_SHUTDOWN | EWX_POWEROFF }), recorder.shutdowns);
    theApp.SetShutdownRequest(FALSE);
    CSystemActions::Install(nullptr);
}


namespace
{
CMultiSlider* TimeShiftSlider()
{
    return dynamic_cast<CMultiSlider*>(
        CWnd::FromHandlePermanent(::GetDlgItem(g_pPanel->m_hWnd, IDC_TIMESHIFT_POSITION)));
}

// A click on the slider, as the mouse gives it, at a point along its track (client coordinates).
void ClickSlider(CMultiSlider* pSlider, int x, int y)
{
    LPARAM point = MAKELPARAM(x, y);
    pSlider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
    pSlider->SendMessage(WM_LBUTTONUP, 0, point);
    desktop::Pump();
}

std::string ResourceText(UINT id)
{
    CString text;
    AfxLoadString(id, text);
    return std::string(text);
}
}  // namespace

TEST_F(Panel, TimeShiftPausesLiveTelevisionResumesAndStops)
{
    CTVHardWare& hw = engine->GetHardWare();
    engine->SetPlaySourceMute(FALSE, TRUE);
    int liveVolume = 50;
    if (!engine->GetPlayVolume(&liveVolume))
        liveVolume = 50;
    // Before time shift runs its pause and stop do nothing.
    Command(ID_TIMESHIFT_PAUSE);
    Command(ID_TIMESHIFT_STOP);
    EXPECT_FALSE(engine->IsTimeShifting());
    EXPECT_TRUE(Dlg().messages.empty());

    // The remote's time-shift key starts it: the live line falls silent, the buffer's play-back is heard.
    RemoteKey(187);
    ASSERT_TRUE(engine->IsTimeShifting()) << (Dlg().messages.empty() ? 0 : Dlg().messages[0]);
    EXPECT_FALSE(Enabled(ID_TIMESHIFT_START));
    EXPECT_TRUE(Enabled(ID_TIMESHIFT_PAUSE));
    EXPECT_TRUE(Enabled(ID_TIMESHIFT_STOP));
    EXPECT_TRUE(Enabled(IDC_TIMESHIFT_POSITION));
    EXPECT_EQ(ResourceText(IDS_TIMESHIFT_STARTED), std::string(g_pVideo->NoticeLabel().GetText()));
    LONG rendererVolume = -1;
    ASSERT_NE(nullptr, hw.m_pDefaultSound);
    hw.m_pDefaultSound->GetVolume(&rendererVolume);
    EXPECT_EQ(liveVolume, rendererVolume) << "the play-back starts at the live volume";
    // The key again while time shift runs starts nothing: the line's state from before is kept.
    RemoteKey(187);
    EXPECT_TRUE(engine->IsTimeShifting());

    // The slider follows the buffer: its range the whole buffer, its band what is buffered.
    CMultiSlider* pSlider = TimeShiftSlider();
    ASSERT_NE(nullptr, pSlider);
    ASSERT_TRUE(desktop::PumpUntil(
        [&] {
            Timer(CControlPanelDlg::TIMER_TIMESHIFT_POSITION);
            return pSlider->GetSelectionEnd() > 2 * 1024 * 1024;
        },
        15000));
    EXPECT_EQ(static_cast<LONGLONG>(hw.GetTimeShiftBufferBytes()), pSlider->GetRangeMax());
    EXPECT_EQ(0, pSlider->GetSelectionStart());
    Shot("timeshift");

    // The pause command pauses the play-back: the card goes on filling the buffer, the thumb waits.
    Command(ID_PAUSE);
    EXPECT_TRUE(hw.IsTimeShiftPaused());
    EXPECT_TRUE(Checked(ID_TIMESHIFT_PAUSE));
    EXPECT_FALSE(engine->IsRecording());
    Timer(CControlPanelDlg::TIMER_TIMESHIFT_POSITION);
    LONGLONG heldAt = pSlider->GetPos();
    LONGLONG band = pSlider->GetSelectionEnd();
    ASSERT_TRUE(desktop::PumpUntil(
        [&] {
            Timer(CControlPanelDlg::TIMER_TIMESHIFT_POSITION);
            return pSlider->GetSelectionEnd() > band + 1024 * 1024;
        },
        15000));
    EXPECT_LE(pSlider->GetPos(), heldAt + 128 * 1024);
    Shot("timeshift-paused");

    // A click into the band seeks there.
    CRect selection;
    ASSERT_TRUE(pSlider->GetSelectionRect(selection));
    ClickSlider(pSlider, (selection.left + selection.right) / 2, selection.CenterPoint().y);
    LONGLONG sought = pSlider->GetPos();
    EXPECT_GT(sought, heldAt + 256 * 1024);
    Timer(CControlPanelDlg::TIMER_TIMESHIFT_POSITION);
    EXPECT_GE(pSlider->GetPos(), sought - 128 * 1024) << "play-back reads from where the thumb was put";

    // While the user holds the thumb the slider is left alone, and the timer goes on.
    CRect thumb = pSlider->GetThumbRect();
    int seconds = Dlg().GetTimeShiftSeconds();
    pSlider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.CenterPoint().x, thumb.CenterPoint().y));
    ASSERT_TRUE(pSlider->IsDragging());
    LONGLONG held = pSlider->GetPos();
    Timer(CControlPanelDlg::TIMER_TIMESHIFT_POSITION);
    EXPECT_EQ(held, pSlider->GetPos());
    EXPECT_EQ(seconds + 1, Dlg().GetTimeShiftSeconds());
    pSlider->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(thumb.CenterPoint().x, thumb.CenterPoint().y));
    desktop::Pump();
    Timer(CControlPanelDlg::TIMER_TIMESHIFT_POSITION);
    EXPECT_EQ(seconds + 2, Dlg().GetTimeShiftSeconds());

    // Resumed: the play-back runs on.
    Command(ID_TIMESHIFT_PAUSE);
    EXPECT_FALSE(hw.IsTimeShiftPaused());
    EXPECT_FALSE(Checked(ID_TIMESHIFT_PAUSE));
    LONGLONG from = pSlider->GetPos();
    EXPECT_TRUE(desktop::PumpUntil(
        [&] {
            Timer(CControlPanelDlg::TIMER_TIMESHIFT_POSITION);
            return pSlider->GetPos() > from + 256 * 1024;
        },
        15000));

    // Mute and volume act on the play-back's renderer, not on the silent live line.
    Command(ID_MUTE);
    BOOL rendererMuted = FALSE;
    hw.GetDirectSoundMute(&rendererMuted);
    EXPECT_TRUE(rendererMuted);
    EXPECT_TRUE(Checked(ID_MUTE));
    Command(ID_MUTE);
    hw.GetDirectSoundMute(&rendererMuted);
    EXPECT_FALSE(rendererMuted);
    Command(ID_VOLUME_DOWN);
    hw.m_pDefaultSound->GetVolume(&rendererVolume);
    EXPECT_EQ(liveVolume - 5, rendererVolume);

    // The record command during time shift ends time shift and records nothing.
    Command(ID_RECORD);
    EXPECT_FALSE(engine->IsTimeShifting());
    EXPECT_FALSE(engine->IsRecording());
    EXPECT_EQ(CDShowGraph::STATE_RUNNING, hw.GetGraph().GetState()) << "the live picture is back";
    EXPECT_FALSE(engine->IsPlaySourceMuted()) << "the live line as it was before";
    int volume = -1;
    if (engine->GetPlayVolume(&volume))
        EXPECT_EQ(liveVolume, volume);
    EXPECT_TRUE(Enabled(ID_TIMESHIFT_START));
    EXPECT_FALSE(Enabled(ID_TIMESHIFT_PAUSE));
    EXPECT_FALSE(Enabled(ID_TIMESHIFT_STOP));
    Timer(CControlPanelDlg::TIMER_TIMESHIFT_POSITION);
    EXPECT_FALSE(Enabled(IDC_TIMESHIFT_POSITION));
    EXPECT_TRUE(Dlg().messages.empty());
}

TEST_F(Panel, TimeShiftEndsAtItsLengthAndKeepsTheLineMuted)
{
    // With the length limit on, time shift ends after TFTime seconds of the position timer.
    engine->TFReserved = 1;
    engine->TFTime = 600;
    engine->SetPlaySourceMute(TRUE, TRUE);
    Command(ID_TIMESHIFT_START);
    ASSERT_TRUE(engine->IsTimeShifting()) << (Dlg().messages.empty() ? 0 : Dlg().messages[0]);
    for (int i = 0; i < 600; ++i)
        Dlg().SendMessage(WM_TIMER, CControlPanelDlg::TIMER_TIMESHIFT_POSITION, 0);
    EXPECT_EQ(600, Dlg().GetTimeShiftSeconds());
    EXPECT_TRUE(engine->IsTimeShifting());
    Timer(CControlPanelDlg::TIMER_TIMESHIFT_POSITION);
    EXPECT_FALSE(engine->IsTimeShifting());
    EXPECT_EQ(std::vector<UINT>({ IDS_TIMESHIFT_LENGTH_REACHED }), Dlg().messages);
    EXPECT_EQ(0, Dlg().GetTimeShiftSeconds());

    // The stop command ends it as well; the buffer and its index lie in the record folder.
    engine->TFReserved = 0;
    Command(ID_TIMESHIFT_START);
    ASSERT_TRUE(engine->IsTimeShifting());
    EXPECT_GE(CountFiles(RecordFolder() + "\\*.idx"), 1);
    Command(ID_TIMESHIFT_STOP);
    EXPECT_FALSE(engine->IsTimeShifting());
}

TEST_F(Panel, SettingsSheetOpensOnItsLastPageAndItsPagesWorkThroughThePanel)
{
    CDialogWatch watch;
    int opened = 0;
    int startPage = -1;
    std::string title;
    std::string chosen;
    watch.onDialog = [&](HWND sheet) {
        // The panel's own windows come up too; the sheet is the one the panel says is open.
        if (Dlg().GetOpenSettingsSheet() == nullptr || Dlg().GetOpenSettingsSheet()->m_hWnd != sheet)
            return;
        ++opened;
        EXPECT_EQ(g_pVideo->m_hWnd, ::GetWindow(sheet, GW_OWNER)) << "the video window owns the sheet";
        EXPECT_EQ(static_cast<CSettingsPanel*>(&Dlg()), GetSettingsPanel());
        char text[256] = "";
        ::GetWindowTextA(sheet, text, sizeof text);
        title = text;
        startPage = static_cast<int>(::SendMessageA(
            reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)), TCM_GETCURSEL, 0, 0));
        if (opened == 1)
        {
            // Choosing a channel on the TV channel page tunes it through the panel, which shows it.
            HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            HWND list = ::GetDlgItem(page, 1013);
            ASSERT_NE(nullptr, list);
            LVITEMA item = {};
            item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            item.state = LVIS_SELECTED | LVIS_FOCUSED;
            ::SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
            desktop::Pump();
            chosen = Text(IDC_PANEL_CHANNEL_TEXT);
            // Remote keys and hot keys rest while the sheet is open.
            RemoteKey(233);
            Key(Dlg().m_hWnd, VK_PRIOR);
            EXPECT_EQ(49750, TV().GetCurrentChannel()->Frequency);
            Shot("settings", sheet);
            ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
            desktop::Pump();
            ::PostMessageA(sheet, WM_COMMAND, IDOK, 0);
            return;
        }
        // A scheduled item that starts closes the open sheet.
        SYSTEMTIME eight = Local(2026, 12, 11, 20, 0, 0);
        ASSERT_TRUE(Timing_SetTestClock(&eight));
        // The sheet's run ends once no page is current any more.
        if (!desktop::PumpUntil([&] { return ::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) == 0; }, 5000))
        {
            ADD_FAILURE() << "the sheet stayed open; channel " << TV().GetCurrentChannel()->Frequency;
            ::PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
        }
    };
    Command(ID_SETTINGS);
    ASSERT_EQ(1, opened);
    EXPECT_EQ(0u, title.find(ResourceText(IDS_SETTINGS_CAPTION) + " - ")) << title;
    EXPECT_EQ(0, startPage);
    EXPECT_EQ("1 " + std::string(TV().GetChannel(0)->Name), chosen);
    EXPECT_EQ(49750, TV().GetCurrentChannel()->Frequency);
    EXPECT_EQ(nullptr, Dlg().GetOpenSettingsSheet());
    EXPECT_EQ(1, Dlg().GetSettingsPage());
    // The channel the page chose is saved with the settings when the sheet closes.
    auto settings = ReadBytes(folder + "\\TVParam.ini");
    EXPECT_NE(std::string::npos, std::string(settings.begin(), settings.end()).find("TVCurFreq=49750"));

    // The sheet opens again on the page last seen; a scheduled viewing of 583250 kHz comes due.
    SYSTEMTIME before = Local(2026, 12, 11, 19, 59, 0);
    ASSERT_TRUE(Timing_SetTestClock(&before));
    _tagExcuteParam viewing = { { 40, 0 }, 1, 0, 3, 583250, FALSE, FALSE, FALSE, 0 };
    ASSERT_NE(nullptr, Timing_InsertItem(0, { 2026, 12, 11, 20, 0, 0, 1, 1, 1 << 4, 0 }, &viewing));
    Command(ID_SETTINGS);
    EXPECT_EQ(2, opened);
    EXPECT_EQ(1, startPage);
    EXPECT_EQ(nullptr, Dlg().GetOpenSettingsSheet());
    EXPECT_EQ(583250, TV().GetCurrentChannel()->Frequency);
    // Keys work again.
    Key(Dlg().m_hWnd, VK_NEXT);
    EXPECT_EQ(175250, TV().GetCurrentChannel()->Frequency);
}

TEST_F(Panel, ScheduleListPageArmsThePanelsTimedShutdown)
{
    Dlg().now = CTime(2026, 12, 11, 22, 0, 0);
    CPropertySheet sheet("settings", nullptr, 0);
    CScheduleListPage page;
    sheet.AddPage(&page);
    CDialogWatch watch;
    watch.onDialog = [&](HWND h) {
        ::SendMessageA(::GetDlgItem(page.m_hWnd, IDC_SCHEDULE_SHUT_DOWN), BM_CLICK, 0, 0);
        SYSTEMTIME at = Local(2026, 12, 11, 23, 15, 0);
        ::SendMessageA(::GetDlgItem(page.m_hWnd, IDC_SCHEDULE_SHUT_TIME), DTM_SETSYSTEMTIME, GDT_VALID,
                       reinterpret_cast<LPARAM>(&at));
        desktop::Pump();
        ::SendMessageA(h, PSM_PRESSBUTTON, PSBTN_OK, 0);
    };
    sheet.DoModal();
    EXPECT_TRUE(Dlg().IsShutdownArmed());
    EXPECT_EQ(CTime(2026, 12, 11, 23, 15, 0), Dlg().GetShutdownTime());
    EXPECT_EQ(60, Dlg().GetShutdownTimerSeconds());
    EXPECT_TRUE(engine->GetEnableShut());
}

TEST_F(Panel, OpensTheVideoAdjustScheduleFMFilterAndAboutDialogs)
{
    // The video-adjust dialog: shown beside the panel, hidden by the same command and by the next input.
    Command(ID_VIDEO_ADJUST);
    CVideoAdjustDlg& adjust = GetVideoAdjustDlg();
    ASSERT_NE(nullptr, adjust.m_hWnd);
    EXPECT_TRUE(adjust.IsWindowVisible());
    RECT panelRect, adjustRect;
    ::GetWindowRect(Dlg().m_hWnd, &panelRect);
    ::GetWindowRect(adjust.m_hWnd, &adjustRect);
    EXPECT_EQ(panelRect.right, adjustRect.left);
    EXPECT_EQ(panelRect.top, adjustRect.top);
    Shot("video-adjust", adjust.m_hWnd);
    Command(ID_VIDEO_ADJUST);
    EXPECT_FALSE(adjust.IsWindowVisible());
    Command(ID_VIDEO_ADJUST);
    Command(ID_NEXT_INPUT);
    EXPECT_FALSE(adjust.IsWindowVisible());
    engine->SetVideoSource(CTVEngine::SOURCE_TV);

    CDialogWatch watch(IDYES);
    std::vector<std::string> seen;
    std::function<void(HWND)> step;
    watch.onDialog = [&](HWND h) {
        // Only the dialogs the commands open: the panel's own windows come up too.
        if (::GetWindow(h, GW_OWNER) != Dlg().m_hWnd || h == adjust.m_hWnd)
            return;
        char text[256] = "";
        ::GetWindowTextA(h, text, sizeof text);
        seen.push_back(text);
        if (step)
            step(h);
    };

    // The programme-guide schedule dialog, modal, with the hot keys off meanwhile.
    step = [&](HWND h) {
        EXPECT_NE(nullptr, ::GetDlgItem(h, IDC_GUIDE_PROGRAMMES));
        Key(Dlg().m_hWnd, VK_PRIOR);
        EXPECT_EQ(175250, TV().GetCurrentChannel()->Frequency) << "no hot keys while the dialog runs";
        Shot("schedule", h);
        ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
    };
    Command(ID_SCHEDULE);
    EXPECT_EQ(1u, seen.size());

    // The FM custom dialog: OK with an entry switches the radio to custom mode, without one to mode 0.
    CFMCustomEntry* pEntry = new CFMCustomEntry;
    pEntry->m_strName = "Mine";
    pEntry->m_strAudioComp = "Some Compressor";
    engine->GetFMCustomList().Add(pEntry);
    engine->GetFMCustomList().m_nCurrent = 0;
    step = [&](HWND h) {
        EXPECT_EQ(1, ::SendDlgItemMessageA(h, IDC_FM_CUSTOM_ENTRIES, CB_GETCOUNT, 0, 0));
        Shot("fm-custom", h);
        ::PostMessageA(h, WM_COMMAND, IDOK, 0);
    };
    Command(ID_FM_FILTER_CUSTOM);
    EXPECT_EQ(2u, seen.size());
    EXPECT_EQ(3, engine->GetFMFilterMode());
    EXPECT_EQ(CString("Some Compressor"), engine->GetHardWare().m_strCustomCompressor);
    step = [&](HWND h) {
        // The delete question is answered Yes.
        ::SendMessageA(::GetDlgItem(h, IDC_FM_CUSTOM_DELETE), BM_CLICK, 0, 0);
        desktop::Pump();
        EXPECT_EQ(0, ::SendDlgItemMessageA(h, IDC_FM_CUSTOM_ENTRIES, CB_GETCOUNT, 0, 0));
        ::PostMessageA(h, WM_COMMAND, IDOK, 0);
    };
    Command(ID_FM_FILTER_CUSTOM);
    EXPECT_EQ(0, engine->GetFMCustomList().GetCount());
    EXPECT_EQ(0, engine->GetFMFilterMode());

    // About: its web and mail lines are links to their own texts.
    step = [&](HWND h) {
        for (UINT id : { IDC_ABOUT_WEB_LINK, IDC_ABOUT_MAIL_LINK })
        {
            HWND hLink = ::GetDlgItem(h, id);
            CHyperLink* pLink = dynamic_cast<CHyperLink*>(CWnd::FromHandlePermanent(hLink));
            ASSERT_NE(nullptr, pLink) << id;
            char text[128] = "";
            ::GetWindowTextA(hLink, text, sizeof text);
            EXPECT_EQ(std::string(id == IDC_ABOUT_MAIL_LINK ? "mailto:" : "") + text, std::string(pLink->GetURL()));
        }
        Shot("about", h);
        ::PostMessageA(h, WM_COMMAND, IDOK, 0);
    };
    Command(ID_ABOUT);
    EXPECT_EQ(4u, seen.size());
}
