#pragma once

#include <windows.h>
#include <unknwn.h>

#include <stddef.h>

// The private interfaces of the Ligos MPEG capture encoder and transcoder,
// called by vtable position.

// {55A4D441-6429-11D5-8737-0010A4E9FF94}
static const IID IID_ILigosCaptureEncoder =
    { 0x55A4D441, 0x6429, 0x11D5, { 0x87, 0x37, 0x00, 0x10, 0xA4, 0xE9, 0xFF, 0x94 } };
// {FF12DF30-9702-4438-9B45-F64D191DCE69}
static const IID IID_ILigosTranscoder =
    { 0xFF12DF30, 0x9702, 0x4438, { 0x9B, 0x45, 0xF6, 0x4D, 0x19, 0x1D, 0xCE, 0x69 } };
// {3A75AC56-95CA-4CA2-B96A-A84C4F3E0866}
static const IID IID_ILigosTranscodeOptions =
    { 0x3A75AC56, 0x95CA, 0x4CA2, { 0xB9, 0x6A, 0xA8, 0x4C, 0x4F, 0x3E, 0x08, 0x66 } };

// The encoders' configuration record, crossing to the filter byte for byte:
// 57 little-endian 32-bit fields. The last two are also passed by pointer.
struct LigosConfig
{
    DWORD fields[57];
};

enum
{
    LIGOS_OFFSET_PROFILE = 0,
    LIGOS_OFFSET_BIT_RATE = 16,
    LIGOS_OFFSET_PRESET_VALUE = 36,
    LIGOS_OFFSET_SAMPLE_RATE = 52,
    LIGOS_OFFSET_WIDTH = 124,
    LIGOS_OFFSET_LINES = 128,
    LIGOS_OFFSET_FRAME_RATE = 156,
    LIGOS_OFFSET_EXTRA1 = 220,
    LIGOS_OFFSET_EXTRA2 = 224,
};

static_assert(sizeof(LigosConfig) == 228, "Ligos configuration record");
static_assert(offsetof(LigosConfig, fields[LIGOS_OFFSET_EXTRA1 / 4]) == 220, "first extra value");
static_assert(offsetof(LigosConfig, fields[LIGOS_OFFSET_EXTRA2 / 4]) == 224, "second extra value");
static_assert(LIGOS_OFFSET_EXTRA2 + 4 == sizeof(LigosConfig), "the extra values close the record");

struct ILigosCaptureEncoder : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetConfig(LigosConfig* pConfig, DWORD* pExtra1, DWORD* pExtra2) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConfig(LigosConfig* pConfig, DWORD* pExtra1, DWORD* pExtra2) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue2(DWORD a, DWORD b) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue1(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetTriple(DWORD a, DWORD b, DWORD c) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue3(DWORD a) = 0;
};

struct ILigosTranscoder : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetConfig(LigosConfig* pConfig, void* pReserved, DWORD* pExtra1,
                                                DWORD* pExtra2) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConfig(LigosConfig* pConfig, void* pReserved, DWORD* pExtra1,
                                                DWORD* pExtra2) = 0;
    // Present in the filter; the system never calls it.
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue(DWORD a) = 0;
};

struct ILigosTranscodeOptions : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE OptionMethod1(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE OptionMethod2(DWORD a) = 0;
};
