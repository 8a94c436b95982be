#pragma once
#include "engine/FMCustomList.h"
#include "platform/afx/Dialog.h"
#include "platform/afx/StdControls.h"

// Edits the controller's list of named audio compressors for recording the radio. Works on a
// copy of the list and hands it back on OK only.
class CFMCustomDlg : public CDialog
{
public:
    enum { IDD = 506 };

    explicit CFMCustomDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;
    // The data exchange, then the filter combo to or from the chosen compressor name. Saving fails
    // when no compressor is selected.
    virtual BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    const CFMCustomList& GetList() const { return m_List; }
    CFMCustomEntry* GetCurEntry() const { return m_pCurEntry; }

    CComboBox m_EntryCombo;
    CComboBox m_FilterCombo;
    CString m_strName;
    CString m_strAudioComp;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnSelchangeEntry();
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnChangeName();
    DECLARE_MESSAGE_MAP()

private:
    void FillFilterCombo();
    void FillEntryCombo();
    void RefreshButtons();
    // Whether an entry other than pExcept has the name (letter case not counted).
    BOOL NameInUse(const CString& name, const CFMCustomEntry* pExcept) const;

    CFMCustomEntry* m_pCurEntry;
    CFMCustomList m_List;
};
