#pragma once
#include <windows.h>
#include <unknwn.h>

#include <stddef.h>

// The MPEG filters' class identifiers and control interfaces, as their makers
// declare them.

// {2BE4D150-...}, {2BE4D180-...}, {2BE4D120-...}: encoder, multiplexer, splitter.
static const CLSID CLSID_McMpegEncoder = { 0x2BE4D150, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const CLSID CLSID_McMpegMuxer = { 0x2BE4D180, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// {2BE4D140-...}, {2BE4D130-...}: video and audio decoder.
static const CLSID CLSID_McVideoDecoder = { 0x2BE4D140, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const CLSID CLSID_McAudioDecoder = { 0x2BE4D130, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMcVideoDecoderConfig = { 0x2BE4D141, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMcVideoDecoderParams = { 0x2BE4D142, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const CLSID CLSID_McMpegSplitter = { 0x2BE4D120, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

static const IID IID_IMcVideoConfig = { 0x2BE4D151, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMcAudioConfig = { 0x2BE4D152, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMcMuxConfig = { 0x2BE4D153, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMcVideoParams = { 0x2BE4D154, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMcAudioParams = { 0x2BE4D155, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMcMuxParams = { 0x2BE4D156, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
static const IID IID_IMcSplitterParams = { 0x2BE4D121, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

#pragma pack(push, 1)
// The video encoder's settings, 877 bytes.
struct McVideoConfig
{
    BYTE reserved0[48];
    LONG vcdCompliant;          // 48
    BYTE reserved52[12];
    double bitRate;             // 64
    double maxBitRate;          // 72
    BYTE reserved80[328];
    LONG width;                 // 408
    LONG height;                // 412
    BYTE reserved416[396];
    BYTE sequenceFlags;         // 812: bits 1 to 4 the sequence header code
    BYTE reserved813[8];
    double bitRateCopy;         // 821
    BYTE reserved829[48];
};
// The audio encoder's settings: channel mode (0 stereo, 3 single), layer,
// sample rate (0: the input's), bit-rate index (Layer II table), five more.
struct McAudioConfig
{
    LONG mode;
    LONG layer;
    LONG sampleRate;
    LONG bitRateIndex;
    LONG more[5];
};
struct McMuxConfig
{
    LONG fields[27];
};
#pragma pack(pop)

static_assert(sizeof(McVideoConfig) == 877, "video settings");
static_assert(offsetof(McVideoConfig, vcdCompliant) == 48 && offsetof(McVideoConfig, bitRate) == 64 &&
                  offsetof(McVideoConfig, maxBitRate) == 72 && offsetof(McVideoConfig, width) == 408 &&
                  offsetof(McVideoConfig, height) == 412 && offsetof(McVideoConfig, sequenceFlags) == 812 &&
                  offsetof(McVideoConfig, bitRateCopy) == 821,
              "video settings fields");
static_assert(sizeof(McAudioConfig) == 36 && sizeof(McMuxConfig) == 108, "audio and multiplexer settings");

struct IMcVideoConfig : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetGopLength(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBFrames(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetQuality(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAspect(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFrameSize(LONG width, LONG height, LONG flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCrop(LONG left, LONG top, LONG flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetInterlace(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMotionSearch(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetRateControl(LONG mode, LONG rate, LONG maxRate, LONG buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConfig(McVideoConfig* pConfig) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetConfig(McVideoConfig config) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaults(LONG type, LONG pal, McVideoConfig* pConfig) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPulldown(LONG a, LONG b) = 0;
};

struct IMcAudioConfig : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetValue(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue2(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue3(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue4(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue5(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue6(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue7(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue8(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue9(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetConfig(McAudioConfig config) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaults(LONG type, McAudioConfig* pConfig) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue12(LONG v) = 0;
};

struct IMcMuxConfig : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetValue(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue2(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue3(LONG v) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetConfig(McMuxConfig config) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPair(LONG a, LONG b) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetType(LONG type) = 0;
};

struct IMcParams : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParam(LONG number, LONG* pValue) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetParam(LONG number, LONG value) = 0;
};

// The video decoder's configuration record: ten 32-bit fields, the first
// its size.
struct McVideoDecoderConfig
{
    DWORD fields[10];
};

struct IMcVideoDecoderConfig : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Values1(LONG a, LONG b) = 0;
    virtual HRESULT STDMETHODCALLTYPE Values2(LONG a, LONG b) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnableOutputFormat(DWORD dwFourCC, BOOL bEnable) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConfig(McVideoDecoderConfig* pConfig) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetConfig(McVideoDecoderConfig* pConfig) = 0;
};
