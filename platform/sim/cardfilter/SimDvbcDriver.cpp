#include "platform/sim/cardfilter/SimDvbcDriver.h"

// {9B21A661-29BB-4ED3-B125-54B409677B59}
const IID SIMIID_DvbcControl = { 0x9B21A661, 0x29BB, 0x4ED3, { 0xB1, 0x25, 0x54, 0xB4, 0x09, 0x67, 0x7B, 0x59 } };

CSimDvbcControl::CSimDvbcControl(IUnknown* pOwner, CSimTVCard* pCard) : m_pOwner(pOwner), m_pCard(pCard)
{
}

STDMETHODIMP CSimDvbcControl::QueryInterface(REFIID riid, void** ppv)
{
    return m_pOwner->QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) CSimDvbcControl::AddRef()
{
    return m_pOwner->AddRef();
}
STDMETHODIMP_(ULONG) CSimDvbcControl::Release()
{
    return m_pOwner->Release();
}

HRESULT CSimDvbcControl::Call(DWORD method, int argc, DWORD a, DWORD b)
{
    m_pCard->Bus().LogCommand(method, a);
    if (argc > 1)
        m_pCard->Bus().LogCommand(method + SECOND_ARGUMENT, b);
    if ((argc > 0 && a == REFUSED_ARGUMENT) || (argc > 1 && b == REFUSED_ARGUMENT))
        return E_INVALIDARG;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method1()
{
    return Call(1, 0, 0, 0);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method2()
{
    return Call(2, 0, 0, 0);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method3(DWORD a, DWORD b)
{
    return Call(3, 2, a, b);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method5()
{
    return Call(5, 0, 0, 0);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method6(DWORD a)
{
    return Call(6, 1, a, 0);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method7(DWORD a)
{
    return Call(7, 1, a, 0);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method8(DWORD a)
{
    return Call(8, 1, a, 0);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method9(DWORD a)
{
    return Call(9, 1, a, 0);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method10(DWORD a)
{
    return Call(10, 1, a, 0);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method12(DWORD a)
{
    return Call(12, 1, a, 0);
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Method18(DWORD a, DWORD b)
{
    return Call(18, 2, a, b);
}

HRESULT STDMETHODCALLTYPE CSimDvbcControl::Reserved4()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Reserved11()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Reserved13()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Reserved14()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Reserved15()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Reserved16()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimDvbcControl::Reserved17()
{
    return E_NOTIMPL;
}
