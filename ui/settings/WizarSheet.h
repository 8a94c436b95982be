#pragma once
#include "platform/afx/PropertySheet.h"
#include "platform/afx/WinApp.h"
#include "skin/SkinProgressCtrl.h"

class CHttpSocket;
class CPageDownload;

// First page of the programme-guide download: the address, and whether to keep it.
class CPageWelcome : public CPropertyPage
{
public:
    enum { IDD = 287 };
    CPageWelcome();

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;

    int m_bSaveURL;
    // The page that downloads from the address.
    CPageDownload* m_pDownload;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Second page: asks where to save the archive, then downloads it on a worker thread with its
// progress. Only a 2xx reply with a length, received whole, counts as a download; anything else
// is reported and Next stays off. Leaving or closing the page cancels a running download and
// waits for the worker.
class CPageDownload : public CPropertyPage
{
public:
    enum { IDD = 288 };
    CPageDownload();
    ~CPageDownload() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    BOOL IsDownloading() const { return m_pWorker != NULL && ::WaitForSingleObject(m_pWorker->m_hThread, 0) == WAIT_TIMEOUT; }
    DWORD GetWorkerThreadId() const { return m_pWorker != NULL ? m_pWorker->m_nThreadID : 0; }
    // Cancels a running download and waits for its worker to end.
    void StopDownload();
    // The pause between received blocks (100 ms); tests shorten it.
    static void SetPause(DWORD dwMilliseconds) { s_dwPause = dwMilliseconds; }

    CSkinProgressCtrl m_Progress;
    CString m_strURL;
    CString m_strFile;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    static UINT DownloadThread(LPVOID pParam);
    UINT Download();
    BOOL Cancelled() const { return m_lCancel != 0; }
    // Shows the box from the worker unless the download was cancelled.
    void Tell(LPCSTR pszText);

    CWinThread* m_pWorker;
    volatile LONG m_lCancel;
    CRITICAL_SECTION m_lock;
    CHttpSocket* m_pSocket;  // the worker's connection while it has one; guarded by m_lock
    static DWORD s_dwPause;
};

// Last page: the archive's path, unpacking it and opening its folder.
class CPageFinish : public CPropertyPage
{
public:
    enum { IDD = 289 };
    CPageFinish();

    BOOL OnSetActive() override;

protected:
    void OnUnpack();
    void OnOpenFolder();
    DECLARE_MESSAGE_MAP()
};

// The three-page wizard that fetches the programme-guide archive.
class CWizarSheet : public CPropertySheet
{
public:
    explicit CWizarSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CWizarSheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    void AddPages();
    BOOL OnInitDialog() override;

    // The address used when none was given.
    static const char kDefaultURL[];

    CPageWelcome m_PageWelcome;
    CPageDownload m_PageDownload;
    CPageFinish m_PageFinish;

private:
    void EditHeader();
};
