#pragma once

#include <windows.h>

#include <list>
#include <string>
#include <vector>

#include "parvane/ParvaneApi.h"
#include "parvane/MpegStream.h"

class CMappedFile;

// A time range of one clip file, in the order the clips were added.
struct ClipSegment
{
    int id;
    double start;
    double end;
    int startMode;
    int endMode;
    __int64 startPosition;
    __int64 endPosition;
    double foundStart;
    double foundEnd;
    CMpegStream* stream;    // belongs to the file list
};

// The editor behind the library's ordinals: the open file, its handler, and the clip list.
class CStreamEditor
{
public:
    CStreamEditor();
    virtual ~CStreamEditor();

    // Kind from the first pack header of a file: 1 MPEG-1, 2 MPEG-2, 0 other.
    static int DetectStreamKind(CMappedFile* reader);
    static CMpegStream* MakeStream(int kind, CMappedFile* reader);

    BOOL OpenFile(const char* path);
    void CloseFile();
    BOOL GetFileInfo(MpegStreamInfo* info) const;
    int GetSegmentCount() const;
    int AddSegment(const MpegSegment* segment);
    int RemoveSegment(int key);
    int GetSegmentByKey(int key, MpegSegment* out) const;
    int GetSegmentByIndex(int index, MpegSegment* out) const;
    int SaveSegments(const char* outPath, int invert, int lostBMode);
    int InsertFile(const char* path, double atSeconds, int mode, const char* outPath, int lostBMode);

    int AddClip(const char* path, const MpegSegment* segment);
    int AddClipSegment(CMpegStream* stream, const MpegSegment* segment);
    int SaveClips(const char* outPath, int lostBMode, MpegProgressProc progress);
    void ClearClips();
    void SetName(const char* text);

    // The editor's part of re-stamping delivered chunks: makes the chunk handler when there is
    // none and fills its sequence information from the chunks, then lets the handler run.
    int RestampChunks(MpegChunkList* list, double* lastTime, int* lostBMode, int* first);

    int GetKind() const { return m_kind; }
    CMpegStream* GetStream() const { return m_stream; }
    CMappedFile* GetReader() const { return m_reader; }
    int GetClipCount() const { return (int)m_clips.size(); }
    const std::list<ClipSegment>& GetClips() const { return m_clips; }
    int GetClipKind() const { return m_clipKind; }
    int GetClipFileCount() const { return (int)m_files.size(); }
    const std::string& GetName() const { return m_name; }

private:
    struct ClipFile
    {
        std::string path;
        CMpegStream* stream;
    };

    CMappedFile* m_reader;
    CMpegStream* m_stream;
    int m_kind;
    std::vector<ClipFile> m_files;
    std::list<ClipSegment> m_clips;
    int m_clipKind;
    int m_clipIdCounter;
    std::string m_name;
};
