#pragma once

#include <string>

#include "parvane/ParvaneApi.h"

// The editing ordinals as a caller sees them; the same scenarios run against the classes
// linked in and against Parvane.dll bound by ordinal.
struct EditorApi
{
    int (__cdecl* OpenMpegFile)(const char*);
    void (__cdecl* CloseMpegFile)(void);
    int (__cdecl* GetMpegFileInfo)(MpegStreamInfo*);
    int (__cdecl* GetSegmentCount)(void);
    int (__cdecl* AddSegment)(MpegSegment*);
    int (__cdecl* RemoveSegment)(int);
    int (__cdecl* GetSegmentByKey)(int, MpegSegment*);
    int (__cdecl* GetSegmentByIndex)(int, MpegSegment*);
    int (__cdecl* SaveSegments)(const char*, int, int);
    int (__cdecl* InsertMpegFile)(const char*, double, int, const char*, int);
    void (__cdecl* NewClipList)(const char*);
    int (__cdecl* AddClip)(const char*, MpegSegment*);
    void (__cdecl* ClearClipList)(void);
    int (__cdecl* SaveClipList)(const char*, int, MpegProgressProc);
};

// Provided by the backend the program is built with; null when it could not be bound.
const EditorApi* Api();
const char* BackendName();

// Windows paths of the generated streams and of this backend's outputs.
std::string FixturePath(const std::string& name);
std::string OutputPath(const std::string& name);
