#pragma once

#include "platform/sim/cardfilter/SimCardTable.h"

#include <unknwn.h>

// The DVB-C driver's control interface {9B21A661-29BB-4ED3-B125-54B409677B59}.
// Each method the card uses logs itself on the card's bus as a command (the
// method's number from 1 after IUnknown's, its first argument; a second
// argument logs as command number + 0x100) and refuses an argument of
// 0xFFFFFFFF; the others are not implemented.
class CSimDvbcControl : public IUnknown
{
public:
    enum { SECOND_ARGUMENT = 0x100, REFUSED_ARGUMENT = 0xFFFFFFFF };

    // The identity and reference count are the owner's.
    CSimDvbcControl(IUnknown* pOwner, CSimTVCard* pCard);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    virtual HRESULT STDMETHODCALLTYPE Method1();
    virtual HRESULT STDMETHODCALLTYPE Method2();
    virtual HRESULT STDMETHODCALLTYPE Method3(DWORD a, DWORD b);
    virtual HRESULT STDMETHODCALLTYPE Reserved4();
    virtual HRESULT STDMETHODCALLTYPE Method5();
    virtual HRESULT STDMETHODCALLTYPE Method6(DWORD a);
    virtual HRESULT STDMETHODCALLTYPE Method7(DWORD a);
    virtual HRESULT STDMETHODCALLTYPE Method8(DWORD a);
    virtual HRESULT STDMETHODCALLTYPE Method9(DWORD a);
    virtual HRESULT STDMETHODCALLTYPE Method10(DWORD a);
    virtual HRESULT STDMETHODCALLTYPE Reserved11();
    virtual HRESULT STDMETHODCALLTYPE Method12(DWORD a);
    virtual HRESULT STDMETHODCALLTYPE Reserved13();
    virtual HRESULT STDMETHODCALLTYPE Reserved14();
    virtual HRESULT STDMETHODCALLTYPE Reserved15();
    virtual HRESULT STDMETHODCALLTYPE Reserved16();
    virtual HRESULT STDMETHODCALLTYPE Reserved17();
    virtual HRESULT STDMETHODCALLTYPE Method18(DWORD a, DWORD b);

private:
    HRESULT Call(DWORD method, int argc, DWORD a, DWORD b);

    IUnknown* m_pOwner;
    CSimTVCard* m_pCard;
};

extern const IID SIMIID_DvbcControl;
