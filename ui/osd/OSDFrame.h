#pragma once
#include "ui/osd/OSDItems.h"

// One page of the OSD menu: a header, a column of rows, a footer with a title line over it, the
// selected row, the page that opened it and the pages it opens. Keys arrive as WM_OSD_KEY.
class MFrame : public CWnd
{
public:
    MFrame();
    ~MFrame() override;

    virtual void OnHide() {}
    virtual void OnRefresh() {}
    virtual MFrame* GetParentFrame() { return m_pParentFrame; }
    virtual MFrame* GetSelectedFrame();
    virtual void Show(BOOL show);
    // The page's action on a key; pages answer -1 when they did nothing.
    virtual int OnCodeOK(UINT key, LPARAM lParam);
    virtual BOOL BuildRows() { return TRUE; }
    virtual int SelectRow(int index);
    virtual BOOL ShowParent();
    virtual BOOL ShowSubFrame();
    virtual int PrevRow();
    virtual int NextRow();
    virtual BOOL Create(const RECT& rect, CWnd* pParent, UINT id);
    virtual void OnDraw(CDC* pDC);
    virtual int OnKeyFallback(UINT key, LPARAM lParam);

    BOOL SetBitmaps(UINT headerId, UINT footerId);
    void SetSharedBitmaps(CBitmap* pHeader, CBitmap* pFooter);
    void AddRow(MItemGroup* pRow);
    void RemoveAllRows();
    void SetParentFrame(MFrame* pFrame) { m_pParentFrame = pFrame; }
    void AddSubFrame(MFrame* pFrame) { m_subFrames.Add(pFrame); }
    int GetCurrentRow() const { return m_nCurrentRow; }
    int GetRowCount() const { return static_cast<int>(m_rows.GetSize()); }
    MItemGroup* GetRow(int index) const;
    void ShowTitle(BOOL show);
    void SetTitle(LPCSTR text) { m_title.SetText(text); }
    const CString& GetTitle() const { return m_title.GetText(); }
    BOOL SetRowBitmaps(int index, UINT normalId, UINT selectedId);
    BOOL SetRowSharedBitmaps(int index, CBitmap* pNormal, CBitmap* pSelected);
    void SetAllRowsSharedBitmaps(CBitmap* pNormal, CBitmap* pSelected);
    void LayoutRows();

protected:
    // A row of the common page layout: a caption over the left part; its items follow.
    MItemGroup* NewRow(UINT id, LPCSTR caption);
    // The item, created inside the row and appended to it. The row pictures are dark, so values
    // take the captions' light colour while their row is not selected.
    template <class Item>
    Item* AddItem(MItemGroup* pRow, Item* pItem, const RECT& rect, UINT id, LPCSTR text = "")
    {
        pItem->Create(rect, pRow, id, text);
        pItem->SetNormalColor(RGB(255, 255, 255));
        pRow->AddItem(pItem);
        return pItem;
    }
    MChoiceItem* AddChoice(MItemGroup* pRow, const RECT& rect, UINT id);
    MValueBarItem* AddBar(MItemGroup* pRow, const RECT& rect, UINT id, int min, int max);
    // The current item of the row as the kind asked for; null when it is another kind.
    template <class Item>
    Item* RowItem(int row, int item) const
    {
        MItemGroup* pRow = GetRow(row);
        return pRow ? dynamic_cast<Item*>(pRow->GetItem(item)) : nullptr;
    }

    LRESULT OnOsdKey(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CBitmap* m_pSharedHeader;
    CBitmap* m_pSharedFooter;
    CBitmap m_header;
    CBitmap m_footer;
    SIZE m_headerSize;
    SIZE m_footerSize;
    int m_nCurrentRow;
    CArray<MItemGroup*, MItemGroup*> m_rows;
    MFrame* m_pParentFrame;
    CArray<MFrame*, MFrame*> m_subFrames;
    int m_nSubFrameIndex;
    MItem m_title;
    BOOL m_bShared;
};

// Loads a string of the resource library.
CString OsdString(UINT id);
