#include "hardware/devices/BlackBirdEncoder.h"

#include "dshow/FilterClass.h"

// {D2185A40-0398-11D3-A53E-00A0C9EF506A}
const GUID PROPSETID_BlackBirdEncoder =
    { 0xD2185A40, 0x0398, 0x11D3, { 0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A } };

CFilterNode* CBlackBirdEncoder::CreateInstance(CDShowGraph* pGraph, BOOL bExclude, const CFilterClass& record)
{
    return CreateFilterNodeOf<CBlackBirdEncoder>(pGraph, bExclude, record);
}
