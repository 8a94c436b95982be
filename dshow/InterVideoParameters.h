#pragma once

#include <dshow.h>

#include "dshow/InterVideoInterfaces.h"
#include "platform/dshow/ComPtr.h"

// A filter's parameter interface asked for one call; only S_OK counts, any
// other answer is a failure (E_NOINTERFACE when the query said S_FALSE).
HRESULT QueryIVParameters(IBaseFilter* pFilter, REFIID riid, ComPtr<IIVParameters>& pParameters);

// Which word of a caller's block goes to which parameter.
struct IVParameterWord
{
    DWORD dwNumber;
    int nWord;
};

// Writes every parameter of the table, in its order, from its word; TRUE only
// when every write succeeded (the later ones are still made after a refusal).
BOOL WriteIVParameters(IIVParameters* pParameters, const IVParameterWord* pTable, int nCount, const DWORD* pWords);
// Reads every parameter of the table into its word; TRUE only when every read succeeded.
BOOL ReadIVParameters(IIVParameters* pParameters, const IVParameterWord* pTable, int nCount, DWORD* pWords);
