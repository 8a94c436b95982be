// The HTTP client brings the socket headers, which must come before the system's window headers.
#include "engine/HttpSocket.h"
#include "ui/settings/WizarSheet.h"

#include <cstdlib>

#include "engine/TVEngine.h"
#include "foundation/RegistryKey.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/FileDialog.h"
#include "resources/ResourceIds.h"
#include "ui/SystemActions.h"

namespace
{
const char kCommonKey[] = "Software\\Veltrane\\Common";
const char kURLValue[] = "EpgURL";
const char kDefaultFile[] = "showtime.zip";
const char kFilter[] = "Zip File (*.zip)|*.zip|All Files (*.*)|*.*||";
const char kBoxCaption[] = "EPG 文件升级";

const char kConnecting[] = "正在连接服务器下载!";
const char kConnectFailed[] = "连接失败,请手动下载!";
const char kClosed[] = "服务器已经关闭连接,请手动下载!";
const char kClosedBox[] = "服务器已经关闭连接.";
const char kTimedOut[] = "接收数据超时,请手动下载!";
const char kTimedOutBox[] = "接收数据超时.";
const char kDone[] = "下载完成!";
const char kRefused[] = "服务器拒绝了下载(%d),请手动下载!";
const char kRefusedBox[] = "服务器拒绝了下载(%d).";
const char kNoLength[] = "服务器没有给出文件长度,请手动下载!";
const char kNoLengthBox[] = "服务器没有给出文件长度.";
const char kCannotWrite[] = "无法写入文件,请手动下载!";

const int kHttpPort = 80;
const int kReceiveTimeoutMs = 20000;
const int kBlock = 1024;

// "http://host[:port]/path": the server, the object (at least "/") and the port (80 unless given).
BOOL ParseURL(const CString& url, CString& server, CString& object, int& port)
{
    const char kScheme[] = "http://";
    if (url.Left(7).CompareNoCase(kScheme) != 0)
        return FALSE;
    CString rest = url.Mid(7);
    const int nSlash = rest.Find('/');
    CString host = nSlash < 0 ? rest : rest.Left(nSlash);
    object = nSlash < 0 ? CString("/") : rest.Mid(nSlash);
    port = kHttpPort;
    const int nColon = host.Find(':');
    if (nColon >= 0)
    {
        port = atoi(host.Mid(nColon + 1));
        host = host.Left(nColon);
        if (port <= 0 || port > 65535)
            return FALSE;
    }
    server = host;
    return !server.IsEmpty();
}

// The sheet control's own message: it works from the page's first activation on, and from the
// worker thread (it is posted).
void SetWizardButtons(const CWnd* pPage, DWORD dwFlags)
{
    ::PostMessageA(::GetParent(pPage->m_hWnd), PSM_SETWIZBUTTONS, 0, dwFlags);
}

// The worker's boxes are its own windows: closed when the download is cancelled.
BOOL CALLBACK CloseBox(HWND hWnd, LPARAM)
{
    char name[16] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0)
        ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return TRUE;
}
}  // namespace

const char CWizarSheet::kDefaultURL[] = "http://epg.veltrane.com.cn/download/showtime.zip";
DWORD CPageDownload::s_dwPause = 100;

// --- welcome ---

CPageWelcome::CPageWelcome() : CPropertyPage(IDD), m_bSaveURL(1), m_pDownload(NULL) {}

void CPageWelcome::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_WIZARD_SAVE_URL, m_bSaveURL);
}

BOOL CPageWelcome::OnSetActive()
{
    SetWizardButtons(this, PSWIZB_NEXT);
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kCommonKey) == ERROR_SUCCESS)
    {
        CString url;
        if (key.QueryString(kURLValue, url) != ERROR_SUCCESS)
            url = CWizarSheet::kDefaultURL;
        SetDlgItemText(IDC_WIZARD_URL, url);
    }
    return CPropertyPage::OnSetActive();
}

LRESULT CPageWelcome::OnWizardNext()
{
    UpdateData(TRUE);
    CString url;
    GetDlgItemText(IDC_WIZARD_URL, url);
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kCommonKey) == ERROR_SUCCESS && m_bSaveURL &&
        key.SetString(kURLValue, url) == ERROR_SUCCESS)
    {
        if (m_pDownload != NULL)
            m_pDownload->m_strURL = url;
    }
    return CPropertyPage::OnWizardNext();
}

// --- download ---

BEGIN_MESSAGE_MAP(CPageDownload, CPropertyPage)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageDownload::CPageDownload() : CPropertyPage(IDD), m_pWorker(NULL), m_lCancel(0), m_pSocket(NULL)
{
    ::InitializeCriticalSection(&m_lock);
}

CPageDownload::~CPageDownload()
{
    StopDownload();
    ::DeleteCriticalSection(&m_lock);
}

void CPageDownload::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZARD_PROGRESS, m_Progress);
}

BOOL CPageDownload::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_Progress.ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CPageDownload::OnSetActive()
{
    SetWizardButtons(this, PSWIZB_BACK);
    StopDownload();

    CString folder = g_pTVEngine->GetAppFolder();
    if (folder.Right(1) != "\\")
        folder += "\\";
    const int nSlash = m_strURL.ReverseFind('/');
    const CString name = nSlash < 0 ? CString(kDefaultFile) : m_strURL.Mid(nSlash + 1);
    CFileDialog dlg(FALSE, "zip", folder + name, 0, kFilter, NULL);
    if (dlg.DoModal() == IDOK)
    {
        m_strFile = dlg.GetPathName();
        g_pTVEngine->SetEpgArchive(m_strFile);
        ::InterlockedExchange(&m_lCancel, 0);
        m_pWorker = AfxBeginThread(&CPageDownload::DownloadThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        if (m_pWorker != NULL)
        {
            // The page waits for its worker: the thread object stays until then.
            m_pWorker->m_bAutoDelete = FALSE;
            m_pWorker->ResumeThread();
        }
    }
    return CPropertyPage::OnSetActive();
}

BOOL CPageDownload::OnKillActive()
{
    StopDownload();
    return CPropertyPage::OnKillActive();
}

void CPageDownload::OnDestroy()
{
    StopDownload();
    Default();
}

void CPageDownload::StopDownload()
{
    if (m_pWorker == NULL)
        return;
    ::InterlockedExchange(&m_lCancel, 1);
    ::EnterCriticalSection(&m_lock);
    if (m_pSocket != NULL)
        m_pSocket->CloseSocket();
    ::LeaveCriticalSection(&m_lock);
    // The worker may be sending to this page's windows: take its sent messages while waiting.
    const HANDLE hThread = m_pWorker->m_hThread;
    const DWORD dwThreadId = m_pWorker->m_nThreadID;
    for (;;)
    {
        ::EnumThreadWindows(dwThreadId, &CloseBox, 0);
        const DWORD dwWait = ::MsgWaitForMultipleObjects(1, &hThread, FALSE, 100, QS_SENDMESSAGE);
        if (dwWait == WAIT_OBJECT_0)
            break;
        MSG msg;
        ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    delete m_pWorker;
    m_pWorker = NULL;
}

UINT CPageDownload::DownloadThread(LPVOID pParam)
{
    return static_cast<CPageDownload*>(pParam)->Download();
}

void CPageDownload::Tell(LPCSTR pszText)
{
    if (!Cancelled())
        ::MessageBoxA(NULL, pszText, kBoxCaption, MB_OK);
}

UINT CPageDownload::Download()
{
    CString status = kConnecting;
    const CString url = m_strURL.IsEmpty() ? CString(CWizarSheet::kDefaultURL) : m_strURL;
    CString server;
    CString object;
    int nPort = kHttpPort;
    CHttpSocket socket;
    BOOL bConnected = FALSE;
    if (ParseURL(url, server, object, nPort))
    {
        ::EnterCriticalSection(&m_lock);
        m_pSocket = &socket;
        ::LeaveCriticalSection(&m_lock);
        long lRequest = 0;
        const char* pszRequest =
            socket.FormatRequestHeader(server.GetBuffer(0), object.GetBuffer(0), lRequest, NULL, NULL, 0, 0, 0);
        socket.Socket();
        bConnected = !Cancelled() && socket.Connect(server.GetBuffer(0), nPort);
        if (bConnected)
            bConnected = socket.SendRequest(pszRequest, lRequest) != 0;
    }
    if (!bConnected)
    {
        if (!Cancelled())
            SetDlgItemText(IDC_WIZARD_STATUS, kConnectFailed);
        ::EnterCriticalSection(&m_lock);
        m_pSocket = NULL;
        ::LeaveCriticalSection(&m_lock);
        return 0;
    }

    socket.SetTimeout(kReceiveTimeoutMs, 0);
    char field[30] = "";
    const BOOL bHasLength = socket.GetField("Content-Length", field, sizeof field) != 0;
    const long lLength = bHasLength ? atol(field) : 0;
    const int nState = socket.GetServerState();

    BOOL bWhole = FALSE;
    if (nState < 200 || nState > 299)
    {
        status.Format(kRefused, nState);
        CString box;
        box.Format(kRefusedBox, nState);
        Tell(box);
    }
    else if (!bHasLength || lLength <= 0)
    {
        status = kNoLength;
        Tell(kNoLengthBox);
    }
    else if (!Cancelled())
    {
        m_Progress.SetRange(0, static_cast<int>(lLength / kBlock));
        m_Progress.ShowWindow(SW_SHOW);
        HANDLE hFile = ::CreateFileA(m_strFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
        {
            status = kCannotWrite;
        }
        else
        {
            ::Sleep(s_dwPause);
            long lReceived = 0;
            BOOL bWritten = TRUE;
            char buffer[kBlock];
            while (lReceived < lLength && bWritten && !Cancelled())
            {
                const long lGot = socket.Receive(buffer, kBlock);
                if (lGot == 0)
                {
                    status = kClosed;
                    Tell(kClosedBox);
                    break;
                }
                if (lGot < 0)
                {
                    status = kTimedOut;
                    Tell(kTimedOutBox);
                    break;
                }
                ::Sleep(s_dwPause);
                DWORD dwWritten = 0;
                bWritten = ::WriteFile(hFile, buffer, static_cast<DWORD>(lGot), &dwWritten, NULL) &&
                           dwWritten == static_cast<DWORD>(lGot);
                lReceived += lGot;
                if (!Cancelled())
                    m_Progress.SetPos(static_cast<int>(lReceived / kBlock));
                status = bWritten ? kDone : kCannotWrite;
            }
            bWhole = bWritten && lReceived >= lLength;
            ::CloseHandle(hFile);
        }
    }

    ::EnterCriticalSection(&m_lock);
    m_pSocket = NULL;
    ::LeaveCriticalSection(&m_lock);
    if (!Cancelled())
    {
        SetWizardButtons(this, bWhole ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
        SetDlgItemText(IDC_WIZARD_STATUS, status);
        m_Progress.ShowWindow(SW_HIDE);
        m_Progress.SetPos(0);
    }
    return 0;
}

// --- finish ---

BEGIN_MESSAGE_MAP(CPageFinish, CPropertyPage)
ON_BN_CLICKED(IDC_WIZARD_UNPACK, &CPageFinish::OnUnpack)
ON_BN_CLICKED(IDC_WIZARD_OPEN_FOLDER, &CPageFinish::OnOpenFolder)
END_MESSAGE_MAP()

CPageFinish::CPageFinish() : CPropertyPage(IDD) {}

BOOL CPageFinish::OnSetActive()
{
    SetWizardButtons(this, PSWIZB_BACK | PSWIZB_FINISH);
    SetDlgItemText(IDC_WIZARD_ARCHIVE, g_pTVEngine->GetEpgArchive());
    return CPropertyPage::OnSetActive();
}

void CPageFinish::OnUnpack()
{
    if (g_pTVEngine->UnpackEpgArchive())
        g_pTVEngine->ListEpgFiles();
    SetDlgItemText(IDC_WIZARD_ARCHIVE, g_pTVEngine->GetEpgArchive());
}

void CPageFinish::OnOpenFolder()
{
    const CString& archive = g_pTVEngine->GetEpgArchive();
    const int nSlash = archive.ReverseFind('\\');
    const CString folder = nSlash < 0 ? archive : archive.Left(nSlash);
    CSystemActions::Get().StartProgram(m_hWnd, "open", folder, NULL, NULL, SW_SHOWNORMAL);
}

// --- sheet ---

CWizarSheet::CWizarSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
    EditHeader();
    AddPages();
}

CWizarSheet::CWizarSheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    EditHeader();
    AddPages();
}

void CWizarSheet::EditHeader()
{
    m_psh.dwFlags &= ~(PSH_NOAPPLYNOW | PSH_HASHELP);
    m_psh.dwFlags |= PSH_PROPTITLE;
}

void CWizarSheet::AddPages()
{
    m_PageWelcome.m_pDownload = &m_PageDownload;
    AddPage(&m_PageWelcome);
    AddPage(&m_PageDownload);
    AddPage(&m_PageFinish);
    SetWizardMode();
}

BOOL CWizarSheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    CWnd* pHelp = GetDlgItem(IDHELP);
    if (pHelp != NULL)
        pHelp->ShowWindow(SW_HIDE);
    return bResult;
}
