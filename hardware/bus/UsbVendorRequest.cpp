#include "hardware/bus/UsbVendorRequest.h"

#include "hardware/bus/BusClock.h"

#include <string.h>

// {85551A18-A51C-4F2D-955F-3F36372ADB5C}
const GUID PROPSETID_UsbVendorRequest = {
    0x85551A18, 0xA51C, 0x4F2D, { 0x95, 0x5F, 0x3F, 0x36, 0x37, 0x2A, 0xDB, 0x5C }
};

UsbVendorRequest UsbMakeRequest(BYTE type, BYTE request, WORD value, WORD index, WORD length, const BYTE* pData,
                                int cbData)
{
    UsbVendorRequest r;
    memset(&r, 0, sizeof(r));
    r.bytes[0] = type;
    r.bytes[1] = request;
    r.bytes[2] = LOBYTE(value);
    r.bytes[3] = HIBYTE(value);
    r.bytes[4] = LOBYTE(index);
    r.bytes[5] = HIBYTE(index);
    r.bytes[6] = LOBYTE(length);
    r.bytes[7] = HIBYTE(length);
    if (cbData > USBREQ_MAX_DATA)
        cbData = USBREQ_MAX_DATA;
    if (pData != NULL && cbData > 0)
        memcpy(r.bytes + USBREQ_SETUP_SIZE, pData, cbData);
    r.length = USBREQ_SETUP_SIZE + (pData != NULL && cbData > 0 ? cbData : 0);
    return r;
}

HRESULT UsbSendRequest(IKsPropertySet* pProps, UsbVendorRequest* pRequest)
{
    UsbVendorTransfer transfer;
    memset(&transfer, 0, sizeof(transfer));
    transfer.set = PROPSETID_UsbVendorRequest;
    memcpy(transfer.request, pRequest->bytes, pRequest->length);
    transfer.length = static_cast<DWORD>(pRequest->length);
    HRESULT hr = pProps->Set(PROPSETID_UsbVendorRequest, 0, &transfer, sizeof(transfer), &transfer, sizeof(transfer));
    if (FAILED(hr))
        return hr;
    memset(&transfer, 0, sizeof(transfer));
    transfer.set = PROPSETID_UsbVendorRequest;
    UsbVendorTransfer reply;
    memset(&reply, 0, sizeof(reply));
    DWORD cbReturned = 0;
    hr = pProps->Get(PROPSETID_UsbVendorRequest, 0, &transfer, sizeof(transfer), &reply, sizeof(reply), &cbReturned);
    if (FAILED(hr))
        return hr;
    // The count is the driver's word: never copy more than the reply holds.
    DWORD count = reply.length > USBREQ_MAX_REQUEST ? USBREQ_MAX_REQUEST : reply.length;
    memcpy(pRequest->bytes, reply.request, count);
    pRequest->length = static_cast<LONG>(count);
    return hr;
}

WORD UsbGpioLineCode(BYTE line)
{
    static const WORD kCodes[8] = { 0x0101, 0x0102, 0x0103, 0x0104, 0x0300, 0x0301, 0x0304, 0x0305 };
    return line < 8 ? kCodes[line] : 0;
}

HRESULT CUsbRequestSender::ReadFirstByte(UsbVendorRequest request, BYTE* pValue)
{
    HRESULT hr = SendRequest(&request);
    if (FAILED(hr))
        return hr;
    // A read that brought nothing back has no byte to give.
    if (request.length < 1)
        return E_FAIL;
    *pValue = request.bytes[0];
    return hr;
}

HRESULT CUsbRequestSender::BlockWrite(BYTE device, BYTE subAddress, const BYTE* pData, LONG count)
{
    if (RequestInterface() == NULL || pData == NULL)
        return E_POINTER;
    if (count < 1 || count > USBREQ_MAX_DATA)
        return E_INVALIDARG;
    UsbVendorRequest request = UsbMakeRequest(USBREQ_TYPE_OUT, USBREQ_I2C, MAKEWORD(device, subAddress), 0,
                                              static_cast<WORD>(count), pData, count);
    return SendRequest(&request);
}

HRESULT CUsbRequestSender::BlockRead(BYTE* pBuffer, LONG length)
{
    if (RequestInterface() == NULL || pBuffer == NULL)
        return E_POINTER;
    LONG count = length - 2;
    if (count < 1 || count > USBREQ_MAX_DATA)
        return E_INVALIDARG;
    UsbVendorRequest request =
        UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_I2C, MAKEWORD(pBuffer[0], pBuffer[1]), 0, static_cast<WORD>(count));
    HRESULT hr = SendRequest(&request);
    if (FAILED(hr))
        return hr;
    memcpy(pBuffer, request.bytes, request.length < count ? request.length : count);
    return hr;
}

HRESULT CUsbRequestSender::PiecewiseWrite(const BYTE* pBuffer, LONG length)
{
    if (pBuffer == NULL)
        return E_POINTER;
    LONG count = length - 2;
    if (count < PIECE_THRESHOLD)
        return BlockWrite(pBuffer[0], pBuffer[1], pBuffer + 2, count);
    const BYTE* pData = pBuffer + 2;
    HRESULT hr = S_OK;
    for (LONG i = 0; i < count / PIECE_BYTES; ++i, pData += PIECE_BYTES)
    {
        hr = BlockWrite(pBuffer[0], pBuffer[1], pData, PIECE_BYTES);
        if (FAILED(hr))
            return hr;
        BusSleep(PIECE_PAUSE_MS);
    }
    if (count % PIECE_BYTES != 0)
        hr = BlockWrite(pBuffer[0], pBuffer[1], pData, count % PIECE_BYTES);
    return hr;
}

HRESULT CUsbRequestSender::WriteGpioLine(DWORD level, DWORD line)
{
    if (RequestInterface() == NULL)
        return E_POINTER;
    BYTE lineByte = static_cast<BYTE>(line);
    if (lineByte >= GPIO_LINES)
        return E_INVALIDARG;
    UsbVendorRequest request =
        UsbMakeRequest(USBREQ_TYPE_OUT, USBREQ_GPIO_LINE, UsbGpioLineCode(lineByte), level != 0 ? 1 : 0, 0);
    return SendRequest(&request);
}

HRESULT CUsbRequestSender::ReadBridgeRegister(BYTE reg, BYTE* pValue)
{
    return ReadFirstByte(UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_BRIDGE_REGISTER, reg, 0, 1), pValue);
}

HRESULT CUsbRequestSender::WriteBridgeRegister(BYTE reg, BYTE value)
{
    UsbVendorRequest request = UsbMakeRequest(USBREQ_TYPE_OUT, USBREQ_BRIDGE_REGISTER, reg, value, 0);
    return SendRequest(&request);
}
