#pragma once

#include <windows.h>

// Text conversions between DirectShow's UTF-16 names and the system's ANSI
// (code page 0) buffers of fixed size.

// Converts into pszOut (cbOut bytes, at least 1). A name that does not fit is
// cut at a character boundary; the result is always terminated. Returns the
// length written.
int AnsiFromWide(LPCWSTR pszIn, char* pszOut, int cbOut);

// Converts into pszOut (cchOut characters, at least 1), cut and terminated
// like AnsiFromWide.
int WideFromAnsi(LPCSTR pszIn, WCHAR* pszOut, int cchOut);

// Copies at most cbOut - 1 bytes, never splitting a double-byte character,
// and terminates.
void CopyAnsi(char* pszOut, int cbOut, LPCSTR pszIn);

// The last occurrence of a single-byte character, never a trail byte of a
// double-byte one; null when there is none.
LPCSTR FindLastAnsiChar(LPCSTR psz, char ch);
