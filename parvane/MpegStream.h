#pragma once

#include <windows.h>

#include <vector>

#include "parvane/ParvaneApi.h"

class CMappedFile;
class COutputFile;
class CPackRestamper;

// One row of a handler's segment table: the times as the caller gave them, the positions
// they were turned into, and the times after the lookup worked on them.
struct SegmentEntry
{
    int key;
    double start;
    double end;
    int startMode;
    int endMode;
    __int64 startPosition;
    __int64 endPosition;
    double foundStart;
    double foundEnd;
};

struct PositionRange
{
    __int64 start;
    __int64 end;
};
typedef std::vector<PositionRange> PositionRangeList;

struct GopCacheEntry
{
    __int64 position;   // the pack that holds the GOP header
    double time;        // that pack's SCR, seconds
};

// Base of the MPEG-1 and MPEG-2 handlers: one per source file (or one made from chunks with
// no file). Owns the segment table and the work buffer; the reader belongs to whoever made it.
// Never made by itself: the handler for the stream kind supplies the pack and packet parsers.
class CMpegStream
{
public:
    enum { GopCacheSize = 512 };

    CMpegStream(CMappedFile* reader, int kind);
    virtual ~CMpegStream();

    // Time stamps of packs, GOP headers and sequence headers, and the per-pack shifting: the
    // restamper made for the stream kind does the work.
    virtual double GetPackScr(const BYTE* pack);
    virtual double GetGopTime(const BYTE* gop);
    virtual void SetGopTime(BYTE* gop, double seconds);
    virtual void SetPackScr(BYTE* pack, double seconds);
    virtual void ParseSequenceHeader(const BYTE* header, MpegSequenceInfo* info);
    // The position of the pack where the group of the GOP found begins (the one holding its
    // GOP header, or the one before when the sequence header leading it began there), or -1;
    // *time gets that pack's SCR.
    virtual __int64 FindGopNear(__int64 position, double* time, int forward);
    // The last valid pack header that ends at or before the position, or -1.
    __int64 PackBefore(__int64 position);
    virtual int StartOutput(COutputFile* file, int* audioWait);
    virtual void ShiftPackTimes(BYTE* pack, int length, double offset, int* gopMark, int* audioWait);
    // FALSE when a write failed, so that the caller can drop the output.
    virtual BOOL WriteRange(__int64 start, __int64 end, double* runningTime, int* audioWait, COutputFile* file);
    virtual BOOL WriteClipSegment(__int64 start, __int64 end, double* runningTime, int* audioWait,
                                  COutputFile* file, double total, MpegProgressProc progress);
    // Finds the next pack in buffer[*start, *end); on success *start and *end bound it.
    virtual BOOL NextPack(BYTE* buffer, int* start, int* end);
    virtual int RestampChunks(MpegChunkList* list, double* lastTime, int* lostBMode, int* first);
    virtual __int64 TimeToPosition(double* seconds, int mode);

    // The first whole pack whose start code begins in [*start, *end), copied into the work
    // buffer (an MPEG-1 pack with the stray bytes before the next one); *start and *end then
    // bound it in the file.
    BOOL ReadNextPack(__int64* start, __int64* end, double* scr);
    int ParsePack();
    virtual int ParsePackHeader() = 0;
    int ParseSystemHeader();
    virtual int ParsePacket() = 0;

    int AddSegment(const MpegSegment* segment);
    int RemoveSegment(int key);
    int GetSegmentByKey(int key, MpegSegment* out) const;
    int GetSegmentByIndex(int index, MpegSegment* out) const;
    int GetSegmentCount() const { return m_segmentCount; }
    int SaveSegments(const char* outPath, int invert, int lostBMode);
    int InsertFile(CMpegStream* other, double atSeconds, int mode, const char* outPath, int lostBMode);
    // Creates the output and writes what precedes the first GOP; null on failure, the file removed.
    COutputFile* CreateOutput(const char* path, int* audioWait);
    // Closes and deletes an output made by CreateOutput; removes the file when ok is FALSE or
    // the close fails. 0 when the file stays, -1 when it was removed.
    static int FinishOutput(COutputFile* file, BOOL ok);
    PositionRangeList BuildRangeList() const;
    PositionRangeList InvertRanges(const PositionRangeList& ranges) const;

    const BYTE* PeekAt(__int64 position, int n);
    const BYTE* PeekHere(int n);
    const BYTE* TakeBytes(int n);
    int ExpectBytes(const void* bytes, int n);
    int MatchBytes(const void* bytes, int n);
    int MatchBits(int value, int nbits);
    static int SameBytes(const void* a, const void* b, int n);
    int PackSpacing();

    CMappedFile* GetReader() const { return m_reader; }
    BOOL IsValid() const { return m_valid; }
    int GetKind() const { return m_kind; }
    __int64 GetFileSize() const { return m_fileSize; }
    __int64 GetDataStart() const { return m_dataStart; }
    double GetFirstTime() const { return m_firstTime; }
    __int64 GetLastGopPosition() const { return m_lastGopPosition; }
    double GetLastTime() const { return m_lastTime; }
    const MpegSequenceInfo& GetSequenceInfo() const { return m_sequence; }
    MpegSequenceInfo& SequenceInfo() { return m_sequence; }
    int GetLostBMode() const { return m_lostBMode; }
    void SetLostBMode(int mode) { m_lostBMode = mode; }
    int GetGopCacheCount() const { return m_gopCacheCount; }
    CPackRestamper* Restamper() const { return m_restamper; }
    const GopCacheEntry& GetGopCacheEntry(int i) const { return m_gopCache[i]; }

    // The running time at which a clip save's progress counts 0 %.
    static void BeginProgress(double base);

protected:
    // The parts of a handler's scan that both kinds share: the first sequence header parsed
    // into the sequence information (its position, or -1), and the packs of the first and
    // last GOP with their times (FALSE when either is missing).
    __int64 ReadSequenceHeader();
    BOOL FindFirstAndLastGop();
    // Copies the bytes before the first GOP's pack into a new output; FALSE on a failed read or write.
    BOOL CopyLeadIn(COutputFile* file);
    // Position of the first pack header whose marker bits hold, before `limit`; -1 when none.
    __int64 FirstValidPack(__int64 limit) const;
    void CacheGop(__int64 position, double time);
    // Makes sure the work buffer holds n bytes; FALSE on allocation failure.
    BOOL ReserveWorkBuffer(int n);
    // Pads the payload of a range's first pack before its sequence or GOP header, which
    // belongs to a picture that is not written.
    void TrimOpeningPack(BYTE* pack, int length);
    static void ReportProgress(double total, double time, MpegProgressProc progress);
    // WriteRange, and WriteClipSegment when total is not negative.
    BOOL WriteRangeImpl(__int64 start, __int64 end, double* runningTime, int* audioWait, COutputFile* file,
                        double total, MpegProgressProc progress);

    CMappedFile* m_reader;
    BOOL m_valid;
    GopCacheEntry m_gopCache[GopCacheSize];
    __int64 m_dataStart;
    double m_firstTime;
    __int64 m_lastGopPosition;
    double m_lastTime;
    int m_kind;
    __int64 m_fileSize;
    MpegSequenceInfo m_sequence;
    SegmentEntry* m_segments;
    int m_segmentCapacity;
    int m_segmentCount;
    int m_keyCounter;
    int m_gopCacheCount;
    int m_gopCacheNext;
    BYTE* m_workBuffer;
    int m_workCapacity;
    int m_systemHeaderPack;
    int m_sequenceHeaderPack;
    __int64 m_cursor;
    const BYTE* m_cursorPointer;
    int m_lostBMode;
    int m_bDropping;
    int m_packSpacing;
    // Time-stamp work is delegated to it; made for the stream kind, null only when out of memory.
    CPackRestamper* m_restamper;
};

// Writes a padding packet over buffer[offset, offset + n).
int MakePaddingPacket(BYTE* buffer, __int64 offset, int n);
