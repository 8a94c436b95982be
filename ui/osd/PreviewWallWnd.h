#pragma once
#include "foundation/RectGrid.h"
#include "platform/afx/Bitmap.h"
#include "platform/afx/Brush.h"
#include "platform/afx/Wnd.h"

class CChannelItem;

// Sent to the wall's parent when the wall closes; the parent takes the selected channel.
const UINT WM_PREVIEW_WALL_CLOSED = 2024;

// What the wall asks of its owner (the control panel) before each channel change.
class CPreviewWallOwner
{
public:
    virtual ~CPreviewWallOwner() {}
    virtual void StopPreviewForChange() {}
};

// A full-screen 4 x 4 wall that walks through the TV channels: the live picture in the selected
// cell, a still of the last visit in every other cell, a step every period.
class CPreviewWallWnd : public CWnd
{
public:
    enum
    {
        CELLS = 16,
        CYCLE_TIMER = 3814
    };
    CPreviewWallWnd();
    ~CPreviewWallWnd() override;

    BOOL Create(const RECT& rect, CWnd* pParent);
    void SetOwner(CPreviewWallOwner* pOwner) { m_pOwner = pOwner; }
    BOOL SetBackgroundBitmap(UINT id);
    BOOL LoadBackground(LPCSTR path);
    void SetPictureFolder(LPCSTR path);
    const CString& GetPictureFolder() const { return m_strFolder; }
    void Open(int count);
    void Close();
    void SetPeriod(UINT ms);
    UINT GetPeriod() const { return m_nPeriod; }
    BOOL SetRefill(BOOL refill);
    BOOL GetRefill() const { return m_bRefill; }
    void SetFrameColors(COLORREF normal, COLORREF selected);
    void SetTextColor(COLORREF color) { m_crText = color; }
    void DrawWall(CDC* pDC);

    int GetCurrentCell() const { return m_nCurrent; }
    CChannelItem* GetCellChannel(int cell) const;
    BOOL HasStill(int cell) const { return m_stills[cell].GetSafeHandle() != nullptr; }
    void Advance();
    void SelectCell(int cell);
    void MoveBy(int rows, int columns);
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnClose() {}
    DECLARE_MESSAGE_MAP()

private:
    void Fill();
    void StartTimer();
    void StopTimer();
    void DrawCell(CDC* pDC, int cell);
    void TakeStill();
    void LayGrid();

    CRectGrid m_grid;
    CBitmap m_background;
    int m_nCurrent;
    long m_lLastFreq;
    CChannelItem* m_cellChannels[CELLS];
    CChannelItem* m_shownChannels[CELLS];
    UINT_PTR m_nTimer;
    UINT m_nPeriod;
    BOOL m_bRefill;
    COLORREF m_crFrame;
    COLORREF m_crSelected;
    CBrush m_frameBrush;
    CBrush m_selectedBrush;
    COLORREF m_crText;
    CBitmap m_stills[CELLS];
    CString m_strFolder;
    CPreviewWallOwner* m_pOwner;
    CPreviewWallOwner m_noOwner;
};
