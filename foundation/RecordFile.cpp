#include "foundation/RecordFile.h"

#include <string.h>
#include <string>

namespace {

struct RecordFileHeader
{
    DWORD recordSize;
    DWORD liveCount;
    DWORD slotCount;
    BYTE zero[CRecordFile::kHeaderBytes - 12];
};
static_assert(sizeof(RecordFileHeader) == CRecordFile::kHeaderBytes, "header is 256 bytes");

const UINT kSlotBufferBytes = CRecordFile::kSlotHeaderBytes + CRecordFile::kMaxRecordSize;

BOOL ExistingFile(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HANDLE OpenShared(const char* path, DWORD disposition)
{
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, disposition,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

}  // namespace

CRecordFile::CRecordFile() : m_file(INVALID_HANDLE_VALUE), m_liveCount(0), m_recordSize(512), m_slotCount(0)
{
    memset(m_path, 0, sizeof(m_path));
}

CRecordFile::~CRecordFile()
{
    Close();
}

ULONGLONG CRecordFile::SlotOffset(UINT index) const
{
    return kHeaderBytes + (ULONGLONG)index * (m_recordSize + kSlotHeaderBytes);
}

BOOL CRecordFile::SeekTo(ULONGLONG offset)
{
    LARGE_INTEGER position;
    position.QuadPart = (LONGLONG)offset;
    return SetFilePointerEx(m_file, position, NULL, FILE_BEGIN);
}

BOOL CRecordFile::ReadAt(ULONGLONG offset, void* buffer, DWORD bytes)
{
    DWORD done = 0;
    return SeekTo(offset) && ReadFile(m_file, buffer, bytes, &done, NULL) && done == bytes;
}

BOOL CRecordFile::WriteAt(ULONGLONG offset, const void* buffer, DWORD bytes)
{
    DWORD done = 0;
    return SeekTo(offset) && WriteFile(m_file, buffer, bytes, &done, NULL) && done == bytes;
}

BOOL CRecordFile::WriteHeader()
{
    RecordFileHeader header;
    memset(&header, 0, sizeof(header));
    header.recordSize = m_recordSize;
    header.liveCount = m_liveCount;
    header.slotCount = m_slotCount;
    return WriteAt(0, &header, sizeof(header));
}

BOOL CRecordFile::ReadSlot(UINT index, BYTE* slot)
{
    return ReadAt(SlotOffset(index), slot, kSlotHeaderBytes + m_recordSize);
}

BOOL CRecordFile::WriteSlot(UINT index, const void* data, UINT length)
{
    BYTE slot[kSlotBufferBytes];
    memset(slot, 0, sizeof(slot));
    memcpy(slot, &index, 4);
    if (length)
        memcpy(slot + kSlotHeaderBytes, data, length);
    return WriteAt(SlotOffset(index), slot, kSlotHeaderBytes + m_recordSize);
}

// The open file is kept as it stands only when its header, its length and its record size agree.
BOOL CRecordFile::IsUsable(UINT askedSize)
{
    RecordFileHeader header;
    if (!ReadAt(0, &header, sizeof(header)))
        return FALSE;
    // A record size beyond the slot buffer cannot be from a file of ours: treat it as damage.
    if (header.recordSize == 0 || header.recordSize > kMaxRecordSize || header.recordSize < askedSize)
        return FALSE;
    if (header.liveCount > header.slotCount)
        return FALSE;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_file, &size))
        return FALSE;
    const ULONGLONG expected = kHeaderBytes + (ULONGLONG)header.slotCount * (header.recordSize + kSlotHeaderBytes);
    if ((ULONGLONG)size.QuadPart != expected)
        return FALSE;
    m_recordSize = header.recordSize;
    m_liveCount = header.liveCount;
    m_slotCount = header.slotCount;
    return TRUE;
}

BOOL CRecordFile::Open(const char* path, UINT recordSize)
{
    Close();
    if (!path || !*path || strlen(path) >= sizeof(m_path) - 4 || recordSize == 0)
        return FALSE;
    if (recordSize > kMaxRecordSize)
        recordSize = kMaxRecordSize;

    if (ExistingFile(path))
    {
        m_file = OpenShared(path, OPEN_ALWAYS);
        if (m_file != INVALID_HANDLE_VALUE && IsUsable(recordSize))
        {
            strcpy(m_path, path);
            return TRUE;
        }
        if (m_file != INVALID_HANDLE_VALUE)
        {
            CloseHandle(m_file);
            m_file = INVALID_HANDLE_VALUE;
        }
        const std::string backup = std::string(path) + ".bak";
        MoveFileExA(path, backup.c_str(), MOVEFILE_REPLACE_EXISTING);
    }

    m_file = OpenShared(path, CREATE_ALWAYS);
    if (m_file == INVALID_HANDLE_VALUE)
        return FALSE;
    m_recordSize = recordSize;
    m_liveCount = 0;
    m_slotCount = 0;
    if (!WriteHeader())
    {
        Close();
        return FALSE;
    }
    strcpy(m_path, path);
    return IsOpen();
}

BOOL CRecordFile::Close()
{
    if (m_file == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    return TRUE;
}

int CRecordFile::Append(const void* data, UINT length)
{
    if (!IsOpen() || !data || length > m_recordSize)
        return -1;
    const UINT index = m_slotCount;
    ++m_slotCount;
    ++m_liveCount;
    WriteSlot(index, data, length);
    WriteHeader();
    return (int)index;
}

BOOL CRecordFile::Read(UINT index, void* buffer, UINT bufferSize)
{
    if (!IsOpen() || !buffer || bufferSize < m_recordSize || index >= m_slotCount)
        return FALSE;
    BYTE slot[kSlotBufferBytes];
    if (!ReadSlot(index, slot))
        return FALSE;
    DWORD deleted;
    memcpy(&deleted, slot + 4, 4);
    if (deleted)
        return FALSE;
    memcpy(buffer, slot + kSlotHeaderBytes, m_recordSize);
    return TRUE;
}

BOOL CRecordFile::Write(UINT index, const void* data, UINT length)
{
    // Slots keep their place until Compact, so the bound is the slot count, not the live count.
    if (!IsOpen() || !data || index >= m_slotCount || length > m_recordSize)
        return FALSE;
    DWORD deleted = 1;
    if (!ReadAt(SlotOffset(index) + 4, &deleted, 4) || deleted)
        return FALSE;
    return WriteSlot(index, data, length);
}

BOOL CRecordFile::Delete(UINT index)
{
    if (!IsOpen() || index >= m_slotCount)
    {
        Compact();
        return FALSE;
    }
    DWORD deleted = 0;
    if (!ReadAt(SlotOffset(index) + 4, &deleted, 4))
        return FALSE;
    // Deleting twice must not count the record out twice.
    if (deleted)
        return FALSE;
    const DWORD mark = 1;
    if (!WriteAt(SlotOffset(index) + 4, &mark, 4))
        return FALSE;
    if (m_liveCount)
        --m_liveCount;
    return WriteHeader();
}

BOOL CRecordFile::Compact()
{
    if (!IsOpen())
        return FALSE;
    BYTE slot[kSlotBufferBytes];
    UINT w = 0;
    for (UINT s = 0; s < m_slotCount; ++s)
    {
        if (!ReadSlot(s, slot))
            continue;
        DWORD deleted;
        memcpy(&deleted, slot + 4, 4);
        if (deleted)
            continue;
        if (w != s)
        {
            memcpy(slot, &w, 4);
            if (!WriteAt(SlotOffset(w), slot, kSlotHeaderBytes + m_recordSize))
                continue;
        }
        ++w;
    }
    m_liveCount = w;
    m_slotCount = w;
    const BOOL headerWritten = WriteHeader();
    const BOOL cut = SeekTo(SlotOffset(w)) && SetEndOfFile(m_file);
    return headerWritten && cut;
}

BOOL CRecordFile::Truncate()
{
    if (!IsOpen())
        return FALSE;
    m_liveCount = 0;
    m_slotCount = 0;
    WriteHeader();
    return SeekTo(kHeaderBytes) && SetEndOfFile(m_file);
}
