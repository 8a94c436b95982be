#include "hardware/tuners/TunerFactory.h"

#include "dshow/TunerModelNames.h"
#include "hardware/tuners/TunerOwner.h"

#include <map>

namespace
{
typedef std::map<int, TunerCreator> TunerTypeMap;

TunerTypeMap BuildTypeMap()
{
    TunerTypeMap map;
    for (int i = 0; i < g_nTunerTypeTableCount; ++i)
        map[g_TunerTypeTable[i].nTypeId] = g_TunerTypeTable[i].pfnCreate;
    return map;
}

// Built on first use and kept until the process ends.
const TunerTypeMap& TypeMap()
{
    static const TunerTypeMap s_map = BuildTypeMap();
    return s_map;
}
}

TunerCreator CTunerFactory::FindCreator(int nTypeId)
{
    const TunerTypeMap& map = TypeMap();
    TunerTypeMap::const_iterator it = map.find(nTypeId);
    return it != map.end() ? it->second : NULL;
}

int CTunerFactory::GetTypeCount()
{
    return static_cast<int>(TypeMap().size());
}

const char* CTunerFactory::GetModelName(int nTypeId)
{
    for (int i = 0; i < g_nTunerModelNames; ++i)
    {
        if (g_aTunerModelNames[i].nType == nTypeId)
            return g_aTunerModelNames[i].pszName;
    }
    return NULL;
}

CTunerModule* CTunerFactory::Create(int nTypeId, CRegisterAccess* pRegisterAccess, CTunerOwner* pOwner)
{
    TunerCreator pfnCreate = FindCreator(nTypeId);
    if (pfnCreate == NULL)
        return NULL;
    CTunerModule* pModule = pfnCreate(pRegisterAccess);
    if (pModule == NULL)
        return NULL;
    pModule->m_pOwner = pOwner;
    if (pOwner != NULL && !pOwner->ProbeTuner(pModule))
        pOwner->DetectTunerAddress(pModule);
    return pModule;
}
