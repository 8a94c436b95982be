#include "engine/TVEngine.h"

// The country names of the system's telephony list are not read here: the map stays empty.
BOOL CTVEngine::LoadCountryList()
{
    m_CountryNames.RemoveAll();
    return m_CountryNames.GetCount() > 0;
}

// No frequency-point list is chosen here; the tuner keeps the list it has.
BOOL CTVEngine::SelectPointTable()
{
    return 0;
}
