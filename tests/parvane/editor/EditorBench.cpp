// Speed of the editor on one large stream: opening (the scan) and a whole-file re-stamped save.
//   ParvaneEditorBench.exe SOURCE OUTPUT
// Prints one line per measurement; run-bench.sh puts ffmpeg's stream copy next to it.
#include <windows.h>

#include <stdio.h>

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
    const double open = Seconds(t0, t1), save = Seconds(t1, t2);
    printf("size %.0f bytes, %.1f s of stream, kind %d\n", size, info.duration, info.kind);
    printf("open (scan)             %8.3f s  %9.1f MB/s\n", open, size / 1e6 / open);
    printf("re-stamped whole save   %8.3f s  %9.1f MB/s\n", save, size / 1e6 / save);
    return 0;
}
