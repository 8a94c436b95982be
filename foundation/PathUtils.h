#pragma once
#include "platform/afx/String.h"
#include "platform/afx/StringArray.h"

// Files and folders (ANSI paths).
BOOL FileExists(LPCSTR path);
// Accepts '/' as well as '\'.
BOOL DirectoryExists(LPCSTR path);
// Writes the bytes to a temporary file beside the path, which then replaces the file: a failed write
// (disk full, write error) leaves the old file as it was. 1 only when every byte reached the disk;
// *created tells whether the temporary file could be made at all.
BOOL ReplaceFileContents(LPCSTR path, const void* data, size_t size, BOOL* created = nullptr);
// Creates the folder and every missing parent; 1 when the folder exists at the end.
BOOL CreateDirectoryPath(LPCSTR path);
// The running program's folder, without a trailing '\'.
void GetModuleDirectory(CString& folder);
// Such as "C:\".
void GetSystemDriveRoot(CString& root);
void GetWindowsFolder(CString& folder);
void GetProgramFilesFolder(CString& folder);
// Empty when the system call fails or the result does not fit MAX_PATH.
CString GetShortPath(LPCSTR path);
CString GetLongPath(LPCSTR path);
// folder + '\' + name, the '\' added only when neither side has one at the joint.
CString JoinPath(LPCSTR folder, LPCSTR name);

enum PathPart
{
    PathPartDrive = 1,      // "C:"
    PathPartFolder = 2,     // drive and folder, without the trailing '\'
    PathPartFileName = 3,   // after the last '\' (the whole path when it has none)
    PathPartBaseName = 4,   // file name without extension
    PathPartExtension = 5,  // extension without its dot
};
CString SplitPathPart(LPCSTR path, int part);
// Folder of a module's file (NULL: the program), without a trailing '\'.
CString GetModuleFolder(HMODULE module);

// Index of the first equal entry, -1 if none.
int FindStringInArray(const CStringArray& array, LPCSTR text);
int FindStringInArrayNoCase(const CStringArray& array, LPCSTR text);

// Decimal digits of the unsigned 64-bit value high:low.
CString UInt64ToDecimalString(DWORD low, DWORD high);
