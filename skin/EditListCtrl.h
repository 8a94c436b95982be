#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/List.h"
#include "platform/afx/Map.h"
#include "platform/afx/StdControls.h"
#include "platform/afx/StringArray.h"

// Messages an editable list sends its parent: the choices of a drop-down column (wParam the
// column, lParam an empty CStringList to fill), and an edited cell (wParam the list's control id,
// lParam the NMLVDISPINFOA of the end of the edit).
#define WM_EDITLIST_GET_CHOICES (WM_APP + 0x3FC)
#define WM_EDITLIST_CELL_EDITED (WM_APP + 0x3FD)

// The in-place edit box of a list cell; one object serves every editable list.
class CInPlaceEdit : public CEdit
{
    DECLARE_DYNAMIC(CInPlaceEdit)
public:
    static CInPlaceEdit* GetInstance();
    static void DeleteInstance();
    static CInPlaceEdit* PeekInstance() { return s_pInstance; }

    // Opens the editor over the cell with its text all selected.
    BOOL Open(CWnd* pList, int nItem, int nSubItem, const CRect& rect, DWORD dwStyle, LPCSTR pszValidChars,
              LPCSTR pszText);
    BOOL IsCancelled() const { return m_bCancelled; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Made and deleted by GetInstance and DeleteInstance only.
    CInPlaceEdit();
    ~CInPlaceEdit() override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnKillFocus(CWnd* pNewWnd);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    int m_nItem;
    int m_nSubItem;
    BOOL m_bCancelled;
    CString m_strValidChars;
    CString m_strInitText;

    static CInPlaceEdit* s_pInstance;
};

// The in-place drop-down list of a list cell; one object serves every editable list.
class CInPlaceCombo : public CComboBox
{
    DECLARE_DYNAMIC(CInPlaceCombo)
public:
    static CInPlaceCombo* GetInstance();
    static void DeleteInstance();
    static CInPlaceCombo* PeekInstance() { return s_pInstance; }

    // Opens the editor over the cell with the choices; the cell's text is selected when present.
    BOOL Open(CWnd* pList, int nItem, int nSubItem, const CRect& rect, DWORD dwStyle, const CStringList& choices,
              LPCSTR pszText);
    BOOL IsCancelled() const { return m_bCancelled; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Made and deleted by GetInstance and DeleteInstance only.
    CInPlaceCombo();
    ~CInPlaceCombo() override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnKillFocus(CWnd* pNewWnd);
    void OnCloseUp();
    DECLARE_MESSAGE_MAP()

    int m_nItem;
    int m_nSubItem;
    BOOL m_bCancelled;
    CString m_strCurText;
    CStringList m_choices;

    static CInPlaceCombo* s_pInstance;
};

// A report-view list whose cells are edited in place: a column is read-only, a drop-down column
// whose choices the parent gives on demand, or a text column edited in an edit box that may allow
// only some characters. A click on a drop-down cell opens its list; a double click on a text cell
// opens the edit box. The list must have LVS_EDITLABELS.
class CEditListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CEditListCtrl)
public:
    CEditListCtrl();
    ~CEditListCtrl() override;

    void SetComboColumn(int nColumn, BOOL bOn = TRUE);
    void SetReadOnlyColumn(int nColumn, BOOL bOn = TRUE);
    BOOL IsComboColumn(int nColumn) const;
    BOOL IsReadOnlyColumn(int nColumn) const;
    // The characters the edit box takes in a column (0 to 99), or in every column (-1); "" any.
    void SetValidChars(LPCSTR pszChars, int nColumn = -1);
    CEditListCtrl& SetComboHScroll(BOOL bOn);
    CEditListCtrl& SetComboVScroll(BOOL bOn);

    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    int GetColumnCount() const { return m_nColumnCount; }
    void DeleteAllColumns();

    // The cell under a client point: its item, and the column in *pnColumn; -1 when none.
    int HitTestCell(CPoint point, int* pnColumn);
    // Opens the drop-down or the edit box on a cell.
    CInPlaceCombo* ShowInPlaceCombo(int nItem, int nColumn);
    CInPlaceEdit* ShowInPlaceEdit(int nItem, int nColumn);

protected:
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnDestroy();
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The cell's rectangle, the list scrolled so that the column shows; FALSE when it cannot.
    BOOL GetCellRect(int nItem, int nColumn, CRect& rect);
    BOOL OpenFromClick(UINT nFlags, CPoint point, BOOL bDouble);

    CMap<int, int, int, int> m_comboColumns;
    CMap<int, int, int, int> m_readOnlyColumns;
    DWORD m_dwEditStyle;
    DWORD m_dwComboStyle;
    int m_nColumnCount;
    CString m_validChars[100];
};
