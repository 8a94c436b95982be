#pragma once
#include <map>

#include "platform/afx/Object.h"

// Handle -> wrapper object, per thread and per kind of handle (windows, device contexts, GDI
// objects, menus, image lists). Permanent entries belong to objects that own or subclassed their
// handle; temporary entries are wrappers made on request for handles nobody wraps, owned by the map
// and deleted at idle. Each temporary remembers the message-loop depth it was made at, so a nested
// modal loop never deletes a wrapper that a handler further out still holds.
class CHandleMap {
public:
  // Makes an empty wrapper for a temporary entry; clears the handle inside a wrapper before it is
  // deleted, so the delete leaves the handle alone.
  typedef CObject* (*PFN_CONSTRUCT)();
  typedef void (*PFN_SETHANDLE)(CObject* pObject, HANDLE h);

  CHandleMap(PFN_SETHANDLE pfnSetHandle) : m_pfnSetHandle(pfnSetHandle) {}
  ~CHandleMap();

  CObject* LookupPermanent(HANDLE h) const;
  CObject* LookupTemporary(HANDLE h) const;
  void SetPermanent(HANDLE h, CObject* pObject);
  // Removes the permanent entry of h when it belongs to pObject (any owner when pObject is NULL).
  void RemovePermanent(HANDLE h, CObject* pObject = nullptr);
  // The permanent wrapper, else the temporary one, else a new temporary made by pfnConstruct.
  CObject* FromHandle(HANDLE h, PFN_CONSTRUCT pfnConstruct);
  // Makes pObject the permanent owner of h, kept in member; FALSE when there is no handle, the
  // object holds one already or the handle has an owner.
  template <class H>
  BOOL AttachHandle(H& member, H h, CObject* pObject) {
    if (!h || member || LookupPermanent(h))
      return FALSE;
    member = h;
    SetPermanent(h, pObject);
    return TRUE;
  }
  // Takes the handle out of member (and pObject's entry out of the map); the handle is returned.
  template <class H>
  H DetachHandle(H& member, CObject* pObject) {
    H h = member;
    if (h) {
      RemovePermanent(h, pObject);
      member = nullptr;
    }
    return h;
  }
  // Deletes the temporaries made at loop depth nMinDepth or deeper.
  void DeleteTemp(int nMinDepth);
  int GetTemporaryCount() const { return static_cast<int>(m_temporary.size()); }
  int GetPermanentCount() const { return static_cast<int>(m_permanent.size()); }

private:
  struct Temp {
    CObject* pObject;
    int nDepth;
  };
  PFN_SETHANDLE m_pfnSetHandle;
  std::map<HANDLE, CObject*> m_permanent;
  std::map<HANDLE, Temp> m_temporary;
};

class CWnd;
class CWinThread;

// What the framework keeps per thread.
struct AFX_THREAD_STATE {
  AFX_THREAD_STATE();
  ~AFX_THREAD_STATE();

  CHandleMap m_mapHWND;
  CHandleMap m_mapHDC;
  CHandleMap m_mapHGDIOBJ;
  CHandleMap m_mapHMENU;
  CHandleMap m_mapHIMAGELIST;

  // The message being handled by the innermost window procedure call (for CWnd::Default), and the
  // message the loops fetched last.
  MSG m_lastSentMsg;
  MSG m_msgCur;
  // The window being created while the creation hook is set, and the hook.
  CWnd* m_pWndInit;
  HHOOK m_hHookOldCbtFilter;
  int m_nCreateHookDepth;
  // Notifications to this window are dropped while its data exchange runs.
  HWND m_hLockoutNotifyWindow;
  // Message loops running on the thread; 0 outside any loop.
  int m_nLoopDepth;
  // The thread object of this thread (the application for the main thread).
  CWinThread* m_pCurrentWinThread;
  // The pop-up menu being tracked and its owner, for WM_MEASUREITEM of owner-drawn menus.
  HWND m_hTrackingWindow;
  HMENU m_hTrackingMenu;
  // Last mouse position seen by the message loops (idle detection).
  POINT m_ptCursorLast;
  UINT m_nMsgLast;

  void DeleteTempMaps(int nMinDepth);
};

// Created on first use and kept for the thread's life.
AFX_THREAD_STATE* AFXAPI AfxGetThreadState();
