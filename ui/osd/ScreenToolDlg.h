#pragma once
#include "platform/afx/Dialog.h"
#include "skin/BmpButton.h"
#include "skin/SkinStatic.h"
#include "skin/ToolTipCtrlEx.h"

// The commands of the screen tool, carried out by its owner (the control panel).
class CScreenToolOwner
{
public:
    virtual ~CScreenToolOwner() {}
    virtual void Snapshot() {}
    virtual void OpenPreviewWall() {}
    virtual void ToggleRecording() {}
    virtual void SetRecordingButtons(BOOL recording) {}
    virtual void PrevChannel() {}
    virtual void NextChannel() {}
    virtual void SetMute(BOOL mute) {}
    virtual void SetVolume(int volume) {}
    // The tool was shown or hidden: the video window lays out its labels again.
    virtual void OnScreenToolShown(BOOL shown) {}
    // The window that receives the keys pressed in the tool.
    virtual HWND KeyTarget() { return nullptr; }
};

// A topmost bar across the top of the screen with the most used commands and a volume slider;
// it hides itself when the mouse has left it, unless pinned.
class CScreenToolDlg : public CDialog
{
public:
    enum
    {
        HIDE_TIMER = 1212
    };
    CScreenToolDlg();
    BOOL Create(CWnd* pParent);
    void SetOwner(CScreenToolOwner* pOwner) { m_pOwner = pOwner; }
    void Show(BOOL show);
    void SetPinned(BOOL pinned);
    BOOL IsPinned() const { return m_bPinned; }
    void SetInfoText(LPCSTR text);
    void SetMuteCheck(BOOL checked) { m_buttons[7].SetCheck(checked); }
    void SetRecordCheck(BOOL checked) { m_buttons[4].SetCheck(checked); }
    void SetAutoHideTime(UINT ms) { m_nAutoHide = ms; }
    BOOL IsHideTimerRunning() const { return m_nTimer != 0; }
    CBmpButton& Button(int index) { return m_buttons[index]; }
    CBmpSlider& Volume() { return m_volume; }
    CToolTipCtrlEx& ToolTip() { return m_toolTip; }
    CSkinStatic& Info() { return m_info; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnPaint();
    void OnHScroll(UINT code, UINT pos, CScrollBar* pBar);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

private:
    CScreenToolOwner& Owner() { return m_pOwner ? *m_pOwner : m_noOwner; }
    void DrawBackground(CDC* pDC);
    void StartHideTimer();
    void StopHideTimer();

    CString m_strInfo;
    CBmpButton m_buttons[8];
    CBmpSlider m_volume;
    CSkinStatic m_info;
    CBitmap m_left;
    CBitmap m_tile;
    UINT_PTR m_nTimer;
    UINT m_nAutoHide;
    CToolTipCtrlEx m_toolTip;
    BOOL m_bPinned;
    CScreenToolOwner* m_pOwner;
    CScreenToolOwner m_noOwner;
};

// Counts down the seconds before the computer is shut down; OK or the end of the count ends it
// with IDOK, Cancel with IDCANCEL.
class CCountDownDlg : public CDialog
{
public:
    explicit CCountDownDlg(CWnd* pParent = nullptr);
    void SetStartValue(int seconds) { m_nStart = seconds; }
    int GetRemaining() const { return m_nRemaining; }
    // One tick of the count, as the one-second timer gives it.
    void Tick();
    static int GetDotCount();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    int m_nStart;
    int m_nRemaining;
};

// Brings a window to the foreground from a worker thread.
class CForegroundHelper
{
public:
    explicit CForegroundHelper(CWnd* pWnd);
    ~CForegroundHelper();

private:
    static DWORD WINAPI Run(LPVOID);
    HANDLE m_hThread;
};
