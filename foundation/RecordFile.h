#pragma once
#include <windows.h>

// A file of fixed-size records behind a 256-byte header (record size, live count, slot count; all
// little-endian 32-bit). Each slot holds its index, a deleted flag and the record data. Deleted
// slots stay until Compact. A file that does not match its header is kept as "<path>.bak" and
// replaced by an empty one; nothing is ever shown to the user.
class CRecordFile
{
public:
    enum
    {
        kHeaderBytes = 256,
        kSlotHeaderBytes = 8,
        // A slot travels through one 264-byte buffer, so records are at most 256 bytes long.
        kMaxRecordSize = 256,
    };

    CRecordFile();
    virtual ~CRecordFile();

    // A record size above kMaxRecordSize is capped to it; 0 is refused.
    BOOL Open(const char* path, UINT recordSize);
    BOOL Close();
    int Append(const void* data, UINT length);
    BOOL Read(UINT index, void* buffer, UINT bufferSize);
    BOOL Write(UINT index, const void* data, UINT length);
    BOOL Delete(UINT index);
    BOOL Compact();
    BOOL Truncate();

    UINT GetRecordSize() const { return m_recordSize; }
    UINT GetRecordCount() const { return m_slotCount; }
    UINT GetLiveCount() const { return m_liveCount; }
    BOOL IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    const char* GetPath() const { return m_path; }

private:
    ULONGLONG SlotOffset(UINT index) const;
    BOOL SeekTo(ULONGLONG offset);
    BOOL ReadAt(ULONGLONG offset, void* buffer, DWORD bytes);
    BOOL WriteAt(ULONGLONG offset, const void* buffer, DWORD bytes);
    BOOL WriteHeader();
    BOOL ReadSlot(UINT index, BYTE* slot);
    BOOL WriteSlot(UINT index, const void* data, UINT length);
    BOOL IsUsable(UINT askedSize);

    char m_path[MAX_PATH];
    HANDLE m_file;
    UINT m_liveCount;
    UINT m_recordSize;
    UINT m_slotCount;
};
