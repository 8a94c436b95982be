#include "tests/platform/afx/WindowTestUtil.h"

#include "platform/afx/HandleMap.h"

namespace {
thread_local MessageBoxAnswerer* t_answerer = nullptr;

BOOL CALLBACK FindText(HWND hWnd, LPARAM lParam) {
  char className[16] = "";
  ::GetClassNameA(hWnd, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0 && !(::GetWindowLongA(hWnd, GWL_STYLE) & SS_ICON)) {
    char text[1024] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    if (*text) {
      *reinterpret_cast<std::string*>(lParam) = text;
      return FALSE;
    }
  }
  return TRUE;
}
}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int button) : m_hook(nullptr), m_button(button), m_answered(nullptr) {
  t_answerer = this;
  m_hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  ::UnhookWindowsHookEx(m_hook);
  t_answerer = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
  MessageBoxAnswerer* self = t_answerer;
  HWND hWnd = reinterpret_cast<HWND>(wParam);
  char className[16] = "";
  // A message box is a system dialog that no window object wraps.
  if (self && code == HCBT_DESTROYWND && hWnd == self->m_answered)
    self->m_answered = nullptr;
  if (self && code == HCBT_ACTIVATE && hWnd != self->m_answered && ::GetClassNameA(hWnd, className, sizeof className) &&
      lstrcmpA(className, "#32770") == 0 && !CWnd::FromHandlePermanent(hWnd)) {
    self->m_answered = hWnd;
    Box box;
    char caption[256] = "";
    ::GetWindowTextA(hWnd, caption, sizeof caption);
    box.caption = caption;
    ::EnumChildWindows(hWnd, &FindText, reinterpret_cast<LPARAM>(&box.text));
    self->boxes.push_back(box);
    ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(self->m_button, BN_CLICKED), 0);
  }
  return ::CallNextHookEx(self ? self->m_hook : nullptr, code, wParam, lParam);
}

HINSTANCE UseResourceLibrary() {
  static HINSTANCE library = ::LoadLibraryA("OndrixRsc.dll");
  AfxSetResourceHandle(library);
  return library;
}

int TemporaryWindowCount() { return AfxGetThreadState()->m_mapHWND.GetTemporaryCount(); }
