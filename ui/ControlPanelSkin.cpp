// The control panel's skins (its own and the colour panel's of the video-adjust dialog), its hot
// keys (loading, defaults, editing, saving and the accelerator table built from them), and what
// it does for the windows around it: docking the colour panel, the video window's cursor,
// desktop video and channel information box.
#include "ui/ControlPanelDlg.h"

#include "resources/ResourceIds.h"
#include "skin/DialogSkin.h"
#include "skin/SkinButton.h"
#include "ui/VideoDlg.h"
#include "ui/settings/HotKeyDefaults.h"
#include "ui/settings/VideoAdjustDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"
#include "foundation/PathUtils.h"
#include "skin/SkinList.h"

namespace
{
const char kColorSkinFile[] = "ColorSkin.ini";
const char kColorSkinLibrary[] = "Velmora.dll";

CTVEngine& Engine() { return *g_pTVEngine; }

CString FolderOf(const CString& path)
{
    int slash = path.ReverseFind('\\');
    return slash >= 0 ? path.Left(slash) : CString();
}

// Reads a skin description with its library as the resource module (the pictures are copied, so
// the library is freed again); NULL when the library does not load or the description fails.
CDialogSkin* ReadSkin(LPCSTR pszDescription, LPCSTR pszLibrary)
{
    if (!FileExists(pszDescription))
        return NULL;
    HINSTANCE hLibrary = ::LoadLibraryA(pszLibrary);
    if (hLibrary == NULL)
        return NULL;
    HINSTANCE hOld = AfxGetResourceHandle();
    AfxSetResourceHandle(hLibrary);
    CDialogSkin* pSkin = new CDialogSkin;
    BOOL bLoaded = pSkin->LoadSkin(pszDescription);
    AfxSetResourceHandle(hOld);
    ::FreeLibrary(hLibrary);
    if (!bLoaded)
    {
        delete pSkin;
        return NULL;
    }
    return pSkin;
}

// The new skin replaces the old one on the dialog. Hiding a window that is not shown would hand
// the activation to a hidden window, so only a shown one is hidden while its face changes.
void ReplaceSkin(CDialogSkin*& pCurrent, CDialogSkin* pNew, CWnd& dialog)
{
    if (pCurrent != NULL)
    {
        if (dialog.m_hWnd != NULL)
            pCurrent->Detach();
        pCurrent->Free();
        delete pCurrent;
    }
    pCurrent = pNew;
    if (dialog.m_hWnd == NULL)
        return;
    BOOL bVisible = dialog.IsWindowVisible();
    if (bVisible)
        dialog.ShowWindow(SW_HIDE);
    pCurrent->Attach(&dialog);
    if (bVisible)
        dialog.ShowWindow(SW_SHOW);
    dialog.Invalidate();
}
}  // namespace

BOOL CControlPanelDlg::LoadSkin(LPCSTR pszName)
{
    const CString& folder = Engine().GetAppFolder();
    CString description, library, colorFolder;
    if (pszName == NULL || *pszName == '\0' || Engine().m_strDefaultSkin.CompareNoCase(pszName) == 0)
    {
        description = JoinPath(folder, "Skin.ini");
        library = JoinPath(folder, "Drusk.dll");
        colorFolder = folder;
    }
    else
    {
        CSkinList list;
        CString ini, dll;
        if (!list.Open(JoinPath(folder, "SkinSet.ini")) || !list.GetSkinFiles(pszName, ini, dll) || ini.IsEmpty() ||
            dll.IsEmpty())
            return FALSE;
        description = JoinPath(folder, ini);
        library = JoinPath(folder, dll);
        colorFolder = FolderOf(description);
    }
    LoadColorSkin(JoinPath(colorFolder, kColorSkinFile), JoinPath(colorFolder, kColorSkinLibrary));

    if (!FileExists(description) || !FileExists(library))
        return FALSE;
    CDialogSkin* pSkin = ReadSkin(description, library);
    if (pSkin == NULL)
        return FALSE;
    ReplaceSkin(m_pSkin, pSkin, *this);
    // Record and pause rest pressed while they are on, whatever the skin says.
    for (UINT id : { ID_RECORD, ID_PAUSE })
    {
        if (CSkinButton* pButton = dynamic_cast<CSkinButton*>(m_pSkin->FindControl(id)))
            pButton->SetToggle(TRUE);
    }
    // The new controls start blank: they take the panel's state as the old ones showed it.
    if (m_hWnd != NULL)
    {
        ShowChannelText();
        UpdateClock();
        OnIdleUpdate();
        SetRecordingButtons(Engine().IsRecording() || Engine().IsScanning());
        UpdatePauseButton();
    }
    return TRUE;
}

BOOL CControlPanelDlg::LoadColorSkin(LPCSTR pszDescription, LPCSTR pszLibrary)
{
    CDialogSkin* pSkin = ReadSkin(pszDescription, pszLibrary);
    if (pSkin == NULL)
        return FALSE;
    ReplaceSkin(m_pColorSkin, pSkin, GetVideoAdjustDlg());
    return TRUE;
}

void CControlPanelDlg::FreeSkins()
{
    CDialogSkin** skins[] = { &m_pSkin, &m_pColorSkin };
    for (CDialogSkin** ppSkin : skins)
    {
        if (*ppSkin == NULL)
            continue;
        (*ppSkin)->Free();
        delete *ppSkin;
        *ppSkin = NULL;
    }
}

void CControlPanelDlg::OnNextSkin()
{
    const CStringList& names = Engine().GetSkinNames();
    if (names.IsEmpty())
        return;
    const CString current = Engine().GetSkinName();
    CString candidate = names.GetHead();
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;)
    {
        if (names.GetNext(pos).CompareNoCase(current) == 0)
        {
            candidate = pos != NULL ? names.GetAt(pos) : names.GetHead();
            break;
        }
    }
    if (candidate.CompareNoCase(current) == 0)
        return;
    CVideoAdjustDlg& adjust = GetVideoAdjustDlg();
    if (adjust.m_hWnd != NULL)
        adjust.Show(FALSE);
    if (LoadSkin(candidate))
        Engine().SetSkinName(candidate);
    ShowWindow(SW_SHOW);
}

void CControlPanelDlg::DockVideoAdjust()
{
    CVideoAdjustDlg& adjust = GetVideoAdjustDlg();
    if (adjust.m_hWnd == NULL || m_hWnd == NULL)
        return;
    CRect panel;
    GetWindowRect(&panel);
    const CString& skin = Engine().GetSkinName();
    if (skin.CompareNoCase("BaseSkin") == 0 || skin.CompareNoCase("One") == 0)
        adjust.MoveTo(panel.right, panel.top);
    else if (skin.CompareNoCase("Two") == 0)
        adjust.MoveTo(panel.left + 7, panel.top + 13);
    else if (skin.CompareNoCase("Three") == 0)
        adjust.MoveTo(panel.right - 75, panel.top);
}

void CControlPanelDlg::OnMove(int x, int y)
{
    CDialog::OnMove(x, y);
    DockVideoAdjust();
}

void CControlPanelDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    CVideoAdjustDlg& adjust = GetVideoAdjustDlg();
    if (!bShow && adjust.m_hWnd != NULL)
        adjust.Show(FALSE);
}

void CControlPanelDlg::OnMouseMove(UINT, CPoint)
{
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
        video.ShowCursor();
    Default();
}

void CControlPanelDlg::OnScreenToolShown(BOOL)
{
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
        video.LayoutLabels();
}

void CControlPanelDlg::OnDesktopVideo()
{
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
        video.SendMessage(WM_COMMAND, ID_DESKTOP_VIDEO, 0);
}

void CControlPanelDlg::ShowChannelInfoBox(CChannelItem* pItem)
{
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd == NULL || video.ChannelInfo().m_hWnd == NULL)
        return;
    if (Engine().ShowEPGInfo && pItem != NULL)
        video.ShowChannelInfo(pItem);
    else
        video.ChannelInfo().Show(FALSE);
}

// --- hot keys ---

void CControlPanelDlg::LoadHotKeys()
{
    m_hotKeys.SetOwner(this);
    CSettingsPanel::LoadHotKeys();
    m_hAccel = m_hotKeys.GetAccelerators();
}

void CControlPanelDlg::RebuildAccelerators()
{
    m_hotKeys.BuildAccelerators();
    m_hAccel = m_hotKeys.GetAccelerators();
}
