#pragma once
// Test-only filters, created directly (no registration needed). Each function hands
// out the filter's IBaseFilter with one reference; the optional C++ pointer is
// borrowed and valid while that reference is held.
#include "platform/standins/testfilters/TestFilterIds.h"
#include "platform/standins/testfilters/BytePushSource.h"
#include "platform/standins/testfilters/FileAppendSink.h"
#include "platform/standins/testfilters/CopyTransform.h"

// A source sending the file's bytes in samples of chunkBytes (path may be null: use SetBytes).
HRESULT CreateBytePushSource(const char* path, DWORD chunkBytes, IBaseFilter** ppFilter,
                             CBytePushSource** ppObject = nullptr);
// A sink appending every sample's bytes to path (null: only counts).
HRESULT CreateFileAppendSink(const char* path, IBaseFilter** ppFilter, CFileAppendSink** ppObject = nullptr);
// A pass-through transform.
HRESULT CreateCopyTransform(IBaseFilter** ppFilter, CCopyTransform** ppObject = nullptr);
