// A channel scan as the video window follows it: the scan workers' steps and end arrive here, the
// found channels go into the current table, and the scan bar, the panel and the OSD menu's search
// page show the progress.
#include "ui/VideoDlg.h"

#include "resources/ResourceIds.h"
#include "ui/ControlPanelDlg.h"
#include "ui/settings/ChannelPage.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"

namespace
{
// The panel's commands that wait while a scan runs.
const UINT kScanLockedCommands[] = { 1000, 1001, 1002, 1003, 1004, 1006, 1007,
                                     1008, 1099, 1100, 1104, 1164, 34158, 44150 };
const int kVolumeAboveScan = 35;
const int kLabelMargin = 5;
const DWORD kScanEndSettleMs = 200;

void EnableScanLockedCommands(CControlPanelDlg& panel, BOOL bEnable)
{
    for (UINT id : kScanLockedCommands)
        panel.EnableButton(id, bEnable);
}

void SetVolumeBottom(COSDLabelWnd& volume, int bottom)
{
    RECT margins = volume.GetMargins();
    margins.bottom = bottom;
    volume.SetMargins(margins);
}
}  // namespace

void CVideoDlg::OnSearchBegin()
{
    CTVEngine& engine = *g_pTVEngine;
    CControlPanelDlg& panel = GetControlPanel();
    CChannelTable* pTable = engine.GetChannelTable();
    if (pTable == NULL)
        return;
    m_oldChannels.RemoveAll();
    m_oldChannels.SetFMTable(pTable->IsFMTable());
    m_oldChannels.CopyItems(*pTable);
    pTable->RemoveAll();
    m_defaultNames.RemoveAll();
    engine.GetDefaultChannelNames(m_defaultNames);
    pTable->GetFrequencyRange(&m_scanLow, &m_scanHigh);
    if (engine.IsTVInput() && !engine.IsFreeScanInput())
    {
        m_scanStep = 0;
        m_scanLow = 0;
        m_scanHigh = engine.GetPointCount() < 1 ? 1 : engine.GetPointCount();
    }
    if (IsWindowVisible())
    {
        m_scanLabel.SetTextById(IDS_SCANNING);
        panel.SetMute(TRUE);
        m_scanLabel.SetPercent(0);
        m_scanLabel.Show(TRUE);
        // The volume bar stands above the scan bar.
        SetVolumeBottom(m_volumeLabel, m_scanLabel.GetMargins().bottom + kVolumeAboveScan);
    }
    EnableScanLockedCommands(panel, FALSE);
    if (!engine.IsPlaySourceMuted())
        panel.SetMute(TRUE);
}

LRESULT CVideoDlg::OnScanStep(WPARAM wParam, LPARAM lParam)
{
    CTVEngine& engine = *g_pTVEngine;
    CControlPanelDlg& panel = GetControlPanel();
    long frequency = static_cast<long>(wParam);
    BOOL bRadio = engine.IsRadio();
    CChannelTable* pTable = engine.GetChannelTable();
    if (lParam != 0 && pTable != NULL)
    {
        DWORD id = pTable->GetMaxID() + 1;
        CString name;
        name.Format("%s-%d", bRadio ? "FM" : "TV", static_cast<int>(id));
        CChannelItem* pItem = new CChannelItem(id, frequency, name, 1);
        CString known;
        if (m_defaultNames.Lookup(frequency, known))
        {
            pItem->Name = known;
        }
        else if (pTable->m_bReservePrev)
        {
            int nOld = m_oldChannels.FindIndexByFrequency(frequency);
            if (nOld >= 0)
                pItem->Name = m_oldChannels.GetChannel(nOld)->Name;
        }
        pTable->Add(pItem);
        CChannelPage::OnScanProgress(bRadio ? 1 : 0, pItem);
    }
    int position = frequency;
    if (engine.IsTVInput() && !engine.IsFreeScanInput())
        position = ++m_scanStep;
    if (bRadio)
    {
        panel.ShowScanFrequency(frequency);
    }
    else
    {
        int span = m_scanHigh - m_scanLow;
        // A free scan reports frequencies, not steps: its bar shows how far into the band it is.
        int offset = engine.IsFreeScanInput() ? position - m_scanLow : position;
        int percent = span > 0 ? static_cast<int>(static_cast<LONGLONG>(offset) * 100 / span) : 0;
        percent = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
        m_scanLabel.SetPercent(percent);
        if (m_scanLabel.IsShown())
            m_scanLabel.Refresh();
    }
    if (panel.IsOsdMenuShown())
        panel.GetOsdMenu().UpdateScanProgress(m_scanLow, m_scanHigh, position);
    return 0;
}

LRESULT CVideoDlg::OnScanDone(WPARAM, LPARAM)
{
    CTVEngine& engine = *g_pTVEngine;
    CControlPanelDlg& panel = GetControlPanel();
    engine.EndChannelScan(&m_oldChannels);
    if (!IsFullScreen())
        ShowNormal();
    m_scanLabel.Show(FALSE);
    SetVolumeBottom(m_volumeLabel, kLabelMargin);
    if (m_volumeLabel.IsShown())
        m_volumeLabel.Refresh();
    EnableScanLockedCommands(panel, TRUE);
    CScreenToolDlg& tool = panel.GetScreenTool();
    if (tool.m_hWnd != NULL)
        tool.Show(FALSE);
    if (CChannelTable* pTable = engine.GetChannelTable())
        pTable->SelectStartChannel();
    panel.ShowChannelText();
    if (panel.IsOsdMenuShown())
        panel.GetOsdMenu().GoBack();
    CChannelPage::OnScanFinished();
    ::Sleep(kScanEndSettleMs);
    panel.SetMute(FALSE);
    return 0;
}
