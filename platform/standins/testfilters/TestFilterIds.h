#pragma once
#include <windows.h>

// Class identifiers of the test filters in OndrixTestFilters.ax.
extern const CLSID CLSID_OndrixBytePushSource;   // "Ondrix Byte Push Source"
extern const CLSID CLSID_OndrixFileAppendSink;   // "Ondrix File Append Sink"
extern const CLSID CLSID_OndrixCopyTransform;    // "Ondrix Copy Transform"
// The push source again, registered in the KS capture device category as
// "Ondrix Test Capture" so the system device enumerator lists it.
extern const CLSID CLSID_OndrixTestCapture;
