#include "hardware/bus/RegisterAccess.h"

CRegisterAccess::CRegisterAccess()
{
    InitializeCriticalSection(&m_cs);
}

CRegisterAccess::~CRegisterAccess()
{
    DeleteCriticalSection(&m_cs);
}

HRESULT CRegisterAccess::WriteGpioDelayed(DWORD value, DWORD mask, DWORD)
{
    return WriteGpio(value, mask);
}

HRESULT CRegisterAccess::Command7(DWORD) { return S_OK; }
HRESULT CRegisterAccess::Command8(DWORD) { return S_OK; }
HRESULT CRegisterAccess::Command9() { return S_OK; }
HRESULT CRegisterAccess::Command10(DWORD) { return S_OK; }
HRESULT CRegisterAccess::SetGpioLine(LONG) { return S_OK; }
HRESULT CRegisterAccess::Reserved16(DWORD, DWORD) { return E_FAIL; }
HRESULT CRegisterAccess::ReadRegisterByte(DWORD, BYTE*) { return E_FAIL; }
HRESULT CRegisterAccess::Reserved18(DWORD) { return S_OK; }
HRESULT CRegisterAccess::ReadRegister(DWORD, DWORD*) { return E_FAIL; }
HRESULT CRegisterAccess::WriteRegister(DWORD, DWORD) { return E_FAIL; }
HRESULT CRegisterAccess::Reserved21(ULONG_PTR) { return E_FAIL; }
HRESULT CRegisterAccess::Reserved22(ULONG_PTR) { return E_FAIL; }
HRESULT CRegisterAccess::Reserved23(ULONG_PTR) { return E_FAIL; }
HRESULT CRegisterAccess::Reserved24(ULONG_PTR) { return E_FAIL; }
