#include "tests/parvane/editor/EditorApi.h"

#include "parvane/StreamEditor.h"

namespace {

CStreamEditor& Editor()
{
    static CStreamEditor editor;
    return editor;
}

int __cdecl Open(const char* path) { Editor().CloseFile(); return path && Editor().OpenFile(path) ? 1 : 0; }
void __cdecl Close(void) { Editor().CloseFile(); }
int __cdecl Info(MpegStreamInfo* info) { return Editor().GetFileInfo(info) ? 1 : 0; }
int __cdecl Count(void) { return Editor().GetSegmentCount(); }
int __cdecl Add(MpegSegment* s) { return Editor().AddSegment(s); }
int __cdecl Remove(int key) { return Editor().RemoveSegment(key); }
int __cdecl ByKey(int key, MpegSegment* s) { return Editor().GetSegmentByKey(key, s); }
int __cdecl ByIndex(int index, MpegSegment* s) { return Editor().GetSegmentByIndex(index, s); }
int __cdecl Save(const char* out, int invert, int lostB) { return Editor().SaveSegments(out, invert, lostB); }
int __cdecl Insert(const char* path, double at, int mode, const char* out, int lostB)
{
    return Editor().InsertFile(path, at, mode, out, lostB);
}
void __cdecl NewList(const char* name) { Editor().SetName(name); }
int __cdecl Clip(const char* path, MpegSegment* s) { return Editor().AddClip(path, s); }
void __cdecl ClearList(void) { Editor().ClearClips(); }
int __cdecl SaveList(const char* out, int lostB, MpegProgressProc p) { return Editor().SaveClips(out, lostB, p); }

const EditorApi kDirect = {Open, Close, Info, Count, Add, Remove, ByKey, ByIndex, Save, Insert,
                           NewList, Clip, ClearList, SaveList};

} // namespace

const EditorApi* Api()
{
    return &kDirect;
}

const char* BackendName()
{
    return "direct";
}
