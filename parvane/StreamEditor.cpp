#include "parvane/StreamEditor.h"

#include <string.h>

#include <new>

#include "parvane/MappedFile.h"
#include "parvane/Mpeg1Stream.h"
#include "parvane/Mpeg2Stream.h"
#include "parvane/PackLayout.h"
#include "parvane/PackRestamper.h"

namespace {

const BYTE kPackCode[4] = {0x00, 0x00, 0x01, 0xBA};

} // namespace

CStreamEditor::CStreamEditor()
    : m_reader(NULL), m_stream(NULL), m_kind(-1), m_clipKind(0), m_clipIdCounter(0)
{
}

CStreamEditor::~CStreamEditor()
{
    CloseFile();
    ClearClips();
}

int CStreamEditor::DetectStreamKind(CMappedFile* reader)
{
    if (!reader || !reader->IsOk())
        return 0;
    // The kind is that of the first pack header whose marker bits hold: noise in front of a stream
    // may carry a stray pack start code of either kind.
    for (__int64 at = reader->PositionOf(reader->FindForward(kPackCode, 0, 4)); at >= 0;
         at = reader->PositionOf(reader->FindForward(kPackCode, at + 4, 4)))
    {
        int available = 14;
        const BYTE* p = reader->Pointer(at, available);
        while (!p && available > 5)
            p = reader->Pointer(at, --available);
        if (!p)
            return 0;
        if (IsPackHeader(p, available))
            return CPackRestamper::PackKind(p);
    }
    return 0;
}

CMpegStream* CStreamEditor::MakeStream(int kind, CMappedFile* reader)
{
    if (kind == 1)
        return new (std::nothrow) CMpeg1Stream(reader);
    if (kind == 2)
        return new (std::nothrow) CMpeg2Stream(reader);
    return NULL;
}

BOOL CStreamEditor::OpenFile(const char* path)
{
    CloseFile();
    CMappedFile* reader = new (std::nothrow) CMappedFile(path);
    if (!reader)
        return FALSE;
    if (!reader->IsOk())
    {
        delete reader;
        return FALSE;
    }
    m_reader = reader;
    m_kind = DetectStreamKind(reader);
    m_stream = MakeStream(m_kind, reader);
    if (!m_stream || !m_stream->IsValid())
    {
        delete m_stream;
        m_stream = NULL;
        m_kind = 0;
    }
    return TRUE;
}

void CStreamEditor::CloseFile()
{
    delete m_stream;
    m_stream = NULL;
    delete m_reader;
    m_reader = NULL;
    m_kind = -1;
}

BOOL CStreamEditor::GetFileInfo(MpegStreamInfo* info) const
{
    if (!info || m_kind == -1)
        return FALSE;
    memset(info, 0, sizeof(*info));
    info->kind = m_kind;
    info->hasKind = m_kind > 0 ? 1 : 0;
    if (m_stream)
    {
        info->sequence = m_stream->GetSequenceInfo();
        info->duration = m_stream->GetLastTime() - m_stream->GetFirstTime();
        // The handler's pack size (MPEG-1) and whether the file was scanned whole.
        if (m_kind == 1)
            info->handlerData[0] = static_cast<CMpeg1Stream*>(m_stream)->GetPackSize();
        info->handlerData[1] = m_stream->IsValid() ? 1 : 0;
    }
    return TRUE;
}

int CStreamEditor::GetSegmentCount() const
{
    return m_stream && m_reader ? m_stream->GetSegmentCount() : 0;
}

int CStreamEditor::AddSegment(const MpegSegment* segment)
{
    if (!m_stream || !m_reader || !segment || !(segment->start < segment->end))
        return -1;
    return m_stream->AddSegment(segment);
}

int CStreamEditor::RemoveSegment(int key)
{
    return m_stream && m_reader ? m_stream->RemoveSegment(key) : 0;
}

int CStreamEditor::GetSegmentByKey(int key, MpegSegment* out) const
{
    return m_stream && m_reader && out ? m_stream->GetSegmentByKey(key, out) : 0;
}

int CStreamEditor::GetSegmentByIndex(int index, MpegSegment* out) const
{
    return m_stream && m_reader && out ? m_stream->GetSegmentByIndex(index, out) : 0;
}

int CStreamEditor::SaveSegments(const char* outPath, int invert, int lostBMode)
{
    if (!m_stream || !m_reader || !outPath)
        return -1;
    return m_stream->SaveSegments(outPath, invert, lostBMode);
}

int CStreamEditor::InsertFile(const char* path, double atSeconds, int mode, const char* outPath, int lostBMode)
{
    if (!path || !outPath || !m_stream || !m_reader)
        return -1;
    CMappedFile* reader = new (std::nothrow) CMappedFile(path);
    if (!reader)
        return -1;
    int result = -1;
    if (reader->IsOk() && DetectStreamKind(reader) == m_kind)
    {
        CMpegStream* other = MakeStream(m_kind, reader);
        if (other && other->IsValid())
            result = m_stream->InsertFile(other, atSeconds, mode, outPath, lostBMode);
        delete other;
    }
    delete reader;
    return result;
}

int CStreamEditor::AddClip(const char* path, const MpegSegment* segment)
{
    if (!path || !segment)
        return -1;
    // A clip of no length would leave the save nothing to measure its progress by.
    if (!(segment->start < segment->end))
        return -1;
    CMpegStream* stream = NULL;
    int kind = 0;
    for (const ClipFile& f : m_files)
    {
        if (f.path == path)
        {
            stream = f.stream;
            kind = stream->IsValid() ? DetectStreamKind(stream->GetReader()) : 0;
            break;
        }
    }
    if (!stream)
    {
        CMappedFile* reader = new (std::nothrow) CMappedFile(path);
        if (!reader)
            return -1;
        if (!reader->IsOk())
        {
            delete reader;
            return -1;
        }
        kind = DetectStreamKind(reader);
        if (m_clips.empty())
            m_clipKind = kind;
        if (kind != m_clipKind)
        {
            delete reader;
            return -1;
        }
        stream = MakeStream(kind, reader);
        if (!stream)
        {
            delete reader;
            return -1;
        }
        try
        {
            ClipFile f = {path, stream};
            m_files.push_back(f);
        }
        catch (...)
        {
            delete stream;
            delete reader;
            return -1;
        }
        if (!stream->IsValid())
            kind = 0;
    }
    if (kind != m_clipKind)
        return -1;
    return AddClipSegment(stream, segment);
}

int CStreamEditor::AddClipSegment(CMpegStream* stream, const MpegSegment* segment)
{
    if (!stream || !segment || !stream->GetReader())
        return -1;
    double start = segment->start;
    double end = segment->end;
    __int64 startPosition = stream->TimeToPosition(&start, segment->startMode);
    __int64 endPosition = stream->TimeToPosition(&end, segment->endMode);
    CMappedFile* reader = stream->GetReader();
    __int64 pack = reader->PositionOf(reader->FindForward(kPackCode, endPosition + 6, 4));
    double gopTime = 0;
    if (stream->FindGopNear(pack, &gopTime, 1) < 0)
        endPosition = stream->GetFileSize();
    if (startPosition == -1 || endPosition == -1)
        return -1;
    ClipSegment c;
    c.id = m_clipIdCounter + 1;
    c.start = segment->start;
    c.end = segment->end;
    c.startMode = segment->startMode;
    c.endMode = segment->endMode;
    c.startPosition = startPosition;
    c.endPosition = endPosition;
    c.foundStart = start;
    c.foundEnd = end;
    c.stream = stream;
    try
    {
        m_clips.push_back(c);
    }
    catch (...)
    {
        return -1;
    }
    return ++m_clipIdCounter;
}

int CStreamEditor::SaveClips(const char* outPath, int lostBMode, MpegProgressProc progress)
{
    if (!outPath || m_clips.empty())
        return -1;
    if (progress)
        progress(0);
    CMpegStream* first = m_clips.front().stream;
    int audioWait = 1;
    COutputFile* file = first->CreateOutput(outPath, &audioWait);
    if (!file)
        return -1;
    double running = first->GetFirstTime();
    double total = 0;
    for (const ClipSegment& c : m_clips)
        total += c.end - c.start;
    CMpegStream::BeginProgress(running);
    BOOL ok = TRUE;
    for (const ClipSegment& c : m_clips)
    {
        c.stream->SetLostBMode(lostBMode);
        if (!c.stream->WriteClipSegment(c.startPosition, c.endPosition, &running, &audioWait, file, total, progress))
        {
            ok = FALSE;
            break;
        }
    }
    if (CMpegStream::FinishOutput(file, ok) != 0)
        return -1;
    if (progress)
        progress(100);
    return 0;
}

void CStreamEditor::ClearClips()
{
    m_clips.clear();
    for (ClipFile& f : m_files)
    {
        CMappedFile* reader = f.stream ? f.stream->GetReader() : NULL;
        delete f.stream;
        delete reader;
    }
    m_files.clear();
    m_clipKind = 0;
    m_clipIdCounter = 0;
    m_name.clear();
}

void CStreamEditor::SetName(const char* text)
{
    if (!text)
        return;
    ClearClips();
    m_name = text;
}

int CStreamEditor::RestampChunks(MpegChunkList* list, double* lastTime, int* lostBMode, int* first)
{
    if (!list || !list->head)
        return 0;
    if (!m_stream)
    {
        int kind = CPackRestamper::DetectChunkKind(list);
        if (kind != 1 && kind != 2)
            return 0;
        m_stream = MakeStream(kind, NULL);
        if (!m_stream)
            return 0;
    }
    CPackRestamper* restamper = m_stream->Restamper();
    if (!restamper)
        return 0;
    if (!restamper->HasSequenceInfo())
    {
        if (!restamper->TakeSequenceFrom(list))
            return 0;
        m_stream->SequenceInfo() = restamper->Sequence();
    }
    return m_stream->RestampChunks(list, lastTime, lostBMode, first);
}
