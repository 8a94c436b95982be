#pragma once

enum { TUNER_SCAN_LIST_COUNT = 95 };

// The built-in list of the TV point scan, shared read-only by every tuner.
extern const float g_TunerScanList[TUNER_SCAN_LIST_COUNT];
