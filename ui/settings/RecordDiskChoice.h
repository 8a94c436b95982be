#pragma once
#include <windows.h>

class CTVEngine;

// Records into the disk of a chosen record folder; when the controller refuses that disk, the next
// allowed disks with space are tried, each disk once. FALSE when no disk was accepted.
BOOL UseDiskOfRecordFolder(CTVEngine& engine, LPCSTR pszFolder);
