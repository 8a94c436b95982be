#include "hardware/bus/McuRegisterAccess.h"

#include "hardware/bus/BusClock.h"

HRESULT CMcuRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    return WriteGpioDelayed(value, mask, 0);
}

HRESULT CMcuRegisterAccess::WriteGpioDelayed(DWORD value, DWORD mask, DWORD delayMs)
{
    // The read and the write stand under one hold of the GPIO lock.
    if (!m_gpioLock.Lock())
        return E_FAIL;
    DWORD current = 0;
    HRESULT hr = ReadGpio(&current);
    if (SUCCEEDED(hr))
        hr = C2388xRegisterAccess::WriteGpio(value | (current & AUDIO_LINES & ~mask), mask | AUDIO_LINES);
    m_gpioLock.Unlock();
    if (SUCCEEDED(hr) && delayMs != 0)
        BusSleep(delayMs);
    return hr;
}

HRESULT CMcuRegisterAccess::Command7(DWORD) { return S_OK; }
HRESULT CMcuRegisterAccess::Command8(DWORD) { return S_OK; }
HRESULT CMcuRegisterAccess::Command9() { return S_OK; }
HRESULT CMcuRegisterAccess::Command10(DWORD) { return S_OK; }
HRESULT CMcuRegisterAccess::SetGpioLine(LONG) { return S_OK; }
HRESULT CMcuRegisterAccess::Reserved16(DWORD, DWORD) { return E_FAIL; }
HRESULT CMcuRegisterAccess::ReadRegisterByte(DWORD, BYTE*) { return E_FAIL; }
HRESULT CMcuRegisterAccess::Reserved18(DWORD) { return S_OK; }
HRESULT CMcuRegisterAccess::Reserved21(ULONG_PTR) { return E_FAIL; }
HRESULT CMcuRegisterAccess::Reserved22(ULONG_PTR) { return E_FAIL; }
HRESULT CMcuRegisterAccess::Reserved23(ULONG_PTR) { return E_FAIL; }
HRESULT CMcuRegisterAccess::Reserved24(ULONG_PTR) { return E_FAIL; }
