#pragma once
#include "platform/afx/AfxMsg.h"
#include "platform/afx/Geometry.h"
#include "platform/afx/String.h"

#include <commctrl.h>

// The system header's two-argument macro would swallow the member of that name.
#undef GetNextWindow

class CDC;
class CFont;
class CMenu;
class CRgn;
class CScrollBar;
class CDataExchange;

CScrollBar* AFXAPI AfxScrollBarFromHandle(HWND hWnd);

// State bits of a window object.
#define WF_MODALLOOP 0x0008      // RunModalLoop is running for it
#define WF_CONTINUEMODAL 0x0010  // its modal loop goes on until EndModalLoop

// A window: the handle, the message map dispatch and thin wrappers of the window calls.
// Objects made by Create, Attach or subclassing are the window's permanent object; FromHandle
// hands out a temporary wrapper for a window nobody wraps, valid until the next idle time.
class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)
public:
  CWnd();
  explicit CWnd(HWND hWnd);  // a plain value object of a handle (the special insert-after windows)
  ~CWnd() override;

  HWND m_hWnd;

  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;

  // Both are safe on a NULL object pointer (NULL then).
  operator HWND() const { return GetSafeHwnd(); }
  HWND GetSafeHwnd() const;
  bool operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
  bool operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

  static CWnd* PASCAL FromHandle(HWND hWnd);
  static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
  // Deletes the calling thread's temporary window wrappers made at the current loop depth or deeper.
  static void PASCAL DeleteTempMap();
  BOOL Attach(HWND hWndNew);
  HWND Detach();

  // Creation. lpszClassName NULL means the framework's plain window class.
  virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

  // Subclassing: the object takes over an existing window's messages.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // Message handling.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual BOOL ContinueModal();
  virtual void EndModalLoop(int nResult);
  virtual void PreSubclassWindow();
  virtual void PostNcDestroy();

  // The current message's default processing.
  LRESULT Default();
  // Walks pMsg from its window up through the parents (and owners) to hWndStop, asking each
  // window object's PreTranslateMessage; TRUE when one of them took the message.
  static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
  BOOL IsDialogMessage(LPMSG lpMsg);
  BOOL PreTranslateInput(LPMSG lpMsg);
  int RunModalLoop(DWORD dwFlags = 0);
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE) const;

  // Styles.
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }
  // Changes the style bits; with nFlags, SetWindowPos(nFlags) follows (SWP_FRAMECHANGED and the like).
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

  // Text and font.
  void SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
  int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount); }
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;

  // Geometry.
  void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
  void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
  void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
  // Centres over the owner (a child: over its parent's client area), else over the work area,
  // kept inside the work area.
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
  int GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }
  CWnd* ChildWindowFromPoint(POINT point) const;
  static CWnd* PASCAL WindowFromPoint(POINT point);

  // State.
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
  CWnd* SetFocus();
  static CWnd* PASCAL GetFocus();
  CWnd* SetActiveWindow();
  static CWnd* PASCAL GetActiveWindow();
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  static CWnd* PASCAL GetForegroundWindow();
  void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
  CWnd* SetCapture();
  static CWnd* PASCAL GetCapture();
  BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }
  void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }

  // Painting.
  void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
  void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  CDC* GetDC();
  CDC* GetWindowDC();
  CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
  int ReleaseDC(CDC* pDC);
  CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
  void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
  BOOL ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

  // Relatives.
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* pWndNewParent);
  // The owner of a pop-up, else the parent.
  CWnd* GetOwner() const;
  CWnd* GetTopLevelParent() const;
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return GetWindow(nFlag); }
  CWnd* GetLastActivePopup() const;
  // The descendant with that id (depth first); with bOnlyPerm only window objects of this thread.
  CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
  static CWnd* PASCAL FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName);
  static CWnd* PASCAL FindWindowEx(HWND hwndParent, HWND hwndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow);

  // Dialog items.
  CWnd* GetDlgItem(int nID) const;
  void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  int SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID)); }
  void SetDlgItemText(int nID, LPCSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
  int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const { return ::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount); }
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
  }
  void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
  UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
  void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) { ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck); }
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
  }
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

  // Menus.
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* pMenu);
  CMenu* GetSystemMenu(BOOL bRevert) const;
  void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }

  // Timers and scroll bars.
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = nullptr) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
  }
  BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
  int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
  }
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo) const { return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo); }
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE) {
    return ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
  }
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }

  // A message box owned by this window; the caption defaults to the application's name.
  int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

  int m_nFlags;
  int m_nModalResult;
  // The window procedure this object forwards unhandled messages to (the class's, when subclassed).
  WNDPROC m_pfnSuper;

protected:
  DECLARE_MESSAGE_MAP()

  // Handlers with the framework's default behaviour: Default(), unless said otherwise.
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  // Takes the object off its window: restores the window procedure, detaches, then PostNcDestroy.
  void OnNcDestroy();
  void OnClose();
  void OnMove(int x, int y);
  void OnSize(UINT nType, int cx, int cy);
  void OnSizing(UINT fwSide, LPRECT pRect);
  void OnMoving(UINT fwSide, LPRECT pRect);
  void OnPaint();
  void OnNcPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  BOOL OnNcActivate(BOOL bActive);
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  LRESULT OnNcHitTest(CPoint point);
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnNcLButtonUp(UINT nHitTest, CPoint point);
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  void OnNcRButtonDown(UINT nHitTest, CPoint point);
  void OnNcRButtonUp(UINT nHitTest, CPoint point);
  void OnNcMouseMove(UINT nHitTest, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnRButtonUp(UINT nFlags, CPoint point);
  void OnRButtonDblClk(UINT nFlags, CPoint point);
  void OnMButtonDown(UINT nFlags, CPoint point);
  void OnMButtonUp(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void OnMouseLeave();
  void OnMouseHover(UINT nFlags, CPoint point);
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnCaptureChanged(CWnd* pWnd);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  UINT OnGetDlgCode();
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  void OnEnable(BOOL bEnable);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  BOOL OnQueryEndSession();
  void OnEndSession(BOOL bEnding);
  void OnTimer(UINT_PTR nIDEvent);
  // Scroll messages of a scroll-bar or track-bar control go back to that control first.
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  HCURSOR OnQueryDragIcon();
  // Owner-drawn and coloured controls ask their parent; the parent hands the message back to the
  // control object first. Owner-drawn menu items go to the menu object of their menu.
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
  void OnParentNotify(UINT message, LPARAM lParam);
  void OnInitMenu(CMenu* pMenu);
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  void OnUnInitMenuPopup(CMenu* pPopupMenu, UINT nFlags);
  void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
  void OnEnterIdle(UINT nWhy, CWnd* pWho);
  void OnContextMenu(CWnd* pWnd, CPoint pos);
  void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  void OnSysColorChange();
  // F1 in a top-level window asks the main window's WinHelp.
  BOOL OnHelpInfo(HELPINFO* pHelpInfo);

private:
  friend LRESULT AFXAPI AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
  void CleanUpAfterNcDestroy();
};

// The window procedure of every window object.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls pWnd's WindowProc with the message remembered as the current one (for Default).
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The window creation hook: the next window the thread creates is attached to pWnd and subclassed
// before its first message.
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
// FALSE when the hooked window was never created.
BOOL AFXAPI AfxUnhookWindowCreate();

// Registers the common control classes that templates and controls use (once per process).
void AFXAPI AfxInitCommonControls();

// A registered window class name for these parameters (registered on first use).
LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                  HICON hIcon = nullptr);

// The message pre-translation of the current thread: its thread object's, else the walk up the tree.
BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);
// Gets, pre-translates and dispatches one message; FALSE on WM_QUIT. AfxPumpMessage goes through
// the thread object's PumpMessage when the thread has one.
BOOL AFXAPI AfxPumpMessage();
BOOL AFXAPI AfxInternalPumpMessage();
// Messages after which idle processing starts again (not repeated mouse moves, paints or caret blinks).
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
// The window that should own a message box or a modal dialog: the given parent, else the main
// window (none without one); out of child windows; the last active pop-up when no parent was
// given. *phWndTop (when asked) gets the top-level window that was disabled for the time of the
// modal window, NULL when none was.
HWND AFXAPI AfxGetSafeOwner(HWND hParent, HWND* phWndTop);
