#pragma once
#include <windows.h>

// What an ordinary static object of the program saw of the menus when it was made. It lives in a
// library linked after the skin library, so that the link order alone would have it made first.
struct StartupWitness
{
    StartupWitness();
    int style;
    HHOOK hook;
    int themes;
};

extern StartupWitness g_startupWitness;
