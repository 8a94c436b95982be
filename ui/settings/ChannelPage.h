#pragma once
#include "platform/afx/CommonControls.h"
#include "skin/DragListCtrl.h"
#include "skin/NewMenu.h"
#include "skin/PageBase.h"
#include "engine/ChannelTable.h"

class CChannelPage;

// The channel list: a dragged row moves its channel in the table as well.
class CChannelListCtrl : public CDragListCtrl
{
public:
    CChannelListCtrl() : m_pPage(NULL) {}
    int MoveItem(int nFrom, int nTo) override;
    CChannelPage* m_pPage;
};

// The page that edits one channel table of the controller, the TV table or (band flag set) the
// FM table. It works on the live table, so every selection tunes at once; Cancel puts back the
// copy taken when the page loaded or last applied.
class CChannelPage : public CPageBase
{
    DECLARE_DYNAMIC(CChannelPage)
public:
    CChannelPage();
    ~CChannelPage() override;

    // The band: 0 TV, 1 FM. Set before the page's window is made.
    BOOL m_bFM;

    // Called by the video window for every scan step with a found channel, and when the scan ends;
    // only an active channel page of the scanned band acts.
    static void OnScanProgress(int nBand, CChannelItem* pItem);
    static void OnScanFinished();
    static CChannelPage* GetActivePage() { return s_pActivePage; }

    // The frequency field: kHz shown as MHz ("%g"), and the text read back to the nearest kHz.
    static CString FormatFrequency(long lKHz);
    static long ParseFrequency(LPCSTR pszMHz);

    CChannelTable* GetEditedTable() const { return m_pTable; }
    const CChannelTable& GetBackupTable() const { return m_backup; }
    CChannelListCtrl& GetList() { return m_list; }
    CChannelItem* GetSelectedChannel() const { return m_pSelected; }
    // Writes the table to a file: the profile form for ".ini", the channel text form otherwise.
    BOOL ExportTable(LPCSTR pszPath);
    // Reads a file of either form into the edited table; FALSE (table unchanged) when unreadable.
    BOOL ImportTable(LPCSTR pszPath);

    BOOL OnInitDialog() override;
    void LoadData() override;
    BOOL SaveData() override;
    BOOL CanCancel() override;
    void OnReset() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The data exchange with the MHz/kHz conversion of the frequency field.
    virtual BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // A dragged row: its channel moves in the table, the row moves and the positions are renumbered.
    int MoveRow(int nFrom, int nTo);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnRename();
    void OnFavourite();
    void OnDelete();
    void OnSetFrequency();
    void OnScan();
    void OnCheckChanged();
    void OnInputChanged();
    void OnCountryChanged();
    void OnCityChanged();
    void OnAddChannel();
    void OnExport();
    void OnImport();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnDestroy();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListRClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The page's band is the band the tuner plays now.
    BOOL IsCurrentTunerBand() const;
    BOOL IsScanning() const;
    void FillList();
    int AddRow(CChannelItem* pItem);
    void WriteRow(int nRow);
    void RewriteRows();
    int FindRow(const CChannelItem* pItem);
    void SelectRow(int nRow);
    void OnSelectionChanged();
    void UpdateControlStates();
    void RebuildTable(int nCountry, LPCSTR pszCity);
    void FillCities(int nCountry);
    void StoreTVSettings();
    void ShowContextMenu();
    static int CALLBACK CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    CSliderCtrl m_slider;
    CChannelListCtrl m_list;
    CString m_strFrequency;
    CString m_strName;
    long m_lFrequency;
    BOOL m_bFavorOnly;
    int m_nTVInput;
    CComboBox m_country;
    CComboBox m_city;
    BOOL m_bKeepPrevious;
    CImageList m_images;
    CNewMenu m_menu;
    int m_nTolerance;
    CChannelItem* m_pSelected;
    CChannelTable* m_pTable;
    CChannelTable m_backup;
    int m_nBackupTVInput;
    int m_nBackupCountry;
    CString m_strBackupCity;
    int m_nPageCountry;
    CString m_strPageCity;
    BOOL m_bSortAscending;
    int m_nSortColumn;

    static CChannelPage* s_pActivePage;
};
