#include "hardware/bus/VendorPropertySet.h"

#include <string.h>

// {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}
const GUID PROPSETID_VendorCardControl =
    { 0xFC8FACFF, 0x0293, 0x4CE3, { 0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0 } };

HRESULT VendorSendCommand(IKsPropertySet* pProps, DWORD id, BYTE value)
{
    VendorCommandRequest request;
    memset(&request, 0, sizeof(request));
    request.command = value;
    return VendorPropertySet(pProps, id, &request, VENDORPROP_INSTANCE_DEFAULT);
}

HRESULT VendorReadByte(IKsPropertySet* pProps, BYTE device, LONG subAddress, BYTE* pValue)
{
    VendorByteRequest request;
    memset(&request, 0, sizeof(request));
    request.device = device;
    request.subAddress = subAddress;
    HRESULT hr = VendorPropertyGet(pProps, VENDORPROP_BYTE, &request, VENDORPROP_INSTANCE_BYTE);
    if (SUCCEEDED(hr))
        *pValue = request.value;
    return hr;
}

HRESULT VendorWriteByte(IKsPropertySet* pProps, BYTE device, LONG subAddress, BYTE value)
{
    VendorByteRequest request;
    memset(&request, 0, sizeof(request));
    request.device = device;
    request.subAddress = subAddress;
    request.value = value;
    return VendorPropertySet(pProps, VENDORPROP_BYTE, &request, VENDORPROP_INSTANCE_BYTE);
}

HRESULT VendorI2CRead(IKsPropertySet* pProps, BYTE* pBuffer, LONG length)
{
    VendorI2CRequest request;
    memset(&request, 0, sizeof(request));
    memcpy(request.data, pBuffer, length);
    request.count = static_cast<DWORD>(length);
    HRESULT hr = VendorPropertyGet(pProps, VENDORPROP_I2C, &request, VENDORPROP_INSTANCE_I2C);
    if (SUCCEEDED(hr))
        memcpy(pBuffer, request.data, length);
    return hr;
}

HRESULT VendorI2CWrite(IKsPropertySet* pProps, const BYTE* pBuffer, LONG length)
{
    VendorI2CRequest request;
    memset(&request, 0, sizeof(request));
    memcpy(request.data, pBuffer, length);
    request.count = static_cast<DWORD>(length);
    return VendorPropertySet(pProps, VENDORPROP_I2C, &request, VENDORPROP_INSTANCE_I2C);
}
