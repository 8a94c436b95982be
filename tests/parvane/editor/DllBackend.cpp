#include "tests/parvane/editor/EditorApi.h"

#include <windows.h>

namespace {

template <class F>
bool Bind(HMODULE dll, int ordinal, F* out)
{
    *out = reinterpret_cast<F>(GetProcAddress(dll, MAKEINTRESOURCEA(ordinal)));
    return *out != nullptr;
}

EditorApi Load()
{
    EditorApi api = {};
    HMODULE dll = LoadLibraryA("Parvane.dll");
    if (!dll)
        return api;
    bool ok = Bind(dll, ParvaneOpenMpegFile, &api.OpenMpegFile) && Bind(dll, ParvaneCloseMpegFile, &api.CloseMpegFile)
        && Bind(dll, ParvaneGetMpegFileInfo, &api.GetMpegFileInfo) && Bind(dll, ParvaneGetSegmentCount, &api.GetSegmentCount)
        && Bind(dll, ParvaneAddSegment, &api.AddSegment) && Bind(dll, ParvaneRemoveSegment, &api.RemoveSegment)
        && Bind(dll, ParvaneGetSegmentByKey, &api.GetSegmentByKey)
        && Bind(dll, ParvaneGetSegmentByIndex, &api.GetSegmentByIndex)
        && Bind(dll, ParvaneSaveSegments, &api.SaveSegments) && Bind(dll, ParvaneInsertMpegFile, &api.InsertMpegFile)
        && Bind(dll, ParvaneNewClipList, &api.NewClipList) && Bind(dll, ParvaneAddClip, &api.AddClip)
        && Bind(dll, ParvaneClearClipList, &api.ClearClipList) && Bind(dll, ParvaneSaveClipList, &api.SaveClipList);
    if (!ok)
        api = EditorApi();
    return api;
}

} // namespace

const EditorApi* Api()
{
    static EditorApi api = Load();
    return api.OpenMpegFile ? &api : nullptr;
}

const char* BackendName()
{
    return "dll";
}
