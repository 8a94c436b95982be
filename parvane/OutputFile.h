#pragma once

#include <windows.h>

class CMpegStream;

// A new output file written through a large buffer: packs are a few KiB each and a write
// call per pack costs more than the copy itself.
class COutputFile
{
public:
    COutputFile();
    ~COutputFile();

    // Creates the file, or truncates it when it exists.
    BOOL Create(const char* path);
    BOOL Write(const void* data, DWORD length);
    // Flushes and closes; FALSE when any write since Create failed.
    BOOL Close();
    // Closes without flushing and removes the file.
    void Discard();

    BOOL IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    BOOL Failed() const { return m_failed; }
    __int64 BytesWritten() const { return m_written; }
    const char* GetPath() const { return m_path; }
    // Tests stand in for a full disk: writes past this many bytes of one file fail
    // (negative: no limit).
    static void SetWriteBudgetForTest(__int64 bytes);

    // The handler that wrote the last range: the next one continues its time line.
    CMpegStream* LastWriter() const { return m_lastWriter; }
    void SetLastWriter(CMpegStream* writer) { m_lastWriter = writer; }
    // Packs of the source's ranges written (what comes before them does not count).
    void CountRangePack() { ++m_rangePacks; }
    int RangePacks() const { return m_rangePacks; }

private:
    BOOL Flush();

    HANDLE m_file;
    BYTE* m_buffer;
    __int64 m_onDisk;
    DWORD m_used;
    BOOL m_failed;
    __int64 m_written;
    char m_path[MAX_PATH];
    CMpegStream* m_lastWriter;
    int m_rangePacks;
};
