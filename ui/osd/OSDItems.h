#pragma once
#include <windows.h>

#include "platform/afx/Array.h"
#include "platform/afx/Bitmap.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Font.h"
#include "platform/afx/StringArray.h"
#include "platform/afx/Wnd.h"

// Keys travel from the menu host down to pages, rows and items as this message: wParam the virtual
// key, lParam passed through. Results: consumed, an item took it, not handled.
const UINT WM_OSD_KEY = 0x806;
enum OsdKeyResult
{
    OSD_KEY_CONSUMED = 0,
    OSD_KEY_TAKEN = 1,
    OSD_KEY_UNHANDLED = 2
};
// The remote's key that closes the menu.
const UINT OSD_KEY_CLOSE = 254;

// Copies a bitmap 1:1 to (x, y), cut to width x height; nothing when the bitmap is empty.
void OsdBlit(CDC* pDC, CBitmap& bitmap, int x, int y, int width, int height);
// Replaces the bitmap by the resource's; FALSE (and the bitmap empty) when it does not load.
BOOL OsdLoadBitmap(CBitmap& bitmap, UINT id);
SIZE OsdBitmapSize(CBitmap& bitmap);

// One piece of an OSD menu line: a text, a value, a bar or a choice. The base draws its text.
class MItem : public CWnd
{
public:
    MItem();
    ~MItem() override;

    virtual int OnKey(UINT key, LPARAM lParam);
    virtual void OnDraw(CDC* pDC);
    virtual int SetValue(int value);
    virtual void SetText(LPCSTR text);
    virtual BOOL Create(const RECT& rect, CWnd* pParent, UINT id, LPCSTR text);
    virtual void SetFont(int width, int height);
    virtual void SetSelectedColor(COLORREF color);
    virtual void SetNormalColor(COLORREF color);
    virtual BOOL SetSelected(BOOL selected);

    using CWnd::SetFont;
    int GetValue() const { return m_nValue; }
    const CString& GetText() const { return m_strText; }
    BOOL IsSelected() const { return m_bSelected; }
    BOOL IsKeysEnabled() const { return m_bKeysEnabled; }
    BOOL EnableKeys(BOOL enable);
    BOOL SetCentered(BOOL centred);
    COLORREF GetTextColor() const;

protected:
    // Draws the text in the rectangle: centred vertically and horizontally, or top-left.
    void DrawItemText(CDC* pDC, const CRect& rect, COLORREF color);
    void MakeFont();
    void Repaint();
    // The window takes the bitmap's size; its place is kept.
    void ResizeTo(CBitmap& bitmap);

    LRESULT OnOsdKey(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crNormal;
    COLORREF m_crSelected;
    BOOL m_bSelected;
    CString m_strText;
    LOGFONTA m_logFont;
    CFont m_font;
    WORD m_wNotifyCode;
    int m_nValue;
    BOOL m_bKeysEnabled;
    BOOL m_bCentered;
};

// A caption over its own picture; left and right flip its on/off flag.
class MLabelItem : public MItem
{
public:
    MLabelItem();
    BOOL SetBitmaps(UINT normalId, UINT selectedId);
    int OnKey(UINT key, LPARAM lParam) override;
    void OnDraw(CDC* pDC) override;

private:
    CBitmap m_normal;
    CBitmap m_selected;
};

// A value kept between a minimum and a maximum, stepped by left and right.
class MRangeItem : public MItem
{
public:
    void SetRange(int min, int max);
    void GetRange(int& min, int& max) const { min = m_nMin; max = m_nMax; }
    int GetValue() const { return m_nRangeValue; }
    int SetValue(int value) override;
    int Add(int delta);
    int StepUp() { return Add(m_nStep); }
    int OnKey(UINT key, LPARAM lParam) override;

protected:
    MRangeItem(int step) : m_nMin(0), m_nMax(100), m_nRangeValue(0), m_nStep(step) {}
    // Share of the range that the value has reached, in whole per cent.
    int Percent() const;

    int m_nMin;
    int m_nMax;
    int m_nRangeValue;
    int m_nStep;
};

// A value drawn as a filled track.
class MValueBarItem : public MRangeItem
{
public:
    MValueBarItem();
    BOOL SetBitmaps(UINT trackId, UINT fillId);
    void OnDraw(CDC* pDC) override;

private:
    CBitmap m_track;
    CBitmap m_fill;
};

// A value drawn as a knob on a track.
class MSliderItem : public MRangeItem
{
public:
    MSliderItem();
    BOOL SetBitmaps(UINT trackId, UINT knobId);
    // Taken only when it is at most half the range.
    int SetStep(int step);
    int GetStep() const { return m_nStep; }
    void OnDraw(CDC* pDC) override;

private:
    int m_nKnobWidth;
    CBitmap m_track;
    CBitmap m_knob;
};

// One of a list of texts; left and right walk the list with wrap-around. The value is the index.
class MChoiceItem : public MItem
{
public:
    MChoiceItem();
    BOOL SetBitmaps(UINT leftNormal, UINT leftSelected, UINT rightNormal, UINT rightSelected);
    int AddString(LPCSTR text);
    void AddStrings(const CStringArray& texts);
    void AddStrings(const LPCSTR* texts, int count);
    void RemoveAt(int index);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_strings.GetSize()); }
    CString GetString(int index) const;
    int GetCurSel() const { return m_nValue; }
    int SetCurSel(int index) { return SetValue(index); }
    int SetValue(int index) override;
    void Next();
    void Prev();
    void GetCurText(CString& text) const;
    int OnKey(UINT key, LPARAM lParam) override;
    void OnDraw(CDC* pDC) override;

private:
    CStringArray m_strings;
    int m_nLeftWidth;
    int m_nRightWidth;
    CBitmap m_leftNormal;
    CBitmap m_leftSelected;
    CBitmap m_rightNormal;
    CBitmap m_rightSelected;
};

// A number field: left and right enter or leave its edit state, up and down change the number.
// The edit state is the base item's value; the number is the ranged value.
class MNumberItem : public MRangeItem
{
public:
    MNumberItem();
    BOOL IsEditing() const { return m_nValue != 0; }
    int Increment();
    int Decrement();
    void SetSelectedBackColor(COLORREF color) { m_crSelectedBack = color; Repaint(); }
    void SetEditColor(COLORREF color) { m_crEdit = color; Repaint(); }
    int OnKey(UINT key, LPARAM lParam) override;
    void OnDraw(CDC* pDC) override;

private:
    COLORREF m_crSelectedBack;
    COLORREF m_crEdit;
};

// One line of an OSD page: its items (owned), its background and its current item.
class MItemGroup : public CWnd
{
public:
    MItemGroup();
    ~MItemGroup() override;

    BOOL Create(const RECT& rect, CWnd* pParent, UINT id);
    int AddItem(MItem* pItem);
    MItem* GetItem(int index) const;
    int GetCount() const { return static_cast<int>(m_items.GetSize()); }
    BOOL SetSelected(BOOL selected);
    BOOL IsSelected() const { return m_bSelected; }
    BOOL SetBitmaps(UINT normalId, UINT selectedId);
    void SetSharedBitmaps(CBitmap* pNormal, CBitmap* pSelected);
    int SetCurrentItem(int index);
    int GetCurrentItem() const { return m_nCurrent; }
    int MoveCurrentItem(BOOL forward);
    virtual void OnDraw(CDC* pDC);

protected:
    LRESULT OnOsdKey(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    int SendToCurrent(UINT key, LPARAM lParam);
    void SizeTo(CBitmap& bitmap);

    CArray<MItem*, MItem*> m_items;
    CBitmap m_normal;
    CBitmap m_selected;
    BOOL m_bSelected;
    int m_nCurrent;
    BOOL m_bShared;
    CBitmap* m_pSharedNormal;
    CBitmap* m_pSharedSelected;
};
