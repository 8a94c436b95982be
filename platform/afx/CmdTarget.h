#pragma once
#include "platform/afx/Object.h"

class CCmdTarget;

// One call into a message-map handler: the message and its parameters in; the result out.
// Commands carry their id, the notification code and, for WM_NOTIFY, the AFX_NOTIFY record.
struct AFX_MSGCALL {
  UINT nMessage;
  WPARAM wParam;
  LPARAM lParam;
  UINT nID;
  int nCode;
  void* pExtra;
  LRESULT lResult;
};

// A handler thunk: calls the member function with its parameters taken apart; FALSE only from the
// handlers that may decline (the _EX forms), and the message then counts as not handled.
typedef BOOL (*AFX_PMSG)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message, or WM_COMMAND / WM_NOTIFY (+ WM_REFLECT_BASE when reflected)
  UINT nCode;     // notification code of commands and notifications, 0 for window messages
  UINT nID;       // first control or command id
  UINT nLastID;   // last id of a range (= nID otherwise)
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

// What OnCmdMsg reports instead of calling when it is only asked whether a handler exists.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pfn;
};

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode,
                                                   UINT nID);

// Message maps: each class lists its handlers; a message not found in a class's list is looked up
// in its base class's list, up to CCmdTarget.
#define DECLARE_MESSAGE_MAP()                                       \
 protected:                                                         \
  static const AFX_MSGMAP* GetThisMessageMap();                     \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                             \
    typedef theClass ThisClass;                                                 \
    typedef baseClass TheBaseClass;                                             \
    static_assert(sizeof(ThisClass) > 0, "complete class");                     \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                        \
  {0, 0, 0, 0, nullptr}};                                                        \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                            \
  }

// The body of a thunk inside a message map: p_ is the target as the map's class, c_ the call.
#define AFX_MSG_THUNK(...)                                          \
  [](CCmdTarget* pTarget_, AFX_MSGCALL& c_) -> BOOL {               \
    ThisClass* p_ = static_cast<ThisClass*>(pTarget_);              \
    (void)p_;                                                       \
    (void)c_;                                                       \
    __VA_ARGS__                                                     \
  }

// Base of every class that receives messages or commands through a message map.
class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
public:
  CCmdTarget();
  ~CCmdTarget() override;

  // Routes a command or a notification: nCode's low word is the notification code, its high word the
  // message (0 for WM_COMMAND, WM_NOTIFY, or either + WM_REFLECT_BASE for reflected ones).
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

  // Finds the first entry for (message, code, id) in this class's map chain; NULL when none.
  const AFX_MSGMAP_ENTRY* FindEntry(UINT nMsg, UINT nCode, UINT nID) const;
  static BOOL DispatchEntry(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* pEntry, AFX_MSGCALL& call);
};

// Shows the wait cursor while it lives.
class CWaitCursor {
public:
  CWaitCursor();
  ~CWaitCursor();
  void Restore();

private:
  HCURSOR m_hOld;
};
