#pragma once
#include "platform/afx/ImageList.h"
#include "platform/afx/StdControls.h"
#include "platform/afx/Time.h"

// The common controls of comctl32.

class CSliderCtrl : public CWnd {
  DECLARE_DYNAMIC(CSliderCtrl)
public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetPos() const { return (int)SendMessage(TBM_GETPOS); }
  void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
  int GetRangeMin() const { return (int)SendMessage(TBM_GETRANGEMIN); }
  int GetRangeMax() const { return (int)SendMessage(TBM_GETRANGEMAX); }
  void GetRange(int& nMin, int& nMax) const {
    nMin = GetRangeMin();
    nMax = GetRangeMax();
  }
  void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, bRedraw, nMin); }
  void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, bRedraw, nMax); }
  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) {
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
  }
  int GetLineSize() const { return (int)SendMessage(TBM_GETLINESIZE); }
  int SetLineSize(int nSize) { return (int)SendMessage(TBM_SETLINESIZE, 0, nSize); }
  int GetPageSize() const { return (int)SendMessage(TBM_GETPAGESIZE); }
  int SetPageSize(int nSize) { return (int)SendMessage(TBM_SETPAGESIZE, 0, nSize); }
  void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, nFreq); }
  BOOL SetTic(int nTic) { return (BOOL)SendMessage(TBM_SETTIC, 0, nTic); }
  void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, bRedraw); }
  void SetSelection(int nMin, int nMax) {
    SendMessage(TBM_SETSELSTART, FALSE, nMin);
    SendMessage(TBM_SETSELEND, TRUE, nMax);
  }
  void ClearSel(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARSEL, bRedraw); }
  void GetThumbRect(LPRECT lprc) const { SendMessage(TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
  void GetChannelRect(LPRECT lprc) const { SendMessage(TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
  void SetThumbLength(int nLength) { SendMessage(TBM_SETTHUMBLENGTH, nLength); }
  int GetThumbLength() const { return (int)SendMessage(TBM_GETTHUMBLENGTH); }
};

class CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)
public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
  void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
  void GetRange(int& nLower, int& nUpper) const;
  int GetPos() const { return (int)SendMessage(PBM_GETPOS); }
  int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, nPos); }
  int OffsetPos(int nPos) { return (int)SendMessage(PBM_DELTAPOS, nPos); }
  int SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, nStep); }
  int StepIt() { return (int)SendMessage(PBM_STEPIT); }
  COLORREF SetBarColor(COLORREF clrBar) { return (COLORREF)SendMessage(PBM_SETBARCOLOR, 0, clrBar); }
  COLORREF SetBkColor(COLORREF clrNew) { return (COLORREF)SendMessage(PBM_SETBKCOLOR, 0, clrNew); }
};

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
  void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, nLower, nUpper); }
  void GetRange(int& nLower, int& nUpper) const { GetRange32(nLower, nUpper); }
  void GetRange32(int& nLower, int& nUpper) const { SendMessage(UDM_GETRANGE32, (WPARAM)&nLower, (LPARAM)&nUpper); }
  int SetPos(int nPos) { return (int)SendMessage(UDM_SETPOS32, 0, nPos); }
  int GetPos() const { return (int)SendMessage(UDM_GETPOS32); }
  CWnd* SetBuddy(CWnd* pWndBuddy) { return CWnd::FromHandle((HWND)SendMessage(UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd())); }
  CWnd* GetBuddy() const { return CWnd::FromHandle((HWND)SendMessage(UDM_GETBUDDY)); }
  BOOL SetAccel(int nAccel, UDACCEL* pAccel) { return (BOOL)SendMessage(UDM_SETACCEL, nAccel, (LPARAM)pAccel); }
  UINT GetAccel(int nAccel, UDACCEL* pAccel) const { return (UINT)SendMessage(UDM_GETACCEL, nAccel, (LPARAM)pAccel); }
  int SetBase(int nBase) { return (int)SendMessage(UDM_SETBASE, nBase); }
  UINT GetBase() const { return (UINT)SendMessage(UDM_GETBASE); }
};

// Tools are windows (by handle, nIDTool 0) or rectangles of a window (nIDTool the tool's id).
class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
public:
  // A pop-up owned by pParentWnd.
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACKA, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
  // The text is string nIDText of the resource module.
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  // Fills a TOOLINFO for the tool (size, window, flags, id), as the tool-tip messages expect it.
  void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
  void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
  void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
  void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
  void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
  int SetMaxTipWidth(int iWidth) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth); }
  void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
  void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
  int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
  void Pop() { SendMessage(TTM_POP); }
  void Update() { SendMessage(TTM_UPDATE); }
};

class CHeaderCtrl : public CWnd {
  DECLARE_DYNAMIC(CHeaderCtrl)
public:
  int GetItemCount() const { return (int)SendMessage(HDM_GETITEMCOUNT); }
  BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const { return (BOOL)SendMessage(HDM_GETITEMA, nPos, (LPARAM)pHeaderItem); }
  BOOL SetItem(int nPos, HDITEMA* pHeaderItem) { return (BOOL)SendMessage(HDM_SETITEMA, nPos, (LPARAM)pHeaderItem); }
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)SendMessage(HDM_GETITEMRECT, nIndex, (LPARAM)lpRect); }
};

// A list view. Positions of the selection walk: the item index + 1, NULL at the end.
class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
  DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
  COLORREF GetBkColor() const { return (COLORREF)SendMessage(LVM_GETBKCOLOR); }
  BOOL SetBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, cr); }
  BOOL SetTextColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, cr); }
  BOOL SetTextBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, cr); }
  CImageList* GetImageList(int nImageList) const { return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_GETIMAGELIST, nImageList)); }
  CImageList* SetImageList(CImageList* pImageList, int nImageListType) {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle()));
  }
  CHeaderCtrl* GetHeaderCtrl() const { return static_cast<CHeaderCtrl*>(CWnd::FromHandle((HWND)SendMessage(LVM_GETHEADER))); }

  int InsertColumn(int nCol, const LVCOLUMNA* pColumn) { return (int)SendMessage(LVM_INSERTCOLUMNA, nCol, (LPARAM)pColumn); }
  int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
  BOOL DeleteColumn(int nCol) { return (BOOL)SendMessage(LVM_DELETECOLUMN, nCol); }
  BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const { return (BOOL)SendMessage(LVM_GETCOLUMNA, nCol, (LPARAM)pColumn); }
  BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn) { return (BOOL)SendMessage(LVM_SETCOLUMNA, nCol, (LPARAM)pColumn); }
  int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, nCol); }
  BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }

  int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
  void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, nItems); }
  int InsertItem(const LVITEMA* pItem) { return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)pItem); }
  int InsertItem(int nItem, LPCSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
  int InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
  }
  int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, nItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
  BOOL GetItem(LVITEMA* pItem) const { return (BOOL)SendMessage(LVM_GETITEMA, 0, (LPARAM)pItem); }
  BOOL SetItem(const LVITEMA* pItem) { return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)pItem); }
  BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
               LPARAM lParam);
  BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
  CString GetItemText(int nItem, int nSubItem) const;
  int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  UINT GetItemState(int nItem, UINT nMask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, nItem, nMask); }
  BOOL SetCheck(int nItem, BOOL fCheck = TRUE) { return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK); }
  BOOL GetCheck(int nItem) const { return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) > 0; }
  int GetNextItem(int nItem, int nFlags) const { return (int)SendMessage(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
  UINT GetSelectedCount() const { return (UINT)SendMessage(LVM_GETSELECTEDCOUNT); }
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& pos) const;
  int FindItem(LVFINDINFOA* pFindInfo, int nStart = -1) const { return (int)SendMessage(LVM_FINDITEMA, nStart, (LPARAM)pFindInfo); }
  BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, nItem, bPartialOK); }
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
  BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
  BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const { return (BOOL)SendMessage(LVM_GETITEMPOSITION, nItem, (LPARAM)lpPoint); }
  BOOL SetItemPosition(int nItem, POINT pt) { return (BOOL)SendMessage(LVM_SETITEMPOSITION32, nItem, (LPARAM)&pt); }
  BOOL GetOrigin(LPPOINT lpPoint) const { return (BOOL)SendMessage(LVM_GETORIGIN, 0, (LPARAM)lpPoint); }
  int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
  int GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE); }
  BOOL Scroll(CSize size) { return (BOOL)SendMessage(LVM_SCROLL, size.cx, size.cy); }
  BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)SendMessage(LVM_REDRAWITEMS, nFirst, nLast); }
  BOOL Update(int nItem) { return (BOOL)SendMessage(LVM_UPDATE, nItem); }
  int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
  int HitTest(CPoint pt, UINT* pFlags = NULL) const;
  int SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
  BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)SendMessage(LVM_SORTITEMS, dwData, (LPARAM)pfnCompare); }
  int GetStringWidth(LPCSTR lpsz) const { return (int)SendMessage(LVM_GETSTRINGWIDTHA, 0, (LPARAM)lpsz); }
  // A new image list the caller deletes; NULL when none could be made.
  CImageList* CreateDragImage(int nItem, LPPOINT lpPoint);
  CEdit* EditLabel(int nItem) { return static_cast<CEdit*>(CWnd::FromHandle((HWND)SendMessage(LVM_EDITLABELA, nItem))); }
  CEdit* GetEditControl() const { return static_cast<CEdit*>(CWnd::FromHandle((HWND)SendMessage(LVM_GETEDITCONTROL))); }
};

class CDateTimeCtrl : public CWnd {
  DECLARE_DYNAMIC(CDateTimeCtrl)
public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // GDT_VALID with the time, or GDT_NONE / GDT_ERROR.
  DWORD GetTime(CTime& timeDest) const;
  DWORD GetTime(LPSYSTEMTIME pTimeDest) const { return (DWORD)SendMessage(DTM_GETSYSTEMTIME, 0, (LPARAM)pTimeDest); }
  BOOL SetTime(const CTime* pTimeNew);
  BOOL SetTime(LPSYSTEMTIME pTimeNew) { return (BOOL)SendMessage(DTM_SETSYSTEMTIME, pTimeNew ? GDT_VALID : GDT_NONE, (LPARAM)pTimeNew); }
  BOOL SetFormat(LPCSTR pstrFormat) { return (BOOL)SendMessage(DTM_SETFORMATA, 0, (LPARAM)pstrFormat); }
  BOOL SetRange(const CTime* pMinRange, const CTime* pMaxRange);
};

// A tab control; the property sheet's own one is reached through CPropertySheet::GetTabControl.
class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT); }
  BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const { return (BOOL)SendMessage(TCM_GETITEMA, nItem, (LPARAM)pTabCtrlItem); }
  BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem) { return (BOOL)SendMessage(TCM_SETITEMA, nItem, (LPARAM)pTabCtrlItem); }
  // The tab's text, "" when there is no such tab.
  CString GetItemText(int nItem) const;
  BOOL SetItemText(int nItem, LPCSTR lpszText);
  LONG InsertItem(int nItem, LPCSTR lpszItem);
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(TCM_DELETEITEM, nItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(TCM_DELETEALLITEMS); }
  int GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL); }
  int SetCurSel(int nItem) { return (int)SendMessage(TCM_SETCURSEL, nItem); }
  int GetCurFocus() const { return (int)SendMessage(TCM_GETCURFOCUS); }
  void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, nItem); }
  BOOL GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)SendMessage(TCM_GETITEMRECT, nItem, (LPARAM)lpRect); }
  int GetRowCount() const { return (int)SendMessage(TCM_GETROWCOUNT); }
  // bLarger: the window rectangle for that display area; else the display area of that window rectangle.
  void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
  int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
  CImageList* SetImageList(CImageList* pImageList) {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()));
  }
};
