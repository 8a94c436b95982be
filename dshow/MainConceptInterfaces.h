#pragma once

#include <windows.h>
#include <unknwn.h>

#include <stddef.h>

// The private interfaces of MainConcept's MPEG and H.264 filters, called by
// vtable position. Only the methods whose meaning we know carry named
// arguments; the others keep their places with plain 32-bit words.

// {2BE4D151-...}, {2BE4D152-...}, {2BE4D153-...}: video, audio, multiplexer settings.
static const IID IID_IMCVideoEncoderSettings =
    { 0x2BE4D151, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMCAudioEncoderSettings =
    { 0x2BE4D152, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMCMultiplexerSettings =
    { 0x2BE4D153, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// Parameter interfaces, all of one shape.
static const IID IID_IMCVideoEncoderParameters =
    { 0x2BE4D154, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMCAudioEncoderParameters =
    { 0x2BE4D155, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMCMultiplexerParameters =
    { 0x2BE4D156, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMCSplitterParameters =
    { 0x2BE4D121, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMCVideoDecoderParameters =
    { 0x2BE4D142, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMCVideoDecoderConfig =
    { 0x2BE4D141, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// The H.264 filters' own interfaces.
static const IID IID_IMCH264DecoderConfig =
    { 0x7C0D0341, 0x71D5, 0x4E7E, { 0xA7, 0x7F, 0x20, 0x59, 0xA2, 0xE5, 0xAF, 0x57 } };
static const IID IID_IMCH264EncoderSettings =
    { 0x7C0D0351, 0x71D5, 0x4E7E, { 0xA7, 0x7F, 0x20, 0x59, 0xA2, 0xE5, 0xAF, 0x57 } };
static const IID IID_IMCH264EncoderParameters =
    { 0x7C0D0354, 0x71D5, 0x4E7E, { 0xA7, 0x7F, 0x20, 0x59, 0xA2, 0xE5, 0xAF, 0x57 } };

#pragma pack(push, 1)
// The video encoder's own settings record, exchanged whole.
struct MCVideoSettings
{
    BYTE data[877];
};
// The audio encoder's record: nine 32-bit fields.
struct MCAudioSettings
{
    LONG fields[9];
};
// The multiplexer's record: twenty-seven 32-bit fields.
struct MCMuxSettings
{
    LONG fields[27];
};
#pragma pack(pop)

// The MPEG video decoder's configuration record of ten 32-bit fields; the
// first is the record's size, which the decoder checks.
struct MCVideoDecoderConfig
{
    DWORD fields[10];
};
// The H.264 decoder's record of ten words.
struct MCH264DecoderBlock
{
    DWORD words[10];
};
// The H.264 encoder's settings block, exchanged whole by address.
struct MCH264EncoderSettings
{
    BYTE data[8320];
};

enum
{
    MCVIDEO_OFFSET_VCD_FLAG = 48,
    MCVIDEO_OFFSET_BIT_RATE = 64,
    MCVIDEO_OFFSET_MAX_BIT_RATE = 72,
    MCVIDEO_OFFSET_WIDTH = 408,
    MCVIDEO_OFFSET_HEIGHT = 412,
    MCVIDEO_OFFSET_HEADER_CODE = 812,
    MCVIDEO_OFFSET_BIT_RATE_COPY = 821,
    // Bits 1 to 4 of the header byte hold the header code.
    MCVIDEO_HEADER_CODE_MASK = 0x1E,
};

static_assert(sizeof(MCVideoSettings) == 877, "video settings block");
static_assert(MCVIDEO_OFFSET_BIT_RATE_COPY + sizeof(double) <= sizeof(MCVideoSettings), "bit rate copy inside the block");
static_assert(sizeof(MCAudioSettings) == 36, "audio settings record");
static_assert(sizeof(MCMuxSettings) == 108, "multiplexer record");
static_assert(sizeof(MCVideoDecoderConfig) == 40, "video decoder configuration record");
static_assert(offsetof(MCVideoDecoderConfig, fields[4]) == 16, "fifth field of the configuration record");
static_assert(sizeof(MCH264DecoderBlock) == 40, "H.264 decoder block");
static_assert(sizeof(MCH264EncoderSettings) == 8320, "H.264 encoder settings block");

struct IMCVideoEncoderSettings : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Value1(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value2(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value3(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value4(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Values5(LONG a, LONG b, LONG c) = 0;
    virtual HRESULT STDMETHODCALLTYPE Values6(LONG a, LONG b, LONG c) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value7(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value8(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Values9(LONG a, LONG b, LONG c, LONG d) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSettings(MCVideoSettings* pSettings) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSettings(MCVideoSettings settings) = 0;
    // Standard flag: 1 PAL, 0 NTSC.
    virtual HRESULT STDMETHODCALLTYPE GetDefaultSettings(LONG lType, LONG lPal, MCVideoSettings* pSettings) = 0;
    virtual HRESULT STDMETHODCALLTYPE Values13(LONG a, LONG b) = 0;
};

// Also the H.264 encoder's first interface.
struct IMCAudioEncoderSettings : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Value1(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value2(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value3(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value4(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value5(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value6(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value7(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value8(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value9(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSettings(MCAudioSettings settings) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultSettings(LONG lType, MCAudioSettings* pSettings) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value12(LONG v) = 0;
};

// Also the H.264 encoder's third interface.
struct IMCMultiplexerSettings : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Value1(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value2(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value3(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSettings(MCMuxSettings settings) = 0;
    virtual HRESULT STDMETHODCALLTYPE Values5(LONG a, LONG b) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMultiplexType(LONG lType) = 0;
};

// The shape of every parameter interface, the H.264 encoder's included.
struct IMCParameters : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParameter(LONG lNumber, LONG* plValue) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetParameter(LONG lNumber, LONG lValue) = 0;
};

struct IMCVideoDecoderConfig : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Values1(LONG a, LONG b) = 0;
    virtual HRESULT STDMETHODCALLTYPE Values2(LONG a, LONG b) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnableOutputFormat(DWORD dwFourCC, BOOL bEnable) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConfig(MCVideoDecoderConfig* pConfig) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetConfig(MCVideoDecoderConfig* pConfig) = 0;
};

struct IMCH264DecoderConfig : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Words3(DWORD a, DWORD b) = 0;
    virtual HRESULT STDMETHODCALLTYPE Words4(DWORD a, DWORD b) = 0;
    virtual HRESULT STDMETHODCALLTYPE Words5(DWORD a, DWORD b) = 0;
    virtual HRESULT STDMETHODCALLTYPE Word6(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Block7(MCH264DecoderBlock* pBlock) = 0;
};

struct IMCH264EncoderSettings : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Words3(DWORD a, DWORD b, DWORD c) = 0;
    virtual HRESULT STDMETHODCALLTYPE Words4(DWORD a, DWORD b, DWORD c) = 0;
    virtual HRESULT STDMETHODCALLTYPE Word5(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSettings(const MCH264EncoderSettings* pSettings) = 0;
    virtual HRESULT STDMETHODCALLTYPE Words7(DWORD a, DWORD b, DWORD c) = 0;
    virtual HRESULT STDMETHODCALLTYPE Words8(DWORD a, DWORD b) = 0;
};
