// The texts the video window lays over the picture: channel, record state, notices, input, the
// channel number being typed, the volume and scan bars, and the channel information box.
#include "ui/VideoDlg.h"

#include "resources/ResourceIds.h"
#include "ui/ControlPanelDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"

#include <stdio.h>

namespace
{
const UINT kLabelAutoHideMs = 4000;
const COLORREF kLabelColor = RGB(0, 255, 0);
const BYTE kGb2312Charset = 134;
const COLORREF kInfoTransparent = RGB(255, 0, 255);

// Top margins of the channel, digits, record, notice and input labels: alone, and below the
// screen tool while it is shown.
const int kTopAlone[] = { 5, 5, 5, 30, 60 };
const int kTopBelowTool[] = { 45, 45, 45, 70, 100 };

void Prepare(COSDLabelWnd& label, CWnd* pParent, UINT format, const RECT& margins)
{
    label.SetAutoHide(kLabelAutoHideMs);
    label.SetColor(kLabelColor);
    label.SetFontCharset(kGb2312Charset);
    label.SetFontFace("黑体");
    label.SetTextFormat(format);
    label.SetMargins(margins);
    label.Create(pParent);
}

void SetTopMargin(COSDLabelWnd& label, int top)
{
    RECT margins = label.GetMargins();
    margins.top = top;
    label.SetMargins(margins);
}
}  // namespace

void CVideoDlg::CreateLabels()
{
    m_labels.RemoveAll();
    COSDLabelWnd* order[] = { &m_channelLabel, &m_recordLabel, &m_noticeLabel, &m_inputLabel,
                              &m_digitsLabel,  &m_volumeLabel, &m_scanLabel };
    for (COSDLabelWnd* pLabel : order)
        m_labels.Add(pLabel);
    const RECT corner = { 5, 5, 5, 5 };
    Prepare(m_channelLabel, this, DT_RIGHT, corner);
    Prepare(m_recordLabel, this, DT_LEFT, corner);
    Prepare(m_noticeLabel, this, DT_LEFT, corner);
    Prepare(m_inputLabel, this, DT_RIGHT, corner);
    Prepare(m_digitsLabel, this, DT_RIGHT, corner);
    // The bars stand at the bottom edge, as bar labels do.
    Prepare(m_volumeLabel, this, DT_SINGLELINE | DT_BOTTOM, corner);
    Prepare(m_scanLabel, this, DT_SINGLELINE | DT_BOTTOM, corner);

    if (m_osdText.Create(this))
    {
        m_osdText.SetBarBitmap(IDB_OSD_TEXT_BAR);
        m_osdText.SetAutoHide(kLabelAutoHideMs);
        m_osdText.SetBackground(IDB_OSD_TEXT_BACKGROUND, kInfoTransparent);
        m_osdText.Show(TRUE);
    }
    LayoutLabels();
    m_scanLabel.SetAutoHide(0);
    m_scanLabel.SetFontScale(30, 40, 10);
    m_volumeLabel.SetFontScale(30, 40, 10);
}

void CVideoDlg::LayoutLabels()
{
    CControlPanelDlg& panel = GetControlPanel();
    CScreenToolDlg& tool = panel.GetScreenTool();
    BOOL bBelowTool = tool.m_hWnd != NULL && tool.IsWindowVisible();
    const int* tops = bBelowTool ? kTopBelowTool : kTopAlone;
    COSDLabelWnd* placed[] = { &m_channelLabel, &m_digitsLabel, &m_recordLabel, &m_noticeLabel, &m_inputLabel };
    for (int i = 0; i < 5; ++i)
        SetTopMargin(*placed[i], tops[i]);
    RelayoutLabels();
}

void CVideoDlg::RelayoutLabels()
{
    for (INT_PTR i = 0; i < m_labels.GetSize(); ++i)
    {
        COSDLabelWnd* pLabel = static_cast<COSDLabelWnd*>(m_labels[i]);
        if (pLabel->IsShown())
            pLabel->Refresh();
    }
}

void CVideoDlg::DestroyLabels()
{
    for (INT_PTR i = 0; i < m_labels.GetSize(); ++i)
    {
        COSDLabelWnd* pLabel = static_cast<COSDLabelWnd*>(m_labels[i]);
        if (pLabel->m_hWnd != NULL)
            pLabel->DestroyWindow();
    }
    m_labels.RemoveAll();
}

namespace
{
// The channel and digits labels share the corner: showing one hides the other. Neither is shown
// while the video window is hidden.
void ShowCornerLabel(CWnd& video, COSDLabelWnd& shown, COSDLabelWnd& other, BOOL bShow)
{
    if (bShow && !video.IsWindowVisible())
        return;
    if (bShow)
        other.Show(FALSE);
    shown.Show(bShow);
}
}  // namespace

void CVideoDlg::ShowChannelLabel(BOOL bShow) { ShowCornerLabel(*this, m_channelLabel, m_digitsLabel, bShow); }

void CVideoDlg::ShowDigitsLabel(BOOL bShow) { ShowCornerLabel(*this, m_digitsLabel, m_channelLabel, bShow); }

void CVideoDlg::ShowRecordLabel(BOOL bShow)
{
    if (IsWindowVisible())
        m_recordLabel.Show(bShow);
}

void CVideoDlg::ShowNoticeLabel(BOOL bShow)
{
    if (IsWindowVisible())
        m_noticeLabel.Show(bShow);
}

void CVideoDlg::ShowInputLabel(BOOL bShow)
{
    if (IsWindowVisible())
        m_inputLabel.Show(bShow);
}

void CVideoDlg::ShowVolumeBar(BOOL bShow, LPCSTR text, int percent)
{
    if (bShow)
    {
        m_volumeLabel.SetPercent(percent);
        m_volumeLabel.SetText(text);
    }
    m_volumeLabel.Show(bShow && IsWindowVisible());
}

void CVideoDlg::PlaceChannelInfo()
{
    if (m_osdText.m_hWnd == NULL)
        return;
    m_osdText.Relayout();
    if (m_osdText.GetXOffset() < 0 || m_osdText.GetYOffset() < 0)
        m_osdText.Show(FALSE);
}

void CVideoDlg::ShowChannelInfo(CChannelItem* pItem)
{
    if (m_osdText.m_hWnd == NULL || pItem == NULL)
        return;
    CTVEngine& engine = *g_pTVEngine;
    UINT seconds = engine.ShowEPGTime == 0 ? 1 : engine.ShowEPGTime;
    m_osdText.SetAutoHide(seconds * 1000);
    // Lines count from 1: name, local time, and the guide's now and next.
    m_osdText.SetLineText(1, pItem->Name);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char stamp[64];
    snprintf(stamp, sizeof(stamp), "%04d年%02d月%02d日 %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour,
             now.wMinute, now.wSecond);
    m_osdText.SetLineText(2, stamp);
    if (engine.IsTVInput())
    {
        CString nowText, nextText;
        engine.GetNowNextText(pItem, nowText, nextText);
        m_osdText.SetLineText(3, nowText);
        m_osdText.SetLineText(4, nextText);
    }
    m_osdText.SetDrawMode(engine.IsOverlayActive() ? 1 : 2);
    m_osdText.MakeOpaque();
    m_osdText.RedrawImages();
    m_osdText.SetBackground(IDB_OSD_TEXT_BACKGROUND, kInfoTransparent);
    m_osdText.Relayout();
    if (m_osdText.GetXOffset() > 0 && m_osdText.GetYOffset() > 0)
        m_osdText.Show(TRUE);
    m_osdText.Invalidate();
    m_osdText.UpdateWindow();
}
