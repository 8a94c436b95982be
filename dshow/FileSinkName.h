#pragma once

#include <dshow.h>

// Names the file a sink writes from an ANSI path (null allowed), with no
// media type; TRUE for any success code.
BOOL SetSinkFileName(IFileSinkFilter* pSink, LPCSTR pszPath);
// The same, handing back the sink's result (E_POINTER without a sink).
HRESULT CallSinkSetFileName(IFileSinkFilter* pSink, LPCSTR pszPath);

// Reads the sink's current file (no media type). When a name comes back with
// a success code it is converted into pszPath (cbPath bytes, cut to fit) and
// freed; otherwise pszPath is untouched. Returns GetCurFile's result.
HRESULT GetSinkFileName(IFileSinkFilter* pSink, char* pszPath, int cbPath);
