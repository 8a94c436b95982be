#pragma once

#include <dshow.h>

#include "dshow/MainConceptInterfaces.h"
#include "platform/dshow/ComPtr.h"

// The pass-through operations of MainConcept's MPEG settings interfaces,
// shared by the wrappers whose filters carry them (the combined encoder and
// the separate video encoder, audio encoder and multiplexer). Each returns
// FALSE when its interface is missing, else TRUE for any success code; the
// wrapper that derives from a control queries its interfaces.

class CMCVideoEncoderControl
{
public:
    BOOL SetVideoValue1(LONG v);
    BOOL SetVideoValue2(LONG v);
    BOOL SetVideoValue3(LONG v);
    BOOL SetVideoValue4(LONG v);
    BOOL SetVideoValues5(LONG a, LONG b, LONG c);
    BOOL SetVideoValues6(LONG a, LONG b, LONG c);
    BOOL SetVideoValue7(LONG v);
    BOOL SetVideoValue8(LONG v);
    BOOL SetVideoValues9(LONG a, LONG b, LONG c, LONG d);
    BOOL SetVideoValues13(LONG a, LONG b);
    BOOL GetVideoSettings(MCVideoSettings* pSettings);
    BOOL SetVideoSettings(MCVideoSettings settings);
    // pal: 1 PAL, 0 NTSC.
    BOOL GetDefaultVideoSettings(LONG lType, LONG lPal, MCVideoSettings* pSettings);
    // Replaces bits 1 to 4 of the header byte in the current block.
    BOOL SetHeaderCode(LONG lCode);
    BOOL GetVideoParameter(LONG lNumber, LONG* plValue);
    BOOL SetVideoParameter(LONG lNumber, LONG lValue);
    BOOL SetVideoParameter1(LONG lValue);

    // Puts the code into bits 1 to 4 of the block's header byte, keeping the others.
    static void WriteHeaderCode(MCVideoSettings* pSettings, LONG lCode);

protected:
    void ReleaseVideoInterfaces();

    ComPtr<IMCVideoEncoderSettings> m_pVideoSettings;
    ComPtr<IMCParameters> m_pVideoParameters;
};

class CMCAudioEncoderControl
{
public:
    BOOL SetAudioValue1(LONG v);
    BOOL SetAudioValue2(LONG v);
    BOOL SetAudioValue3(LONG v);
    BOOL SetAudioValue4(LONG v);
    BOOL SetAudioValue5(LONG v);
    BOOL SetAudioValue6(LONG v);
    BOOL SetAudioValue7(LONG v);
    BOOL SetAudioValue8(LONG v);
    BOOL SetAudioValue9(LONG v);
    BOOL SetAudioValue12(LONG v);
    BOOL SetAudioSettings(MCAudioSettings settings);
    BOOL GetDefaultAudioSettings(LONG lType, MCAudioSettings* pSettings);
    BOOL GetAudioParameter(LONG lNumber, LONG* plValue);
    BOOL SetAudioParameter(LONG lNumber, LONG lValue);
    BOOL GetAudioParameter96(LONG* plValue);
    BOOL SetAudioParameter96(LONG lValue);

protected:
    void ReleaseAudioInterfaces();

    ComPtr<IMCAudioEncoderSettings> m_pAudioSettings;
    ComPtr<IMCParameters> m_pAudioParameters;
};

class CMCMultiplexerControl
{
public:
    BOOL SetMuxValue1(LONG v);
    BOOL SetMuxValue2(LONG v);
    BOOL SetMuxValue3(LONG v);
    BOOL SetMuxSettings(MCMuxSettings settings);
    BOOL SetMuxValues5(LONG a, LONG b);
    BOOL SetMultiplexType(LONG lType);
    // The output file, ANSI (may be null).
    BOOL SetFileName(LPCSTR pszPath);
    // Converts the current file name into pszPath (cbPath bytes, cut to fit).
    BOOL GetFileName(char* pszPath, int cbPath);

protected:
    void ReleaseMuxInterfaces();

    ComPtr<IMCMultiplexerSettings> m_pMuxSettings;
    ComPtr<IFileSinkFilter> m_pFileSink;
};
