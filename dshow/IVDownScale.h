#pragma once

#include "dshow/FilterNode.h"
#include "dshow/InterVideoInterfaces.h"

// The InterVideo down-scale filter: horizontal and vertical halving on or off.
class CIVDownScale : public CFilterNode
{
public:
    CIVDownScale(CDShowGraph* pGraph, REFCLSID clsid);
    CIVDownScale(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CIVDownScale(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CIVDownScale() override;

    // TRUE only when the parameter interface came back with S_OK.
    BOOL Initfilter() override;
    // Vertical is written only after horizontal was taken (S_OK); TRUE only
    // when both were.
    BOOL SetScaling(BOOL bHorizontal, BOOL bVertical);
    // TRUE when the vertical read answered S_OK.
    BOOL GetScaling(BOOL* pbHorizontal, BOOL* pbVertical);

private:
    ComPtr<IIVParameters> m_pParameters;
};
