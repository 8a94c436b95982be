#pragma once

// The records and entry points that cross the boundary of Parvane.dll. Callers (the pause
// filter) include this header alone; the layouts below are fixed for 32-bit Windows and must
// agree byte for byte on both sides of the call.

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// A time range of the open file, seconds counted from the file's first time. The lookup
// modes choose how a time is turned into a group-of-pictures boundary (0: the GOP at or
// before the time, anything else: the first GOP after the probe).
typedef struct MpegSegment
{
    double start;
    double end;
    int startMode;
    int endMode;
} MpegSegment;

// What the sequence header parser fills; the last 8 bytes are never written by it.
typedef struct MpegSequenceInfo
{
    int width;
    int height;
    unsigned char aspectCode;
    unsigned char frameRateCode;
    unsigned char alignment[2];
    int bitRate;            // the 18-bit bit_rate_value field, units of 400 bit/s
    int constrained;
    double frameRate;       // 30.0 for frame-rate codes above 8
    unsigned char unused[8];
} MpegSequenceInfo;

typedef struct MpegStreamInfo
{
    MpegSequenceInfo sequence;
    int hasKind;            // 1 when kind is above 0
    int kind;               // 1 MPEG-1 system stream, 2 MPEG-2 program stream
    double duration;        // last time minus first time of the file, seconds
    int handlerData[2];
} MpegStreamInfo;

// One pack-aligned block of a program stream.
typedef struct MpegChunk
{
    unsigned char* data;
    int length;
} MpegChunk;

// The list is circular and doubly linked around a sentinel head node; iteration runs from
// head->next until the head is reached again.
typedef struct MpegChunkNode
{
    struct MpegChunkNode* next;
    struct MpegChunkNode* prev;
    MpegChunk chunk;
} MpegChunkNode;

typedef struct MpegChunkList
{
    unsigned char allocator;    // placeholder, padded to 4 bytes
    MpegChunkNode* head;
    unsigned int count;
} MpegChunkList;

typedef void (__cdecl* MpegProgressProc)(int percent);

// Exported by ordinal only; the import library maps these names to the ordinals.
int __cdecl OpenMpegFile(const char* path);                                          // 1
void __cdecl CloseMpegFile(void);                                                    // 2
int __cdecl GetMpegFileInfo(MpegStreamInfo* info);                                   // 3
int __cdecl GetSegmentCount(void);                                                   // 4
int __cdecl AddSegment(MpegSegment* segment);                                        // 5
int __cdecl RemoveSegment(int key);                                                  // 6
int __cdecl GetSegmentByKey(int key, MpegSegment* out);                              // 7
int __cdecl GetSegmentByIndex(int index, MpegSegment* out);                          // 8
int __cdecl SaveSegments(const char* outPath, int invert, int lostBMode);            // 9
int __cdecl InsertMpegFile(const char* path, double atSeconds, int mode,
                           const char* outPath, int lostBMode);                      // 10
void __cdecl NewClipList(const char* name);                                          // 11
int __cdecl AddClip(const char* path, MpegSegment* segment);                         // 12
void __cdecl ClearClipList(void);                                                    // 13
int __cdecl SaveClipList(const char* outPath, int lostBMode, MpegProgressProc progress); // 14
int __cdecl FindBytes(const void* buffer, int length, const char* pattern, int patternLength); // 15
void __cdecl ResetMpegFile(void);                                                    // 16
int __cdecl RestampChunks(MpegChunkList* list, double* lastTime, int* lostBMode, int* first); // 17
int __cdecl CreateNavPack(void);                                                     // 18
void __cdecl DeleteNavPack(void);                                                    // 19
unsigned char* __cdecl GetNavPack(int* size);                                        // 20
int __cdecl SetNavSystemHeader(const void* src, int length);                         // 21
void __cdecl SetNavPackScr(double seconds);                                          // 22
void __cdecl SetNavPackLbn(unsigned int lbn);                                        // 23
void __cdecl SetNavPackPtm(unsigned int startPtm, unsigned int endPtm);              // 24
void __cdecl SetNavPackTime(double seconds, double framesPerSecond);                 // 25
void __cdecl SetNavPackVobuAddress(unsigned int end, unsigned int ref1End,
                                   unsigned int ref2End, unsigned int ref3End);      // 26

// Ordinals for callers that bind at run time with GetProcAddress.
enum ParvaneOrdinal
{
    ParvaneOpenMpegFile = 1, ParvaneCloseMpegFile, ParvaneGetMpegFileInfo, ParvaneGetSegmentCount,
    ParvaneAddSegment, ParvaneRemoveSegment, ParvaneGetSegmentByKey, ParvaneGetSegmentByIndex,
    ParvaneSaveSegments, ParvaneInsertMpegFile, ParvaneNewClipList, ParvaneAddClip,
    ParvaneClearClipList, ParvaneSaveClipList, ParvaneFindBytes, ParvaneResetMpegFile,
    ParvaneRestampChunks, ParvaneCreateNavPack, ParvaneDeleteNavPack, ParvaneGetNavPack,
    ParvaneSetNavSystemHeader, ParvaneSetNavPackScr, ParvaneSetNavPackLbn, ParvaneSetNavPackPtm,
    ParvaneSetNavPackTime, ParvaneSetNavPackVobuAddress
};

#ifdef __cplusplus
}

// An empty list around the caller's sentinel node.
inline void InitMpegChunkList(MpegChunkList* list, MpegChunkNode* head)
{
    list->allocator = 0;
    list->head = head;
    list->count = 0;
    head->next = head;
    head->prev = head;
    head->chunk.data = 0;
    head->chunk.length = 0;
}

// Links the caller's node at the end of the list.
inline void AppendMpegChunk(MpegChunkList* list, MpegChunkNode* node)
{
    MpegChunkNode* head = list->head;
    node->next = head;
    node->prev = head->prev;
    head->prev->next = node;
    head->prev = node;
    ++list->count;
}

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MpegSegment) == 24, "MpegSegment layout");
static_assert(offsetof(MpegSegment, end) == 8 && offsetof(MpegSegment, startMode) == 16
              && offsetof(MpegSegment, endMode) == 20, "MpegSegment layout");
static_assert(sizeof(MpegSequenceInfo) == 40, "sequence record layout");
static_assert(offsetof(MpegSequenceInfo, aspectCode) == 8 && offsetof(MpegSequenceInfo, frameRateCode) == 9
              && offsetof(MpegSequenceInfo, bitRate) == 12 && offsetof(MpegSequenceInfo, constrained) == 16
              && offsetof(MpegSequenceInfo, frameRate) == 24 && offsetof(MpegSequenceInfo, unused) == 32,
              "sequence record layout");
static_assert(sizeof(MpegStreamInfo) == 64, "MpegStreamInfo layout");
static_assert(offsetof(MpegStreamInfo, hasKind) == 40 && offsetof(MpegStreamInfo, kind) == 44
              && offsetof(MpegStreamInfo, duration) == 48 && offsetof(MpegStreamInfo, handlerData) == 56,
              "MpegStreamInfo layout");
static_assert(sizeof(MpegChunk) == 8 && offsetof(MpegChunk, length) == 4, "MpegChunk layout");
static_assert(sizeof(MpegChunkNode) == 16 && offsetof(MpegChunkNode, prev) == 4
              && offsetof(MpegChunkNode, chunk) == 8, "chunk node layout");
static_assert(sizeof(MpegChunkList) == 12 && offsetof(MpegChunkList, head) == 4
              && offsetof(MpegChunkList, count) == 8, "chunk list layout");
#endif
#endif
