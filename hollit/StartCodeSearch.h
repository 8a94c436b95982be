#pragma once

#include <windows.h>

// Four-byte MPEG start codes the recording queue cuts the stream at.
extern const BYTE kPackHeaderCode[4];
extern const BYTE kGopHeaderCode[4];
extern const BYTE kSystemHeaderCode[4];

// First index i (0 .. length - 4) where the four bytes match; -1 when none or on null input.
int FindStartCodeForward(const BYTE* data, int length, const BYTE code[4]);

// Last index below n - 3 (n - 4 down to 0) where the four bytes match; -1 when none or on null input.
int FindStartCodeBackward(const BYTE* data, int n, const BYTE code[4]);

// Position of the next 00 00 01 wholly inside data[from, length), or -1.
int FindStartCodePrefix(const BYTE* data, int from, int length);

// Number of (possibly overlapping) occurrences of the pattern, found with a prefix table.
int CountPatternMatches(const BYTE* data, int length, const BYTE* pattern, int patternLength);
