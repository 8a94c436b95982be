#pragma once

#include "hardware/tuners/TunerModule.h"

class CTunerOwner;

// Makes one tuner model.
typedef CTunerModule* (*TunerCreator)(CRegisterAccess* pRegisterAccess);

// One tuner type: its id (the card's EEPROM names it) and the model's
// creator (null: no tuner module). The name the user sees comes from the
// graph toolkit's table of tuner model names.
struct TunerTypeEntry
{
    int nTypeId;
    TunerCreator pfnCreate;
};

extern const TunerTypeEntry g_TunerTypeTable[];
extern const int g_nTunerTypeTableCount;

// Turns a tuner type id into its tuner model.
class CTunerFactory
{
public:
    // Null for ids without a creator.
    static TunerCreator FindCreator(int nTypeId);
    // The number of type ids the factory knows (id 0 included).
    static int GetTypeCount();
    // The model name of a type id, null when it has none.
    static const char* GetModelName(int nTypeId);

    // The model of the type on the card's bus, owned by the device. When no
    // chip answers at the model's read address, the device searches the bus
    // and stores the address it found into the model. Null when the type has
    // no model or memory ran out; no bus traffic then.
    static CTunerModule* Create(int nTypeId, CRegisterAccess* pRegisterAccess, CTunerOwner* pOwner);
};
