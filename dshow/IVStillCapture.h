#pragma once

#include "dshow/FilterNode.h"

// The InterVideo still-capture filter: five settings, the captured picture
// (a bitmap information header and its pixels) and saving it as a bitmap
// file. Its parameter interface is asked for anew for each call.
class CIVStillCapture : public CFilterNode
{
public:
    CIVStillCapture(CDShowGraph* pGraph, REFCLSID clsid);
    CIVStillCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CIVStillCapture(CDShowGraph* pGraph, IBaseFilter* pFilter);

    BOOL GetParameter1537(DWORD* pdwValue) { return ReadParameter(1537, pdwValue); }
    BOOL SetParameter1537(DWORD dwValue) { return WriteParameter(1537, dwValue); }
    BOOL GetParameter1538(DWORD* pdwValue) { return ReadParameter(1538, pdwValue); }
    BOOL SetParameter1538(DWORD dwValue) { return WriteParameter(1538, dwValue); }
    BOOL GetParameter1539(DWORD* pdwValue) { return ReadParameter(1539, pdwValue); }
    BOOL SetParameter1539(DWORD dwValue) { return WriteParameter(1539, dwValue); }
    BOOL GetParameter1540(DWORD* pdwValue) { return ReadParameter(1540, pdwValue); }
    BOOL SetParameter1540(DWORD dwValue) { return WriteParameter(1540, dwValue); }
    BOOL GetParameter1541(DWORD* pdwValue) { return ReadParameter(1541, pdwValue); }
    BOOL SetParameter1541(DWORD dwValue) { return WriteParameter(1541, dwValue); }
    // The captured picture's size in bytes, and the picture itself.
    BOOL GetImageSize(DWORD* pdwSize) { return ReadParameter(PARAMETER_IMAGE_SIZE, pdwSize); }
    BOOL GetImage(void* pImage) { return ReadParameter(PARAMETER_IMAGE, pImage); }

    // The picture as a bitmap file; FALSE when there is none, it cannot be
    // read or the file cannot be written whole.
    BOOL SaveStillImage(LPCSTR pszPath);

private:
    enum { PARAMETER_IMAGE_SIZE = 1543, PARAMETER_IMAGE = 1544 };

    BOOL ReadParameter(DWORD dwNumber, void* pValue);
    BOOL WriteParameter(DWORD dwNumber, DWORD dwValue);
};
