#pragma once
#include "platform/afx/String.h"

// The two ways keys are named. The key text names a stored binding ("Ctrl+Alt+DELETE"); it is
// what the hot-key lists show and what bindings are matched by. The capture edit shows the keys
// being held in words of its own ("Ctrl + Alt + Delete"). The two never meet.

// "" for key 0 and for a key the table does not name (its modifiers are dropped too).
CString FormatKeyText(BYTE flags, WORD key);
// The key text's name of a virtual key, or null.
LPCSTR FindKeyTextName(WORD key);

// The capture edit's name of a key, or null.
LPCSTR FindCaptureKeyName(WORD key);
// The capture edit's name of a modifier combination (accelerator flags with FVIRTKEY), or null.
LPCSTR FindCaptureModifierName(WORD flags);
// What the capture edit shows for the key and flags; valid tells whether that is a whole key
// combination that can be bound.
CString FormatCaptureText(WORD key, WORD flags, BOOL* valid);
