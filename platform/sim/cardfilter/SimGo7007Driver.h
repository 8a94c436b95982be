#pragma once

#include "platform/sim/cardfilter/SimCardTable.h"
#include "platform/sim/cardfilter/SimLinkPin.h"

#include <unknwn.h>

#include <string>
#include <vector>

// The GO7007 driver's bus interface {6420803D-D8BA-43D2-BD4A-109BA16C2E32}:
// byte reads and writes at 8- or 16-bit sub-addresses (a read address reads
// without one), block writes, and command blocks, of which kind 2 writes one
// byte at a sub-address.
class CSimGo7007Bus : public IUnknown
{
public:
    // The identity and reference count are the owner's.
    CSimGo7007Bus(IUnknown* pOwner, CSimTVCard* pCard);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    virtual HRESULT STDMETHODCALLTYPE Reserved3();
    virtual HRESULT STDMETHODCALLTYPE Reserved4();
    virtual HRESULT STDMETHODCALLTYPE Reserved5();
    virtual HRESULT STDMETHODCALLTYPE Reserved6();
    virtual HRESULT STDMETHODCALLTYPE WriteSub(DWORD device, DWORD width, DWORD sub, DWORD value, DWORD flags);
    virtual HRESULT STDMETHODCALLTYPE ReadSub(DWORD device, DWORD width, DWORD sub, BYTE* pBuffer, DWORD flags);
    virtual HRESULT STDMETHODCALLTYPE WriteBlock(DWORD device, DWORD width, DWORD sub, DWORD count, const BYTE* pBytes,
                                                 DWORD flags);
    virtual HRESULT STDMETHODCALLTYPE Reserved10();
    virtual HRESULT STDMETHODCALLTYPE Reserved11();
    virtual HRESULT STDMETHODCALLTYPE Reserved12();
    virtual HRESULT STDMETHODCALLTYPE Reserved13();
    virtual HRESULT STDMETHODCALLTYPE Reserved14();
    virtual HRESULT STDMETHODCALLTYPE SendCommand(DWORD kind, const BYTE* pBlock, DWORD count, DWORD* pArgument,
                                                  DWORD flags);

private:
    IUnknown* m_pOwner;
    CSimTVCard* m_pCard;
};

// The GO7007 driver's encoder interface {55F1E004-76CD-412E-9413-68AF75304D73}:
// the name of the stream setting in use (slot 3) and the capability table of
// the encoder (slot 6). The table opens with the driver's stream settings (a
// count, then 360-byte entries: a stream record that begins with the
// setting's name, and the position of its stream entry); then come the
// stream, resolution and frame-rate entries at the table's offsets, each
// with presence bits that say which of its fields the encoder holds to; no
// links.
class CSimGo7007Encoder : public IUnknown
{
public:
    enum
    {
        NAME_SIZE = 64,
        SETTING_SIZE = 360,
        SETTING_MAX = 16,
        STREAM_COUNT_OFFSET = 5764,
        STREAM_SIZE = 356,
        RESOLUTION_COUNT_OFFSET = 16448,
        RESOLUTION_SIZE = 368,
        FRAME_RATE_COUNT_OFFSET = 27492,
        FRAME_RATE_SIZE = 348,
        LINK_COUNT_OFFSET = 37936,
        TABLE_SIZE = 43948,
    };

    explicit CSimGo7007Encoder(IUnknown* pOwner);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    virtual HRESULT STDMETHODCALLTYPE GetStreamSetting(char* pszName);
    // Chooses the stream setting by name, as the driver's own panel does.
    virtual HRESULT STDMETHODCALLTYPE SetStreamSetting(const char* pszName);
    virtual HRESULT STDMETHODCALLTYPE Reserved5();
    virtual HRESULT STDMETHODCALLTYPE GetCapabilities(BYTE* pTable);

private:
    IUnknown* m_pOwner;
    std::string m_setting;
};

// An output pin of the GO7007 capture filter ("Video Capture", "Video
// Preview", "Audio Capture"): it offers its formats through IAMStreamConfig
// and keeps the one set. MPEG formats have room behind their header for the
// encoder's four configuration records.
class CSimGo7007Pin : public CSimLinkPin, public IAMStreamConfig
{
public:
    enum { RECORDS_SIZE = 356 + 348 + 368 + 356 };

    CSimGo7007Pin(CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName, BOOL bAudio);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** ppmt) override;
    STDMETHODIMP GetNumberOfCapabilities(int* piCount, int* piSize) override;
    STDMETHODIMP GetStreamCaps(int iIndex, AM_MEDIA_TYPE** ppmt, BYTE* pSCC) override;

private:
    BOOL m_bAudio;
    std::vector<CMediaType> m_caps;
    CMediaType m_format;
};

extern const IID SIMIID_Go7007Bus;
extern const IID SIMIID_Go7007Encoder;
