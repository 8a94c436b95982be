// Speed of the editor on one large stream: opening (the scan) and a whole-file re-stamped save.
//   ParvaneEditorBench.exe SOURCE OUTPUT
// Prints one line per measurement; run-bench.sh puts ffmpeg's stream copy next to it.
#include <windows.h>

#include <stdio.h>

#include <vector>

#include "parvane/MappedFile.h"
#include "parvane/PackRestamper.h"
#include "parvane/StreamEditor.h"

namespace {

double Seconds(const LARGE_INTEGER& a, const LARGE_INTEGER& b)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        fprintf(stderr, "usage: ParvaneEditorBench SOURCE OUTPUT\n");
        return 2;
    }
    CStreamEditor editor;
    LARGE_INTEGER t0, t1, t2;
    QueryPerformanceCounter(&t0);
    if (!editor.OpenFile(argv[1]) || editor.GetKind() <= 0)
    {
        fprintf(stderr, "cannot open %s as an MPEG stream\n", argv[1]);
        return 1;
    }
    QueryPerformanceCounter(&t1);
    const double size = (double)editor.GetStream()->GetFileSize();
    MpegStreamInfo info = {};
    editor.GetFileInfo(&info);
    // The inverted empty table is the whole file: every pack read, re-stamped and written.
    int result = editor.SaveSegments(argv[2], 1, 0);
    QueryPerformanceCounter(&t2);
    if (result != 0)
    {
        fprintf(stderr, "save failed\n");
        return 1;
    }
    // The parts of the save: finding and copying every pack, and re-stamping the copies.
    CMpegStream* stream = editor.GetStream();
    LARGE_INTEGER t3, t4;
    __int64 packs = 0;
    double restampSeconds = 0;
    QueryPerformanceCounter(&t3);
    {
        __int64 s = stream->GetDataStart(), e = stream->GetFileSize();
        double scr = 0;
        CPackRestamper restamper(info.kind);
        restamper.Sequence() = stream->GetSequenceInfo();
        std::vector<BYTE> copy;
        LARGE_INTEGER a, b;
        int gopMark = 1, audioWait = 1;
        while (stream->ReadNextPack(&s, &e, &scr))
        {
            const BYTE* p = stream->GetReader()->Pointer(s, (int)(e - s));
            copy.assign(p, p + (e - s));
            QueryPerformanceCounter(&a);
            restamper.SetPackScr(copy.data(), scr - 1.0);
            restamper.ShiftPackTimes(copy.data(), (int)copy.size(), 1.0, &gopMark, &audioWait);
            QueryPerformanceCounter(&b);
            restampSeconds += Seconds(a, b);
            ++packs;
            s = e;
            e = stream->GetFileSize();
        }
    }
    QueryPerformanceCounter(&t4);
    const double open = Seconds(t0, t1), save = Seconds(t1, t2);
    printf("size %.0f bytes, %.1f s of stream, kind %d\n", size, info.duration, info.kind);
    printf("open (scan)             %8.3f s  %9.1f MB/s\n", open, size / 1e6 / open);
    printf("re-stamped whole save   %8.3f s  %9.1f MB/s\n", save, size / 1e6 / save);
    printf("  of which: %lld packs found and copied in about %.3f s, re-stamped in %.3f s\n", packs,
           Seconds(t3, t4) - restampSeconds, restampSeconds);
    return 0;
}
