#pragma once
#include "engine/ChannelTable.h"
#include "platform/afx/Array.h"
#include "skin/SkinDialog.h"
#include "ui/osd/OSDLabelWnd.h"
#include "ui/osd/OSDTextWnd.h"

class CChannelItem;

// The window the television picture is shown in: a frameless skinned dialog run modally by the
// application object; its modal loop is the application's main loop. Its initialisation wires the
// picture to the card, and every exit path ends here.
class CVideoDlg : public CSkinDialog
{
public:
    enum
    {
        IDD = 129,
        WM_SCAN_STEP = 0x3979,
        WM_SCAN_DONE = 0x3980,
        WM_REMOTE_KEY = 0x3981,
        WM_RELEASE_DEVICE = 0x4400,
        WM_TAKE_BACK_DEVICE = 0x4401,
        WM_EXIT_REQUEST = 1468,
    };
    enum
    {
        TIMER_CURSOR = 1,
        TIMER_DESKTOP_MINIMIZE = 2,
    };
    CVideoDlg();
    ~CVideoDlg() override;

    void ShowVideo(BOOL bShow) { ShowWindow(bShow ? SW_SHOW : SW_HIDE); }
    void SetTopMost(BOOL bTopMost);
    BOOL IsTopMost() const { return m_isTopMost; }
    BOOL IsFullScreen() const { return IsZoomed(); }
    void ShowMaximized() { ShowWindow(SW_SHOWMAXIMIZED); }
    void Minimize();
    void ShowNormal() { ShowWindow(SW_SHOWNORMAL); }
    void Restore() { ShowWindow(SW_RESTORE); }
    void SetClientSize(CSize size);
    void ReapplyAspect();
    void ExitApp();
    // The movie player (it takes the card while it runs) and the instant messenger.
    LRESULT StartPlayerProgram();
    LRESULT StartMessenger();
    LRESULT StartImageBrowser();
    LRESULT StartUpdater();
    BOOL IsPlayerRunning() const { return m_playerRunning; }

    // The texts over the picture. Showing the channel label hides the digits label and the other
    // way round; while this window is hidden the record and notice labels are left as they are,
    // and the channel and digits labels can be hidden but not shown.
    void SetChannelText(LPCSTR text) { m_channelLabel.SetText(text); }
    void ShowChannelLabel(BOOL bShow);
    void SetRecordText(LPCSTR text) { m_recordLabel.SetText(text); }
    void ShowRecordLabel(BOOL bShow);
    void SetNoticeText(LPCSTR text) { m_noticeLabel.SetText(text); }
    void ShowNoticeLabel(BOOL bShow);
    void SetDigitsText(LPCSTR text) { m_digitsLabel.SetText(text); }
    void ShowDigitsLabel(BOOL bShow);
    void SetInputText(LPCSTR text) { m_inputLabel.SetText(text); }
    void ShowInputLabel(BOOL bShow);
    void ShowVolumeBar(BOOL bShow, LPCSTR text, int percent);
    // The channel information box: name, local time and, on the TV input, the guide's now and next.
    void ShowChannelInfo(CChannelItem* pItem);
    COSDTextWnd& ChannelInfo() { return m_osdText; }
    // Margins follow the screen tool: while it is shown the texts stand below it.
    void LayoutLabels();
    COSDLabelWnd& ChannelLabel() { return m_channelLabel; }
    COSDLabelWnd& RecordLabel() { return m_recordLabel; }
    COSDLabelWnd& NoticeLabel() { return m_noticeLabel; }
    COSDLabelWnd& DigitsLabel() { return m_digitsLabel; }
    COSDLabelWnd& InputLabel() { return m_inputLabel; }
    COSDBarLabelWnd& ScanLabel() { return m_scanLabel; }
    COSDBarLabelWnd& VolumeLabel() { return m_volumeLabel; }

    // The mouse cursor over the picture: hidden a while after the last move in full screen.
    void SetCursorAutoHide(BOOL bAutoHide);
    BOOL IsCursorShown() const { return m_cursorShown; }
    BOOL IsCursorTimerRunning() const { return m_cursorTimer != 0; }
    void ShowCursor();
    void HideCursor();
    BOOL IsDesktopVideo() const { return m_desktopVideo; }

    // A channel scan begins (the controller calls this once the scan runs).
    void OnSearchBegin();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnCancel() override { ExitApp(); }
    void OnSize(UINT nType, int cx, int cy);
    void OnClose() { ExitApp(); }
    void OnDestroy();
    HCURSOR OnQueryDragIcon() { return m_hIcon; }
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    LRESULT OnExitRequest(WPARAM wParam, LPARAM lParam);
    LRESULT OnReleaseDevice(WPARAM wParam, LPARAM lParam);
    LRESULT OnTakeBackDevice(WPARAM wParam, LPARAM lParam);
    LRESULT OnRemoteKey(WPARAM wParam, LPARAM lParam);
    LRESULT OnScanStep(WPARAM wParam, LPARAM lParam);
    LRESULT OnScanDone(WPARAM wParam, LPARAM lParam);
    void OnMove(int x, int y);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnNothing() {}
    void OnDesktopVideo();
    void OnCursorTimer();
    void StopCursorTimer();
    void PlaceChannelInfo();
    void HideOsdWindows();
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    void CreateLabels();
    void DestroyLabels();
    void RelayoutLabels();

    void RestoreWindowState();
    void SaveWindowState();

    BOOL m_isTopMost;
    BOOL m_isMaximized;
    HICON m_hIcon;
    BOOL m_playerRunning;
    COSDMultiLineLabelWnd m_channelLabel;
    COSDLabelWnd m_recordLabel;
    COSDLabelWnd m_noticeLabel;
    COSDLabelWnd m_digitsLabel;
    COSDLabelWnd m_inputLabel;
    COSDBarLabelWnd m_volumeLabel;
    COSDBarLabelWnd m_scanLabel;
    COSDTextWnd m_osdText;
    // The seven labels: channel, record, notice, input, digits, volume, scan.
    CPtrArray m_labels;
    // A channel scan: the table as it was, the country's names and the progress.
    CChannelTable m_oldChannels;
    CFreqNameMap m_defaultNames;
    int m_scanStep;
    int m_scanLow;
    int m_scanHigh;
    UINT_PTR m_cursorTimer;
    BOOL m_cursorShown;
    BOOL m_cursorAutoHide;
    BOOL m_desktopVideo;
    // Whether the next maximising enters or leaves the desktop video.
    BOOL m_maximizeActs;
    // The panel's parent while the video window is hidden and the panel stands alone.
    HWND m_hPanelParent;
};

// The one video window of the application.
CVideoDlg& GetVideoDlg();
