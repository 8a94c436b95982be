// The exports of Tamblin.dll, each handed to the library's one schedule.
#include "platform/standins/tamblin/Tamblin.h"

#include "platform/standins/tamblin/TimingService.h"

namespace {

tamblin::CTimingService g_service;

}  // namespace

extern "C" {

BOOL WINAPI Timing_Initialize(LPCSTR lpszFile, UINT nMaxItems) { return g_service.Initialize(lpszFile, nMaxItems); }

void WINAPI Timing_Uninitialize(void) { g_service.Uninitialize(); }

void WINAPI Timing_RegisterMsgWnd(HWND hWnd) { g_service.RegisterWindow(hWnd); }

BOOL WINAPI Timing_StartTrigger(UINT) { return g_service.StartTrigger(); }

void WINAPI Timing_StopTrigger(UINT) { g_service.StopTrigger(); }

void WINAPI Timing_RefreshTrigger(UINT) { g_service.RefreshTrigger(); }

HTIMINGITEM WINAPI Timing_CheckItem(UINT, HTIMINGITEM hItem, _tagTimingParam timing, long* plResult) {
  return g_service.Check(hItem, timing, plResult);
}

HTIMINGITEM WINAPI Timing_InsertItem(UINT, _tagTimingParam timing, const _tagExcuteParam* pExcute) {
  return g_service.Insert(timing, pExcute);
}

BOOL WINAPI Timing_UpdateItem(HTIMINGITEM hItem, _tagTimingParam timing, const _tagExcuteParam* pExcute) {
  return g_service.Update(hItem, timing, pExcute);
}

BOOL WINAPI Timing_RemoveItem(HTIMINGITEM hItem) { return g_service.Remove(hItem); }

void WINAPI Timing_CancelItem(UINT) { g_service.Cancel(); }

HTIMINGITEM WINAPI Timing_GetFirstItem(UINT) { return g_service.First(); }

HTIMINGITEM WINAPI Timing_GetNextItem(UINT, HTIMINGITEM hItem) { return g_service.Next(hItem); }

BOOL WINAPI Timing_GetItemTimingParam(HTIMINGITEM hItem, _tagTimingParam* pTiming) {
  return g_service.GetTiming(hItem, pTiming);
}

BOOL WINAPI Timing_GetItemExcuteParam(HTIMINGITEM hItem, void* pBuffer, int nSize) {
  return g_service.GetExcute(hItem, pBuffer, nSize);
}

BOOL WINAPI Timing_SetTestClock(const SYSTEMTIME* pLocalNow) { return g_service.SetTestClock(pLocalNow); }

}  // extern "C"
