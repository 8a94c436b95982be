#pragma once

#include <windows.h>

// A built-in frequency plan: the picture carriers (Hz) of a region's channel numbers, in
// channel-number order; 0 marks a channel number the plan does not use.
struct FREQUENCY_PLAN
{
    LONG nKind;  // 1, 2 or 3, carried with the plan
    LONG nCount;
    LONG nIF;    // the receiver's intermediate frequency, Hz
    const DWORD* pFrequencies;
};

// The plans of one country: the broadcast plan for TVInput 1, the cable plan for TVInput 0.
struct COUNTRY_PLAN_ROW
{
    LONG nCountry;
    const FREQUENCY_PLAN* pBroadcast;
    const FREQUENCY_PLAN* pCable;
};

struct STANDARD_PLAN_ROW
{
    DWORD dwStandard;
    const FREQUENCY_PLAN* pBroadcast;
    const FREQUENCY_PLAN* pCable;
};

struct COUNTRY_STANDARD_ROW
{
    LONG nCountry;
    DWORD dwStandard;
};

extern const COUNTRY_PLAN_ROW g_CountryPlans[];
extern const int g_nCountryPlans;
extern const COUNTRY_STANDARD_ROW g_CountryStandards[];
extern const int g_nCountryStandards;
extern const STANDARD_PLAN_ROW g_StandardPlans[];
extern const int g_nStandardPlans;
// The country codes looked up in the system's telephony country list, in order.
extern const int g_TelephonyCountryCodes[];
extern const int g_nTelephonyCountryCodes;

// The plan of the country for the TV input (0 cable, else broadcast): the country table first,
// then the plan of the country's video standard; NULL when neither has one.
const FREQUENCY_PLAN* FindFrequencyPlan(int nCountry, int nTVInput);
// The country's analog video standard; NTSC_M for a code the table does not hold.
DWORD FindCountryStandard(int nCountry);
