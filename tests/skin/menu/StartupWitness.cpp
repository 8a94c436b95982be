#include "StartupWitness.h"

#include "skin/MenuThemes.h"
#include "skin/NewMenu.h"

StartupWitness::StartupWitness() : style(CNewMenu::GetMenuStyle()), hook(CMenuThemes::GetHook()), themes(0)
{
    for (int i = 0; i < 6; ++i)
        themes += CMenuThemes::FindTheme(i) != nullptr;
}

StartupWitness g_startupWitness;
