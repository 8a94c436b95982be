#include "dshow/MCEncoderControls.h"

#include "dshow/FileSinkName.h"
#include "dshow/InterfaceCall.h"

void CMCVideoEncoderControl::ReleaseVideoInterfaces()
{
    m_pVideoSettings.Reset();
    m_pVideoParameters.Reset();
}

BOOL CMCVideoEncoderControl::SetVideoValue1(LONG v)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Value1, v);
}

BOOL CMCVideoEncoderControl::SetVideoValue2(LONG v)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Value2, v);
}

BOOL CMCVideoEncoderControl::SetVideoValue3(LONG v)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Value3, v);
}

BOOL CMCVideoEncoderControl::SetVideoValue4(LONG v)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Value4, v);
}

BOOL CMCVideoEncoderControl::SetVideoValues5(LONG a, LONG b, LONG c)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Values5, a, b, c);
}

BOOL CMCVideoEncoderControl::SetVideoValues6(LONG a, LONG b, LONG c)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Values6, a, b, c);
}

BOOL CMCVideoEncoderControl::SetVideoValue7(LONG v)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Value7, v);
}

BOOL CMCVideoEncoderControl::SetVideoValue8(LONG v)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Value8, v);
}

BOOL CMCVideoEncoderControl::SetVideoValues9(LONG a, LONG b, LONG c, LONG d)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Values9, a, b, c, d);
}

BOOL CMCVideoEncoderControl::SetVideoValues13(LONG a, LONG b)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::Values13, a, b);
}

BOOL CMCVideoEncoderControl::GetVideoSettings(MCVideoSettings* pSettings)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::GetSettings, pSettings);
}

BOOL CMCVideoEncoderControl::SetVideoSettings(MCVideoSettings settings)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::SetSettings, settings);
}

BOOL CMCVideoEncoderControl::GetDefaultVideoSettings(LONG lType, LONG lPal, MCVideoSettings* pSettings)
{
    return CallIfHeld(m_pVideoSettings.Get(), &IMCVideoEncoderSettings::GetDefaultSettings, lType, lPal, pSettings);
}

BOOL CMCVideoEncoderControl::SetHeaderCode(LONG lCode)
{
    MCVideoSettings settings = {};
    if (!GetVideoSettings(&settings))
        return FALSE;
    WriteHeaderCode(&settings, lCode);
    return SetVideoSettings(settings);
}

void CMCVideoEncoderControl::WriteHeaderCode(MCVideoSettings* pSettings, LONG lCode)
{
    BYTE& header = pSettings->data[MCVIDEO_OFFSET_HEADER_CODE];
    header = static_cast<BYTE>((header & ~MCVIDEO_HEADER_CODE_MASK) | ((lCode << 1) & MCVIDEO_HEADER_CODE_MASK));
}

BOOL CMCVideoEncoderControl::GetVideoParameter(LONG lNumber, LONG* plValue)
{
    return CallIfHeld(m_pVideoParameters.Get(), &IMCParameters::GetParameter, lNumber, plValue);
}

BOOL CMCVideoEncoderControl::SetVideoParameter(LONG lNumber, LONG lValue)
{
    return CallIfHeld(m_pVideoParameters.Get(), &IMCParameters::SetParameter, lNumber, lValue);
}

BOOL CMCVideoEncoderControl::SetVideoParameter1(LONG lValue)
{
    return SetVideoParameter(1, lValue);
}

void CMCAudioEncoderControl::ReleaseAudioInterfaces()
{
    m_pAudioSettings.Reset();
    m_pAudioParameters.Reset();
}

BOOL CMCAudioEncoderControl::SetAudioValue1(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value1, v);
}

BOOL CMCAudioEncoderControl::SetAudioValue2(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value2, v);
}

BOOL CMCAudioEncoderControl::SetAudioValue3(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value3, v);
}

BOOL CMCAudioEncoderControl::SetAudioValue4(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value4, v);
}

BOOL CMCAudioEncoderControl::SetAudioValue5(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value5, v);
}

BOOL CMCAudioEncoderControl::SetAudioValue6(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value6, v);
}

BOOL CMCAudioEncoderControl::SetAudioValue7(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value7, v);
}

BOOL CMCAudioEncoderControl::SetAudioValue8(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value8, v);
}

BOOL CMCAudioEncoderControl::SetAudioValue9(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value9, v);
}

BOOL CMCAudioEncoderControl::SetAudioValue12(LONG v)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::Value12, v);
}

BOOL CMCAudioEncoderControl::SetAudioSettings(MCAudioSettings settings)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::SetSettings, settings);
}

BOOL CMCAudioEncoderControl::GetDefaultAudioSettings(LONG lType, MCAudioSettings* pSettings)
{
    return CallIfHeld(m_pAudioSettings.Get(), &IMCAudioEncoderSettings::GetDefaultSettings, lType, pSettings);
}

BOOL CMCAudioEncoderControl::GetAudioParameter(LONG lNumber, LONG* plValue)
{
    return CallIfHeld(m_pAudioParameters.Get(), &IMCParameters::GetParameter, lNumber, plValue);
}

BOOL CMCAudioEncoderControl::SetAudioParameter(LONG lNumber, LONG lValue)
{
    return CallIfHeld(m_pAudioParameters.Get(), &IMCParameters::SetParameter, lNumber, lValue);
}

BOOL CMCAudioEncoderControl::GetAudioParameter96(LONG* plValue)
{
    return GetAudioParameter(96, plValue);
}

BOOL CMCAudioEncoderControl::SetAudioParameter96(LONG lValue)
{
    return SetAudioParameter(96, lValue);
}

void CMCMultiplexerControl::ReleaseMuxInterfaces()
{
    m_pMuxSettings.Reset();
    m_pFileSink.Reset();
}

BOOL CMCMultiplexerControl::SetMuxValue1(LONG v)
{
    return CallIfHeld(m_pMuxSettings.Get(), &IMCMultiplexerSettings::Value1, v);
}

BOOL CMCMultiplexerControl::SetMuxValue2(LONG v)
{
    return CallIfHeld(m_pMuxSettings.Get(), &IMCMultiplexerSettings::Value2, v);
}

BOOL CMCMultiplexerControl::SetMuxValue3(LONG v)
{
    return CallIfHeld(m_pMuxSettings.Get(), &IMCMultiplexerSettings::Value3, v);
}

BOOL CMCMultiplexerControl::SetMuxSettings(MCMuxSettings settings)
{
    return CallIfHeld(m_pMuxSettings.Get(), &IMCMultiplexerSettings::SetSettings, settings);
}

BOOL CMCMultiplexerControl::SetMuxValues5(LONG a, LONG b)
{
    return CallIfHeld(m_pMuxSettings.Get(), &IMCMultiplexerSettings::Values5, a, b);
}

BOOL CMCMultiplexerControl::SetMultiplexType(LONG lType)
{
    return CallIfHeld(m_pMuxSettings.Get(), &IMCMultiplexerSettings::SetMultiplexType, lType);
}

BOOL CMCMultiplexerControl::SetFileName(LPCSTR pszPath)
{
    return SetSinkFileName(m_pFileSink.Get(), pszPath);
}

BOOL CMCMultiplexerControl::GetFileName(char* pszPath, int cbPath)
{
    return m_pFileSink && SUCCEEDED(GetSinkFileName(m_pFileSink.Get(), pszPath, cbPath));
}
