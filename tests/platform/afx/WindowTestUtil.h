#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/afx/WinApp.h"

// Answers the message boxes the calling thread shows while it lives: records each box's caption
// and text and presses `button` at once (no waiting: the box is answered as it is activated).
// A box that another program's window deactivates is activated again: it is still one box.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int button = IDOK);
  ~MessageBoxAnswerer();

  struct Box {
    std::string caption;
    std::string text;
  };
  std::vector<Box> boxes;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  HHOOK m_hook;
  int m_button;
  HWND m_answered;
};

// The resource library, loaded once and made the resource module.
HINSTANCE UseResourceLibrary();

// Temporary window wrappers of the calling thread.
int TemporaryWindowCount();
