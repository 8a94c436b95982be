#include "ui/osd/OSDChannelPages.h"

#include "engine/TVEngine.h"
#include "resources/ResourceIds.h"
#include "ui/osd/OSDMenuDlg.h"

namespace {

const UINT kMainMenuId = 45600;
const UINT kChannelEditId = 45500;
const UINT kChannelSearchId = 45400;

enum
{
    ROW_SCAN,
    ROW_FINE_TUNE,
    ROW_DELETE,
    ROW_FAVOURITE,
    ROW_FAVOURITES_ONLY
};

// Mutes the play line for the life of the object, around a retune.
class CPlayLineMute
{
public:
    CPlayLineMute() { g_pTVEngine->GetHardWare().SetPlaySourceMute(TRUE); }
    ~CPlayLineMute() { g_pTVEngine->GetHardWare().SetPlaySourceMute(FALSE); }
};

} // namespace

BOOL MMainMenuPage::Create(const RECT& rect, CWnd* pParent, UINT)
{
    return MFrame::Create(rect, pParent, kMainMenuId);
}

BOOL MMainMenuPage::BuildRows()
{
    for (UINT i = 0; i < 5; ++i)
    {
        MItemGroup* pRow = NewRow(kMainMenuId + i, OsdString(IDS_OSD_MAIN_NAME_FIRST + i));
        AddItem(pRow, new MItem, CRect(229, 0, 579, 45), kMainMenuId, OsdString(IDS_OSD_MAIN_DESC_FIRST + i));
    }
    return TRUE;
}

BOOL MChannelEditPage::Create(const RECT& rect, CWnd* pParent, UINT)
{
    return MFrame::Create(rect, pParent, kChannelEditId);
}

BOOL MChannelEditPage::BuildRows()
{
    const CRect choice(253, 6, 510, 45);
    MItemGroup* pRow = NewRow(kChannelEditId, OsdString(IDS_OSD_SCAN_CHANNELS));
    AddItem(pRow, new MItem, CRect(180, 0, 579, 45), kChannelEditId, OsdString(IDS_OSD_SCAN_HINT));

    pRow = NewRow(kChannelEditId, OsdString(IDS_OSD_FINE_TUNE));
    AddItem(pRow, new MSliderItem, CRect(253, 10, 599, 45), kChannelEditId)
        ->SetBitmaps(IDB_OSD_SLIDER_TRACK, IDB_OSD_SLIDER_KNOB);

    pRow = NewRow(kChannelEditId, OsdString(IDS_OSD_DELETE_CHANNEL));
    MChoiceItem* pChoice = AddChoice(pRow, choice, kChannelEditId);
    pChoice->AddString(OsdString(IDS_OSD_YES_ACTION));
    pChoice->AddString(OsdString(IDS_OSD_NO_ACTION));

    pRow = NewRow(kChannelEditId, OsdString(IDS_OSD_FAVOURITE));
    pChoice = AddChoice(pRow, choice, kChannelEditId);
    pChoice->AddString(OsdString(IDS_OSD_YES_ACTION));
    pChoice->AddString(OsdString(IDS_OSD_NO_ACTION));
    pChoice->SetCurSel(1);

    pRow = NewRow(kChannelEditId, OsdString(IDS_OSD_FAVOURITES_ONLY));
    pChoice = AddChoice(pRow, choice, kChannelEditId);
    pChoice->AddString(OsdString(IDS_OSD_ON));
    pChoice->AddString(OsdString(IDS_OSD_OFF));
    return TRUE;
}

MFrame* MChannelEditPage::GetSelectedFrame()
{
    return m_subFrames.GetSize() > 0 ? m_subFrames[0] : nullptr;
}

void MChannelEditPage::OnRefresh()
{
    CChannelTable* pTable = g_pTVEngine->GetChannelTable();
    m_pChannel = pTable->GetCurrentChannel();
    if (MSliderItem* pSlider = RowItem<MSliderItem>(ROW_FINE_TUNE, 1))
    {
        if (m_pChannel)
        {
            pSlider->SetRange(m_pChannel->Frequency - 2000, m_pChannel->Frequency + 2000);
            pSlider->SetStep(50);
            pSlider->SetValue(m_pChannel->Frequency);
        }
    }
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(ROW_DELETE, 1))
        pChoice->SetCurSel(1);
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(ROW_FAVOURITE, 1))
        pChoice->SetCurSel(m_pChannel && m_pChannel->IsFavorite() ? 0 : 1);
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(ROW_FAVOURITES_ONLY, 1))
        pChoice->SetCurSel(pTable->m_bFavorOnly ? 0 : 1);
}

void MChannelEditPage::FineTune()
{
    MSliderItem* pSlider = RowItem<MSliderItem>(ROW_FINE_TUNE, 1);
    if (!pSlider)
        return;
    const int frequency = pSlider->GetValue();
    m_pChannel = g_pTVEngine->GetChannelTable()->GetCurrentChannel();
    if (!m_pChannel)
        return;
    CPlayLineMute mute;
    m_pChannel->Frequency = frequency;
    g_pTVEngine->GetChannelTable()->SetModified(TRUE);
    g_pTVEngine->SetFrequency(g_pTVEngine->IsRadio(), frequency);
}

// The channel is looked up in the table when the user acts: only an object that the table held,
// and no longer holds, is deleted.
void MChannelEditPage::DeleteCurrentChannel()
{
    CChannelTable* pTable = g_pTVEngine->GetChannelTable();
    CChannelItem* pChannel = pTable->GetCurrentChannel();
    if (pChannel)
    {
        const int index = pTable->FindItem(pChannel);
        if (pTable->IsValidIndex(index))
        {
            CPlayLineMute mute;
            pTable->RemoveAt(index);
            pTable->SetModified(TRUE);
            delete pChannel;
        }
    }
    m_pChannel = pTable->GetCurrentChannel();
    if (!m_pChannel)
        return;
    int low = 0, high = 0;
    g_pTVEngine->GetHardWare().GetTVFrequencyRange(&low, &high);
    if (MSliderItem* pSlider = RowItem<MSliderItem>(ROW_FINE_TUNE, 1))
    {
        if (high > low)
            pSlider->SetRange(low, high);
        pSlider->SetValue(m_pChannel->Frequency);
    }
    pTable->SetCurrentChannel(m_pChannel);
}

int MChannelEditPage::OnCodeOK(UINT key, LPARAM lParam)
{
    if (key == OSD_KEY_CLOSE)
        return MFrame::OnCodeOK(key, lParam);
    const BOOL leftRight = key == VK_LEFT || key == VK_RIGHT;
    switch (m_nCurrentRow)
    {
    case ROW_SCAN:
        if (key != VK_RETURN)
            break;
        if (g_pTVEngine->IsScanning())
            g_pTVEngine->StopChannelScan();
        else
            g_pTVEngine->StartChannelScan(g_pTVEngine->IsRadio() ? 0 : 1);
        return OSD_KEY_UNHANDLED;
    case ROW_FINE_TUNE:
        if (!leftRight)
            break;
        FineTune();
        return OSD_KEY_CONSUMED;
    case ROW_DELETE:
        if (key != VK_RETURN)
            break;
        if (MChoiceItem* pChoice = RowItem<MChoiceItem>(ROW_DELETE, 1))
            if (pChoice->GetCurSel() == 0)
                DeleteCurrentChannel();
        return OSD_KEY_CONSUMED;
    case ROW_FAVOURITE:
        if (!leftRight)
            break;
        m_pChannel = g_pTVEngine->GetChannelTable()->GetCurrentChannel();
        if (m_pChannel)
        {
            MChoiceItem* pChoice = RowItem<MChoiceItem>(ROW_FAVOURITE, 1);
            m_pChannel->SetFavorite(pChoice && pChoice->GetCurSel() == 0);
            g_pTVEngine->GetChannelTable()->SetModified(TRUE);
        }
        return OSD_KEY_CONSUMED;
    case ROW_FAVOURITES_ONLY:
        if (!leftRight)
            break;
        if (MChoiceItem* pChoice = RowItem<MChoiceItem>(ROW_FAVOURITES_ONLY, 1))
            g_pTVEngine->GetChannelTable()->SetFavorOnly(pChoice->GetCurSel() == 0);
        return OSD_KEY_CONSUMED;
    default:
        break;
    }
    return -1;
}

BOOL MChannelSearchPage::Create(const RECT& rect, CWnd* pParent, UINT)
{
    return MFrame::Create(rect, pParent, kChannelSearchId);
}

BOOL MChannelSearchPage::BuildRows()
{
    MItemGroup* pRow = NewRow(kChannelSearchId, OsdString(IDS_SEARCH_STOP));
    m_pBar = AddBar(pRow, CRect(289, 10, 579, 45), kChannelSearchId, 0, 100);
    m_pBar->EnableKeys(FALSE);
    return TRUE;
}

void MChannelSearchPage::OnRefresh()
{
    SetTitle(OsdString(IDS_SEARCH_START));
}

int MChannelSearchPage::OnKeyFallback(UINT key, LPARAM)
{
    if (key == VK_RETURN || key == VK_APPS || key == OSD_KEY_CLOSE)
    {
        if (g_pTVEngine->IsScanning())
        {
            g_pTVEngine->StopChannelScan();
            g_pTVEngine->IsBusy(FALSE);
        }
    }
    return OSD_KEY_UNHANDLED;
}

int MChannelSearchPage::UpdateProgress(int min, int max, int value)
{
    if (!m_pBar)
        return value;
    m_pBar->SetRange(min, max);
    m_pBar->SetValue(value);
    if (value == max)
    {
        if (COSDMenuDlg* pHost = OsdHostOf(this))
            return pHost->GoBack();
    }
    return value;
}
