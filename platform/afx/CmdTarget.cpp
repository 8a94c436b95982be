#include "platform/afx/CmdTarget.h"

#include "platform/afx/AfxMsg.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() {}
CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode,
                                                   UINT nID) {
  for (; lpEntry->pfn; ++lpEntry)
    if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
      return lpEntry;
  return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT nMsg, UINT nCode, UINT nID) const {
  for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
       pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    if (const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(pMap->lpEntries, nMsg, nCode, nID))
      return e;
  }
  return nullptr;
}

BOOL CCmdTarget::DispatchEntry(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* pEntry, AFX_MSGCALL& call) {
  return pEntry->pfn(pTarget, call);
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT nMsg = HIWORD(nCode);
  const UINT nNotify = LOWORD(nCode);
  if (nMsg == 0)
    nMsg = WM_COMMAND;
  const AFX_MSGMAP_ENTRY* pEntry = FindEntry(nMsg, nNotify, nID);
  if (!pEntry)
    return FALSE;
  if (pHandlerInfo) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pfn = pEntry->pfn;
    return TRUE;
  }
  AFX_MSGCALL call = {nMsg, 0, 0, nID, static_cast<int>(nNotify), pExtra, 0};
  return DispatchEntry(this, pEntry, call);
}

namespace {
int g_waitCount = 0;
HCURSOR g_hcurWaitRestore = nullptr;
}  // namespace

void CCmdTarget::BeginWaitCursor() {
  HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  if (g_waitCount++ == 0)
    g_hcurWaitRestore = old;
}

void CCmdTarget::EndWaitCursor() {
  if (g_waitCount > 0 && --g_waitCount == 0)
    ::SetCursor(g_hcurWaitRestore ? g_hcurWaitRestore : ::LoadCursorA(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor() {
  if (g_waitCount > 0)
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}

CWaitCursor::CWaitCursor() : m_hOld(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}

CWaitCursor::~CWaitCursor() {
  ::SetCursor(m_hOld ? m_hOld : ::LoadCursorA(nullptr, IDC_ARROW));
}

void CWaitCursor::Restore() { ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); }
