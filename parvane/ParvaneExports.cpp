#include <windows.h>
#include <string.h>
#include <new>

#include "parvane/ParvaneApi.h"
#include "parvane/NavPack.h"
#include "parvane/StreamEditor.h"

// The library's two process-wide objects: the editor, made at load, and at most one
// navigation-pack builder.
static CStreamEditor* g_editor = 0;
static CNavPack* g_navPack = 0;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        DisableThreadLibraryCalls(instance);
        g_editor = new (std::nothrow) CStreamEditor();
    }
    else if (reason == DLL_PROCESS_DETACH)
    {
        delete g_editor;
        g_editor = 0;
        delete g_navPack;
        g_navPack = 0;
    }
    return TRUE;
}

int __cdecl OpenMpegFile(const char* path)
{
    if (!g_editor)
        return 0;
    g_editor->CloseFile();
    if (!path)
        return 0;
    return g_editor->OpenFile(path) ? 1 : 0;
}

void __cdecl CloseMpegFile(void)
{
    if (g_editor)
        g_editor->CloseFile();
}

int __cdecl GetMpegFileInfo(MpegStreamInfo* info)
{
    return g_editor && g_editor->GetFileInfo(info) ? 1 : 0;
}

int __cdecl GetSegmentCount(void)
{
    return g_editor ? g_editor->GetSegmentCount() : 0;
}

int __cdecl AddSegment(MpegSegment* segment)
{
    return g_editor ? g_editor->AddSegment(segment) : -1;
}

int __cdecl RemoveSegment(int key)
{
    return g_editor ? g_editor->RemoveSegment(key) : 0;
}

int __cdecl GetSegmentByKey(int key, MpegSegment* out)
{
    return g_editor ? g_editor->GetSegmentByKey(key, out) : 0;
}

int __cdecl GetSegmentByIndex(int index, MpegSegment* out)
{
    return g_editor ? g_editor->GetSegmentByIndex(index, out) : 0;
}

int __cdecl SaveSegments(const char* outPath, int invert, int lostBMode)
{
    return g_editor ? g_editor->SaveSegments(outPath, invert, lostBMode) : -1;
}

int __cdecl InsertMpegFile(const char* path, double atSeconds, int mode, const char* outPath, int lostBMode)
{
    return g_editor ? g_editor->InsertFile(path, atSeconds, mode, outPath, lostBMode) : -1;
}

void __cdecl NewClipList(const char* name)
{
    if (g_editor && name)
        g_editor->SetName(name);
}

int __cdecl AddClip(const char* path, MpegSegment* segment)
{
    return g_editor ? g_editor->AddClip(path, segment) : -1;
}

void __cdecl ClearClipList(void)
{
    if (g_editor)
        g_editor->ClearClips();
}

int __cdecl SaveClipList(const char* outPath, int lostBMode, MpegProgressProc progress)
{
    return g_editor ? g_editor->SaveClips(outPath, lostBMode, progress) : -1;
}

int __cdecl RestampChunks(MpegChunkList* list, double* lastTime, int* lostBMode, int* first)
{
    return g_editor ? g_editor->RestampChunks(list, lastTime, lostBMode, first) : -1;
}

void __cdecl ResetMpegFile(void)
{
    CloseMpegFile();
}

int __cdecl FindBytes(const void* buffer, int length, const char* pattern, int patternLength)
{
    if (!buffer || !pattern || length < 0 || patternLength <= 0 || patternLength > length)
        return -1;
    const BYTE* b = (const BYTE*)buffer;
    const BYTE first = (BYTE)pattern[0];
    int last = length - patternLength;
    for (int i = 0; i <= last; ++i)
    {
        const BYTE* hit = (const BYTE*)memchr(b + i, first, last - i + 1);
        if (!hit)
            return -1;
        i = (int)(hit - b);
        if (memcmp(hit, pattern, patternLength) == 0)
            return i;
    }
    return -1;
}

int __cdecl CreateNavPack(void)
{
    // A second call starts a fresh pack instead of losing the first builder.
    delete g_navPack;
    g_navPack = new (std::nothrow) CNavPack();
    if (g_navPack && !g_navPack->IsOk())
    {
        delete g_navPack;
        g_navPack = 0;
    }
    return g_navPack ? 1 : 0;
}

void __cdecl DeleteNavPack(void)
{
    delete g_navPack;
    g_navPack = 0;
}

unsigned char* __cdecl GetNavPack(int* size)
{
    if (!g_navPack)
    {
        if (size)
            *size = 0;
        return 0;
    }
    if (size)
        *size = CNavPack::kPackSize;
    return g_navPack->GetPack();
}

int __cdecl SetNavSystemHeader(const void* src, int length)
{
    if (!g_navPack || !g_navPack->SetSystemHeader(src, length))
        return 0;
    return length;
}

void __cdecl SetNavPackScr(double seconds)
{
    if (g_navPack)
        g_navPack->SetScr(seconds);
}

void __cdecl SetNavPackLbn(unsigned int lbn)
{
    if (g_navPack)
        g_navPack->SetLbn(lbn);
}

void __cdecl SetNavPackPtm(unsigned int startPtm, unsigned int endPtm)
{
    if (g_navPack)
        g_navPack->SetPtm(startPtm, endPtm);
}

void __cdecl SetNavPackTime(double seconds, double framesPerSecond)
{
    if (g_navPack)
        g_navPack->SetTime(seconds, framesPerSecond);
}

void __cdecl SetNavPackVobuAddress(unsigned int end, unsigned int ref1End, unsigned int ref2End, unsigned int ref3End)
{
    if (g_navPack)
        g_navPack->SetVobuAddress(end, ref1End, ref2End, ref3End);
}
