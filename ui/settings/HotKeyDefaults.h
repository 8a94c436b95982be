#pragma once
#include "ui/settings/HotKeyTable.h"

// Empties the table and fills the two command groups, the bindable commands and their default
// keys. Names and descriptions are string resources of the resource module; a command whose
// name is missing there is left out, and so are its keys.
void FillDefaultHotKeys(CHotKeyTable& table);

// Reads the stored table; when the file is missing, short or damaged, fills the defaults in its
// place and writes them to the file. TRUE when the stored table was read.
BOOL LoadHotKeysOrDefaults(CHotKeyTable& table, LPCSTR path);
