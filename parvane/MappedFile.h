#pragma once

#include <windows.h>

// Read access to a file of any size through one sliding read-only view.
class CMappedFile
{
public:
    explicit CMappedFile(const char* path);
    virtual ~CMappedFile();

    BOOL IsOk() const { return m_ok; }
    const char* GetPath() const { return m_path; }
    __int64 GetFileSize() const { return m_fileSize; }
    DWORD GetWindowSize() const { return m_window; }
    DWORD GetGranularity() const { return m_granularity; }
    __int64 GetViewOffset() const { return m_viewOffset; }
    DWORD GetViewLength() const { return m_viewLength; }

    // Pointer to `length` bytes at `position`, or null when the range is outside the file
    // or cannot be held by one window. The pointer is valid until the view moves.
    const BYTE* Pointer(__int64 position, int length);

    const BYTE* FindForward(const void* pattern, __int64 start, int patternLength);
    const BYTE* FindBackward(const void* pattern, __int64 start, int patternLength);

    __int64 PositionOf(const BYTE* p) const;

private:
    BOOL Open(const char* path);
    BOOL MapView(__int64 offset);
    // MapView, falling back to the start of the file when it fails (the result is then FALSE).
    BOOL MoveView(__int64 offset);
    // TRUE when the current view holds the bytes [from, to).
    BOOL ViewHolds(__int64 from, __int64 to) const;
    void Unmap();

    char m_path[MAX_PATH];
    HANDLE m_file;
    HANDLE m_mapping;
    const BYTE* m_view;
    DWORD m_window;
    DWORD m_granularity;
    __int64 m_viewOffset;
    DWORD m_viewLength;
    __int64 m_fileSize;
    BOOL m_ok;
};
