#include "dshow/InterVideoParameters.h"

HRESULT QueryIVParameters(IBaseFilter* pFilter, REFIID riid, ComPtr<IIVParameters>& pParameters)
{
    HRESULT hr = ComQuery(pFilter, riid, pParameters);
    if (hr == S_OK && pParameters)
        return S_OK;
    pParameters.Reset();
    return FAILED(hr) ? hr : E_NOINTERFACE;
}

BOOL WriteIVParameters(IIVParameters* pParameters, const IVParameterWord* pTable, int nCount, const DWORD* pWords)
{
    BOOL bAll = TRUE;
    for (int i = 0; i < nCount; ++i)
        bAll &= SUCCEEDED(pParameters->SetParameter(pTable[i].dwNumber, pWords[pTable[i].nWord]));
    return bAll;
}

BOOL ReadIVParameters(IIVParameters* pParameters, const IVParameterWord* pTable, int nCount, DWORD* pWords)
{
    BOOL bAll = TRUE;
    for (int i = 0; i < nCount; ++i)
        bAll &= SUCCEEDED(pParameters->GetParameter(pTable[i].dwNumber, &pWords[pTable[i].nWord]));
    return bAll;
}
