#include "ui/osd/OSDPicturePages.h"

#include <cstdlib>
#include <cstring>

#include "engine/TVEngine.h"
#include "resources/ResourceIds.h"
#include "ui/osd/OSDMenuDlg.h"

int g_nCaptureType = 1;
int g_nCaptureOption = 0;
int g_nJPEGQuality = 75;

namespace {

const UINT kPictureId = 45200;
const UINT kChoiceId = 45300;
const UINT kCaptureId = 45300;
const CRect kBarRect(259, 10, 579, 45);

BOOL IsLeftRight(UINT key)
{
    return key == VK_LEFT || key == VK_RIGHT;
}

// A row of the picture pages with its caption, on its own row pictures (the host's shared ones
// replace them later); null when the pictures do not load.
MItemGroup* AddPictureRow(MFrame* pPage, UINT id, UINT caption)
{
    const CRect rect(20, 0, 229, 45);
    MItemGroup* pRow = new MItemGroup;
    pRow->Create(rect, pPage, id);
    if (!pRow->SetBitmaps(IDB_OSD_ROW, IDB_OSD_ROW_SELECTED))
    {
        delete pRow;
        return nullptr;
    }
    MLabelItem* pCaption = new MLabelItem;
    pCaption->Create(rect, pRow, id, OsdString(caption));
    pRow->AddItem(pCaption);
    pPage->AddRow(pRow);
    return pRow;
}

CString SizeText(int width, int height)
{
    CString text;
    text.Format("%d %c %d", width, '*', height);
    return text;
}

// Set while a capture-size change of the page runs; a second change meanwhile is refused.
BOOL g_bSizeChanging = FALSE;

} // namespace

// --- picture -----------------------------------------------------------------------------------

BOOL MPictureAdjustPage::Create(const RECT& rect, CWnd* pParent, UINT)
{
    return MFrame::Create(rect, pParent, kPictureId);
}

BOOL MPictureAdjustPage::BuildRows()
{
    for (UINT row = 0; row < 6; ++row)
    {
        MItemGroup* pRow = AddPictureRow(this, kPictureId, IDS_OSD_PICTURE_FIRST + row);
        if (!pRow)
            return FALSE;
        if (row < 5)
        {
            AddBar(pRow, kBarRect, kPictureId, 0, 255);
        }
        else
        {
            MChoiceItem* pChoice = AddChoice(pRow, CRect(260, 6, 510, 45), kChoiceId);
            pChoice->AddString(OsdString(IDS_OSD_YES));
            pChoice->AddString(OsdString(IDS_OSD_NO));
        }
    }
    return TRUE;
}

namespace {
const int kPictureRanges[5][2] = { { 0, 255 }, { 0, 127 }, { -128, 127 }, { 0, 127 }, { -8, 7 } };
const int kPictureResets[5] = { 128, 68, 128, 64, 8 };
} // namespace

void MPictureAdjustPage::OnRefresh()
{
    const int values[5] = { g_pTVEngine->GetBrightness(), g_pTVEngine->GetContrast(), g_pTVEngine->GetHue(),
                            g_pTVEngine->GetSaturation(), g_pTVEngine->GetSharpness() };
    for (int row = 0; row < 5; ++row)
    {
        if (MValueBarItem* pBar = RowItem<MValueBarItem>(row, 1))
        {
            pBar->SetRange(kPictureRanges[row][0], kPictureRanges[row][1]);
            pBar->SetValue(values[row]);
        }
    }
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(5, 1))
        pChoice->SetCurSel(1);
}

int MPictureAdjustPage::OnCodeOK(UINT key, LPARAM lParam)
{
    if (key == OSD_KEY_CLOSE)
        return MFrame::OnCodeOK(key, lParam);
    const int row = m_nCurrentRow;
    if (row >= 0 && row < 5 && IsLeftRight(key))
    {
        MValueBarItem* pBar = RowItem<MValueBarItem>(row, 1);
        if (!pBar)
            return -1;
        const int value = pBar->GetValue();
        switch (row)
        {
        case 0: g_pTVEngine->SetBrightness(value); break;
        case 1: g_pTVEngine->SetContrast(value); break;
        case 2: g_pTVEngine->SetHue(value); break;
        case 3: g_pTVEngine->SetSaturation(value); break;
        default: g_pTVEngine->SetSharpness(value); break;
        }
        return OSD_KEY_CONSUMED;
    }
    if (row == 5 && key == VK_RETURN)
    {
        MChoiceItem* pChoice = RowItem<MChoiceItem>(5, 1);
        if (pChoice && pChoice->GetCurSel() == 0)
        {
            g_pTVEngine->ResetVideoProcAmp();
            for (int bar = 0; bar < 5; ++bar)
                if (MValueBarItem* pBar = RowItem<MValueBarItem>(bar, 1))
                    pBar->SetValue(kPictureResets[bar]);
        }
        return OSD_KEY_CONSUMED;
    }
    return -1;
}

// --- noise reduction ---------------------------------------------------------------------------

BOOL MNoiseReductionPage::Create(const RECT& rect, CWnd* pParent, UINT)
{
    return MFrame::Create(rect, pParent, kPictureId);
}

BOOL MNoiseReductionPage::BuildRows()
{
    for (UINT row = 0; row < 6; ++row)
    {
        MItemGroup* pRow = AddPictureRow(this, kPictureId, IDS_OSD_NOISE_FIRST + row);
        if (!pRow)
            return FALSE;
        if (row == 4)
        {
            AddBar(pRow, kBarRect, kPictureId, 0, 10);
            continue;
        }
        MChoiceItem* pChoice = AddChoice(pRow, CRect(259, 6, 515, 45), kChoiceId);
        if (row == 0)
        {
            const BOOL ntsc = g_pTVEngine->GetHardWare().IsNTSC();
            pChoice->AddString(ntsc ? SizeText(320, 240) : SizeText(352, 288));
            pChoice->AddString(SizeText(640, 480));
            pChoice->AddString(ntsc ? SizeText(720, 480) : SizeText(720, 576));
        }
        else
        {
            pChoice->AddString(OsdString(IDS_OSD_YES));
            pChoice->AddString(OsdString(IDS_OSD_NO));
        }
    }
    return TRUE;
}

MFrame* MNoiseReductionPage::GetSelectedFrame()
{
    return m_subFrames.GetSize() > 0 ? m_subFrames[0] : nullptr;
}

void MNoiseReductionPage::OnRefresh()
{
    if (MChoiceItem* pSizes = RowItem<MChoiceItem>(0, 1))
    {
        const CSize size = g_pTVEngine->GetVideoSize();
        const CString current = SizeText(size.cx, size.cy);
        for (int i = 0; i < pSizes->GetCount(); ++i)
        {
            if (pSizes->GetString(i) == current)
            {
                pSizes->SetCurSel(i);
                break;
            }
        }
    }
    const BOOL flags[3] = { g_pTVEngine->GetHighQuality(), g_pTVEngine->GetNoiseReduce(), g_pTVEngine->GetHalfRate() };
    for (int row = 1; row <= 3; ++row)
        if (MChoiceItem* pChoice = RowItem<MChoiceItem>(row, 1))
            pChoice->SetCurSel(flags[row - 1] ? 0 : 1);
    if (MValueBarItem* pBar = RowItem<MValueBarItem>(4, 1))
        pBar->SetValue(g_pTVEngine->GetReduceValue());
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(5, 1))
        pChoice->SetCurSel(g_pTVEngine->GetEnableShut() ? 0 : 1);
}

int MNoiseReductionPage::OnCodeOK(UINT key, LPARAM lParam)
{
    if (key == OSD_KEY_CLOSE)
        return MFrame::OnCodeOK(key, lParam);
    const int row = m_nCurrentRow;
    MChoiceItem* pChoice = RowItem<MChoiceItem>(row, 1);
    if (row == 5 && key == VK_RETURN)
        return OSD_KEY_UNHANDLED;
    if (!IsLeftRight(key))
        return -1;
    switch (row)
    {
    case 0:
    {
        if (g_bSizeChanging || !pChoice)
            return -1;
        CString text;
        pChoice->GetCurText(text);
        const int width = std::atoi(text);
        const char* star = std::strchr(text, '*');
        const int height = star ? std::atoi(star + 1) : 0;
        g_bSizeChanging = TRUE;
        g_pTVEngine->GetHardWare().SetPlaySourceMute(TRUE);
        g_pTVEngine->SetVideoSize(CSize(width, height));
        g_pTVEngine->GetHardWare().SetPlaySourceMute(FALSE);
        g_bSizeChanging = FALSE;
        return OSD_KEY_CONSUMED;
    }
    case 1:
    case 2:
    case 3:
    {
        const BOOL on = pChoice && pChoice->GetCurSel() == 0;
        if (row == 1)
            g_pTVEngine->SetHighQuality(on);
        else if (row == 2)
            g_pTVEngine->SetNoiseReduce(on);
        else
            g_pTVEngine->SetHalfRate(on);
        return OSD_KEY_CONSUMED;
    }
    case 4:
        if (MValueBarItem* pBar = RowItem<MValueBarItem>(4, 1))
            g_pTVEngine->SetReduceValue(pBar->GetValue());
        return OSD_KEY_CONSUMED;
    case 5:
        g_pTVEngine->SetEnableShut(pChoice && pChoice->GetCurSel() == 0);
        return -1;
    default:
        return -1;
    }
}

// --- capture settings --------------------------------------------------------------------------

BOOL MCaptureSettingsPage::Create(const RECT& rect, CWnd* pParent, UINT)
{
    return MFrame::Create(rect, pParent, kCaptureId);
}

BOOL MCaptureSettingsPage::BuildRows()
{
    static const UINT kChoices[4][8] = {
        { IDS_OSD_PICTURE_TYPE_JPEG, IDS_OSD_PICTURE_TYPE_BMP },
        { IDS_OSD_FORMAT_FIRST, IDS_OSD_FORMAT_FIRST + 1, IDS_OSD_FORMAT_FIRST + 2, IDS_OSD_FORMAT_FIRST + 3,
          IDS_OSD_FORMAT_FIRST + 4, IDS_OSD_FORMAT_FIRST + 5, IDS_OSD_FORMAT_FIRST + 6, IDS_OSD_FORMAT_LAST },
        { IDS_OSD_CAPTURE_OPTION_0, IDS_OSD_NOISE_FIRST + 1, IDS_OSD_CAPTURE_OPTION_2 },
        { IDS_OSD_QUALITY_FIRST, IDS_OSD_QUALITY_FIRST + 1, IDS_OSD_QUALITY_LAST },
    };
    for (UINT row = 0; row < 5; ++row)
    {
        MItemGroup* pRow = NewRow(kCaptureId, OsdString(IDS_OSD_CAPTURE_FIRST + row));
        if (row == 4)
        {
            AddBar(pRow, kBarRect, kPictureId, 0, 255);
            continue;
        }
        MChoiceItem* pChoice = AddChoice(pRow, CRect(250, 6, 530, 45), kChoiceId);
        for (UINT id : kChoices[row])
            if (id)
                pChoice->AddString(OsdString(id));
    }
    return TRUE;
}

MFrame* MCaptureSettingsPage::GetSelectedFrame()
{
    return m_subFrames.GetSize() > 0 ? m_subFrames[0] : nullptr;
}

void MCaptureSettingsPage::OnRefresh()
{
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(0, 1))
        pChoice->SetCurSel(g_nCaptureType ? 0 : 1);
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(1, 1))
        pChoice->SetCurSel(g_pTVEngine->GetRecordFormat());
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(2, 1))
    {
        if (g_nCaptureOption == 0 || g_nCaptureOption == 1)
            pChoice->SetCurSel(g_nCaptureOption);
        else if (g_nCaptureOption == 3)
            pChoice->SetCurSel(2);
    }
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(3, 1))
        pChoice->SetCurSel(g_pTVEngine->GetDisplayQuality());
    if (MValueBarItem* pBar = RowItem<MValueBarItem>(4, 1))
    {
        pBar->SetRange(0, 100);
        pBar->SetValue(g_nJPEGQuality);
    }
}

int MCaptureSettingsPage::OnCodeOK(UINT key, LPARAM lParam)
{
    if (key == OSD_KEY_CLOSE)
        return MFrame::OnCodeOK(key, lParam);
    if (!IsLeftRight(key))
        return -1;
    const int row = m_nCurrentRow;
    MChoiceItem* pChoice = RowItem<MChoiceItem>(row, 1);
    const int index = pChoice ? pChoice->GetCurSel() : 0;
    switch (row)
    {
    case 0:
        g_nCaptureType = index == 0 ? 1 : 0;
        break;
    case 1:
        g_pTVEngine->SetRecordFormat(index);
        if (COSDMenuDlg* pHost = OsdHostOf(this))
            pHost->GetOwner()->OnRecordFormatChanged();
        break;
    case 2:
        g_nCaptureOption = index == 2 ? 3 : index;
        break;
    case 3:
        g_pTVEngine->SetDisplayQuality(index);
        break;
    case 4:
        if (MValueBarItem* pBar = RowItem<MValueBarItem>(4, 1))
            g_nJPEGQuality = pBar->GetValue();
        break;
    default:
        return -1;
    }
    return OSD_KEY_CONSUMED;
}
