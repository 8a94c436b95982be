#pragma once

#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include <stddef.h>

// The private interfaces of the InterVideo filters, called by vtable position.

// Parameter interfaces of the encoders, multiplexer, file writer, still
// capture and down-scale filters.
// {0CD2E142-8D60-11D3-9C32-00104B3801F6}
static const IID IID_IIVAudioEncoderParameters =
    { 0x0CD2E142, 0x8D60, 0x11D3, { 0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF6 } };
// {317DDB63-870E-11D3-9C32-00104B3801F6}
static const IID IID_IIVVideoEncoderParameters =
    { 0x317DDB63, 0x870E, 0x11D3, { 0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF6 } };
// {173DAD40-A0D3-43E2-B1D5-2E4625D7F1F0}
static const IID IID_IIVFileWriterParameters =
    { 0x173DAD40, 0xA0D3, 0x43E2, { 0xB1, 0xD5, 0x2E, 0x46, 0x25, 0xD7, 0xF1, 0xF0 } };
// {317DDB64-870E-11D3-9C32-00104B3801F7}
static const IID IID_IIVMultiplexerParameters =
    { 0x317DDB64, 0x870E, 0x11D3, { 0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF7 } };
// {B4ABF4A0-01BA-11D4-898C-00A0CC5211EF}
static const IID IID_IIVStillCaptureParameters =
    { 0xB4ABF4A0, 0x01BA, 0x11D4, { 0x89, 0x8C, 0x00, 0xA0, 0xCC, 0x52, 0x11, 0xEF } };
// {50359D21-EB57-4980-922F-B197311017AA}
static const IID IID_IIVDownScaleParameters =
    { 0x50359D21, 0xEB57, 0x4980, { 0x92, 0x2F, 0xB1, 0x97, 0x31, 0x10, 0x17, 0xAA } };
// {BD7EA3E2-2666-11D4-B269-00A0D21825FB}
static const IID IID_IIVTimeShift =
    { 0xBD7EA3E2, 0x2666, 0x11D4, { 0xB2, 0x69, 0x00, 0xA0, 0xD2, 0x18, 0x25, 0xFB } };

// One shape for every parameter interface. A value may be a pointer (a block
// the parameter fills or reads).
struct IIVParameters : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParameter(DWORD dwNumber, void* pValue) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetParameter(DWORD dwNumber, DWORD_PTR dwValue) = 0;
};

// The time-shift filter's settings record: folder and file name as COM
// strings, a size in kilobytes, a value the filter keeps, the size in bytes
// and a mode word.
struct IVTimeShiftSettings
{
    BSTR bstrFolder;
    BSTR bstrFileName;
    DWORD dwSize;
    DWORD dwKept;
    DWORD dwSizeBytes;
    DWORD dwMode;
};

static_assert(sizeof(IVTimeShiftSettings) == 2 * sizeof(BSTR) + 16, "time-shift settings record");
static_assert(offsetof(IVTimeShiftSettings, dwSize) == 2 * sizeof(BSTR), "size after the two strings");
static_assert(offsetof(IVTimeShiftSettings, dwMode) == 2 * sizeof(BSTR) + 12, "mode word last");

enum { IV_PATH_SIZE = 260 };

// Positions 3 to 21 after IUnknown's three; those the system never calls
// keep their places.
struct IIVTimeShift : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetSettings(IVTimeShiftSettings* pSettings) = 0;      // 3
    virtual HRESULT STDMETHODCALLTYPE SetSettings(IVTimeShiftSettings* pSettings) = 0;      // 4
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBufferRate(DWORD dwRate) = 0;                      // 9
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
    virtual HRESULT STDMETHODCALLTYPE Value13(DWORD dwValue) = 0;                           // 13
    virtual HRESULT STDMETHODCALLTYPE Value14(LONGLONG llValue, DWORD dwFlag) = 0;          // 14
    virtual HRESULT STDMETHODCALLTYPE Value15(DWORD dwValue) = 0;                           // 15
    virtual HRESULT STDMETHODCALLTYPE Value16(DWORD dwValue) = 0;                           // 16
    virtual HRESULT STDMETHODCALLTYPE Value17(DWORD dwValue) = 0;                           // 17
    virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0;
    virtual HRESULT STDMETHODCALLTYPE Action19() = 0;                                       // 19
    virtual HRESULT STDMETHODCALLTYPE Action20() = 0;                                       // 20
    virtual HRESULT STDMETHODCALLTYPE SetFile(char* pszPath) = 0;                           // 21
};
