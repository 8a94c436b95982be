#pragma once

// Tuner type id of the tuner factory and the model's name, as the capture
// devices show and store it.
struct TUNER_MODEL_NAME
{
    int nType;
    const char* pszName;
};

// In the table's own order (not sorted by id).
extern const TUNER_MODEL_NAME g_aTunerModelNames[];
extern const int g_nTunerModelNames;
