#pragma once
#include "platform/afx/StdControls.h"

// A drop-down list combo box whose items carry check boxes. Clicking an item, or Space on the
// highlighted one, toggles its check and leaves the list open; the closed combo shows the checked
// items' texts joined by the user's list separator. The check of an item is its item data.
// The control needs CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS.
class CCheckComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CCheckComboBox)
public:
    CCheckComboBox();
    ~CCheckComboBox() override;

    // Creates the control with the three styles it needs added to dwStyle.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Stores the check; a negative result is the combo's error.
    int SetCheck(int nIndex, BOOL bCheck);
    BOOL GetCheck(int nIndex) const;
    // Every item to the check; the item count.
    int SetAllChecks(BOOL bCheck);
    // The drop-down list window once it has been seen (NULL before the first drop-down).
    HWND GetListWindow() const { return m_hListBox; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDropDown();
    DECLARE_MESSAGE_MAP()

    // The checked items' texts, rebuilt when stale.
    void RecalcText();
    void ToggleFromList(HWND hList, int nIndex);
    static LRESULT CALLBACK ListProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hListBox;
    CString m_strText;
    BOOL m_bTextUpdated;
    BOOL m_bItemHeightSet;

    // The combo whose list is open, and the lists' own window procedure.
    static CCheckComboBox* s_pOpenCombo;
    static WNDPROC s_pfnListProc;
};
