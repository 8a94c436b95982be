#pragma once

#include <windows.h>
#include "parvane/ParvaneApi.h"

// Parvane.dll bound at run time by ordinal, as a caller without the import library does.
struct ParvaneOrdinals
{
    HMODULE module = nullptr;
    int (__cdecl* OpenMpegFile)(const char*) = nullptr;
    void (__cdecl* CloseMpegFile)() = nullptr;
    int (__cdecl* GetMpegFileInfo)(MpegStreamInfo*) = nullptr;
    int (__cdecl* GetSegmentCount)() = nullptr;
    int (__cdecl* AddSegment)(MpegSegment*) = nullptr;
    int (__cdecl* RemoveSegment)(int) = nullptr;
    int (__cdecl* GetSegmentByKey)(int, MpegSegment*) = nullptr;
    int (__cdecl* GetSegmentByIndex)(int, MpegSegment*) = nullptr;
    int (__cdecl* SaveSegments)(const char*, int, int) = nullptr;
    int (__cdecl* InsertMpegFile)(const char*, double, int, const char*, int) = nullptr;
    void (__cdecl* NewClipList)(const char*) = nullptr;
    int (__cdecl* AddClip)(const char*, MpegSegment*) = nullptr;
    void (__cdecl* ClearClipList)() = nullptr;
    int (__cdecl* SaveClipList)(const char*, int, MpegProgressProc) = nullptr;
    int (__cdecl* FindBytes)(const void*, int, const char*, int) = nullptr;
    void (__cdecl* ResetMpegFile)() = nullptr;
    int (__cdecl* RestampChunks)(MpegChunkList*, double*, int*, int*) = nullptr;
    int (__cdecl* CreateNavPack)() = nullptr;
    void (__cdecl* DeleteNavPack)() = nullptr;
    unsigned char* (__cdecl* GetNavPack)(int*) = nullptr;
    int (__cdecl* SetNavSystemHeader)(const void*, int) = nullptr;
    void (__cdecl* SetNavPackScr)(double) = nullptr;
    void (__cdecl* SetNavPackLbn)(unsigned) = nullptr;
    void (__cdecl* SetNavPackPtm)(unsigned, unsigned) = nullptr;
    void (__cdecl* SetNavPackTime)(double, double) = nullptr;
    void (__cdecl* SetNavPackVobuAddress)(unsigned, unsigned, unsigned, unsigned) = nullptr;

    template <class F>
    bool Bind(F& f, int ordinal)
    {
        f = reinterpret_cast<F>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
        return f != nullptr;
    }

    // Number of ordinals bound (26 when all are there).
    int Load(const char* path = "Parvane.dll")
    {
        module = LoadLibraryA(path);
        if (!module)
            return 0;
        int n = 0;
        n += Bind(OpenMpegFile, 1);
        n += Bind(CloseMpegFile, 2);
        n += Bind(GetMpegFileInfo, 3);
        n += Bind(GetSegmentCount, 4);
        n += Bind(AddSegment, 5);
        n += Bind(RemoveSegment, 6);
        n += Bind(GetSegmentByKey, 7);
        n += Bind(GetSegmentByIndex, 8);
        n += Bind(SaveSegments, 9);
        n += Bind(InsertMpegFile, 10);
        n += Bind(NewClipList, 11);
        n += Bind(AddClip, 12);
        n += Bind(ClearClipList, 13);
        n += Bind(SaveClipList, 14);
        n += Bind(FindBytes, 15);
        n += Bind(ResetMpegFile, 16);
        n += Bind(RestampChunks, 17);
        n += Bind(CreateNavPack, 18);
        n += Bind(DeleteNavPack, 19);
        n += Bind(GetNavPack, 20);
        n += Bind(SetNavSystemHeader, 21);
        n += Bind(SetNavPackScr, 22);
        n += Bind(SetNavPackLbn, 23);
        n += Bind(SetNavPackPtm, 24);
        n += Bind(SetNavPackTime, 25);
        n += Bind(SetNavPackVobuAddress, 26);
        return n;
    }

    ~ParvaneOrdinals()
    {
        if (module)
            FreeLibrary(module);
    }
};
