#pragma once
#include "skin/EditListCtrl.h"
#include "skin/PageBase.h"

// The programme guide: the folder of the unpacked programme files, which programme file belongs
// to each TV channel, whether and how long guide information shows, and the download wizard.
// The folder choice takes effect at once; the rest is stored on OK or Apply.
class CEPGPage : public CPageBase
{
    DECLARE_DYNAMIC(CEPGPage)
public:
    CEPGPage();
    ~CEPGPage() override;

    BOOL OnInitDialog() override;
    BOOL SaveData() override;

    // A folder the user chose: kept in the registry and made the programme folder, the list refilled.
    void UseEpgFolder(LPCSTR pszFolder);
    CEditListCtrl& GetList() { return m_list; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnGetChoices(WPARAM wParam, LPARAM lParam);
    LRESULT OnCellEdited(WPARAM wParam, LPARAM lParam);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBrowse();
    void OnWizard();
    void OnChanged();
    DECLARE_MESSAGE_MAP()

    void FillList();
    void ShowFolder();

    BOOL m_bShowInfo;
    CEditListCtrl m_list;
    int m_nShowTime;
};
