#include "hardware/bus/VendorPropertySet.h"

#include <string.h>

// {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}
const GUID PROPSETID_VendorCardControl =
    { 0xFC8FACFF, 0x0293, 0x4CE3, { 0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0 } };

HRESULT VendorSendCommand(IKsPropertySet* pProps, DWORD id, BYTE value, const GUID& set)
{
    VendorCommandRequest request;
    memset(&request, 0, sizeof(request));
    request.command = value;
    return VendorPropertySet(pProps, id, &request, VENDORPROP_INSTANCE_DEFAULT, set);
}

HRESULT VendorReadByte(IKsPropertySet* pProps, BYTE device, LONG subAddress, BYTE* pValue, const GUID& set)
{
    VendorByteRequest request;
    memset(&request, 0, sizeof(request));
    request.device = device;
    request.subAddress = subAddress;
    HRESULT hr = VendorPropertyGet(pProps, VENDORPROP_BYTE, &request, VENDORPROP_INSTANCE_BYTE, set);
    if (SUCCEEDED(hr))
        *pValue = request.value;
    return hr;
}

HRESULT VendorWriteByte(IKsPropertySet* pProps, BYTE device, LONG subAddress, BYTE value, const GUID& set)
{
    VendorByteRequest request;
    memset(&request, 0, sizeof(request));
    request.device = device;
    request.subAddress = subAddress;
    request.value = value;
    return VendorPropertySet(pProps, VENDORPROP_BYTE, &request, VENDORPROP_INSTANCE_BYTE, set);
}

HRESULT VendorI2CRead(IKsPropertySet* pProps, BYTE* pBuffer, LONG length, const GUID& set)
{
    VendorI2CRequest request;
    memset(&request, 0, sizeof(request));
    memcpy(request.data, pBuffer, length);
    request.count = static_cast<DWORD>(length);
    HRESULT hr = VendorPropertyGet(pProps, VENDORPROP_I2C, &request, VENDORPROP_INSTANCE_I2C, set);
    if (SUCCEEDED(hr))
        memcpy(pBuffer, request.data, length);
    return hr;
}

HRESULT VendorI2CWrite(IKsPropertySet* pProps, const BYTE* pBuffer, LONG length, const GUID& set)
{
    VendorI2CRequest request;
    memset(&request, 0, sizeof(request));
    memcpy(request.data, pBuffer, length);
    request.count = static_cast<DWORD>(length);
    return VendorPropertySet(pProps, VENDORPROP_I2C, &request, VENDORPROP_INSTANCE_I2C, set);
}

HRESULT VendorReadGpio(IKsPropertySet* pProps, DWORD mask, DWORD* pValue, const GUID& set)
{
    VendorGpioRequest request;
    memset(&request, 0, sizeof(request));
    request.mask = mask;
    request.value = 0;
    HRESULT hr = VendorPropertyGet(pProps, VENDORPROP_GPIO, &request, VENDORPROP_INSTANCE_DEFAULT, set);
    if (SUCCEEDED(hr))
        *pValue = request.value;
    return hr;
}

HRESULT VendorWriteGpio(IKsPropertySet* pProps, DWORD value, DWORD mask, const GUID& set)
{
    VendorGpioRequest request;
    memset(&request, 0, sizeof(request));
    request.mask = mask;
    request.value = value;
    return VendorPropertySet(pProps, VENDORPROP_GPIO, &request, VENDORPROP_INSTANCE_DEFAULT, set);
}

HRESULT AttachKsPropertySet(IUnknown* pFilter, IKsPropertySet** ppProps)
{
    if (*ppProps != NULL)
    {
        (*ppProps)->Release();
        *ppProps = NULL;
    }
    if (pFilter == NULL)
        return E_POINTER;
    return pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(ppProps));
}

HRESULT CheckByteRead(const IKsPropertySet* pProps, LONG subAddress, const BYTE* pValue)
{
    if (pProps == NULL)
        return E_FAIL;
    if (pValue == NULL)
        return E_POINTER;
    if (subAddress < 0)
        return E_INVALIDARG;
    return S_OK;
}
