#include "engine/TVEngine.h"

// The country names come from the system's telephony country list; until they are read the map
// stays empty and the windows show the codes.
BOOL CTVEngine::LoadCountryList()
{
    m_CountryNames.RemoveAll();
    return m_CountryNames.GetCount() > 0;
}

// Without a chosen plan the tuner keeps the list it has.
BOOL CTVEngine::SelectPointTable()
{
    return 0;
}
