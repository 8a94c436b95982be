#pragma once

#include <windows.h>
#include <unknwn.h>

#include <stddef.h>

// The settings interfaces of MainConcept's MPEG filters, called by vtable
// position. Only the methods the wrappers call carry their real arguments;
// the others keep their places.

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
static const IID IID_IMCVideoDecoderParameters =
    { 0x2BE4D142, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMCVideoDecoderConfig =
    { 0x2BE4D141, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

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
#pragma pack(pop)

static_assert(sizeof(MCVideoSettings) == 877, "video settings block");
static_assert(sizeof(MCAudioSettings) == 36, "audio settings record");

enum
{
    MCVIDEO_OFFSET_VCD_FLAG = 48,
    MCVIDEO_OFFSET_BIT_RATE = 64,
    MCVIDEO_OFFSET_MAX_BIT_RATE = 72,
    MCVIDEO_OFFSET_WIDTH = 408,
    MCVIDEO_OFFSET_HEIGHT = 412,
    MCVIDEO_OFFSET_HEADER_CODE = 812,
    MCVIDEO_OFFSET_BIT_RATE_COPY = 821,
};

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

struct IMCMultiplexerSettings : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Value1(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value2(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value3(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetRecord(const void* pRecord) = 0;
    virtual HRESULT STDMETHODCALLTYPE Values5(LONG a, LONG b) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMultiplexType(LONG lType) = 0;
};

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
    virtual HRESULT STDMETHODCALLTYPE GetConfig(BYTE* pRecord40) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetConfig(const BYTE* pRecord40) = 0;
};
