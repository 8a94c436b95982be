#pragma once

#include <windows.h>

// The property page of the pause filter; the filter's own class, IMpegRecordFilter and the type
// library come from the generated Hollit_i.c.
extern "C" const CLSID CLSID_MpegRecordFilterProp;
