#pragma once

#include "dshow/FilterNode.h"
#include "dshow/MCEncoderControls.h"

// MainConcept's H.264 encoder. Its first four interfaces are the MPEG
// encoder's audio settings and parameters and multiplexer settings and
// parameters; two more of its own follow, and it writes its own file.
class CMCH264Encoder : public CFilterNode, public CMCAudioEncoderControl, public CMCMultiplexerControl
{
public:
    CMCH264Encoder(CDShowGraph* pGraph, REFCLSID clsid);
    CMCH264Encoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMCH264Encoder(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CMCH264Encoder() override;

    // TRUE only when all seven interfaces are there; the ones got stay held.
    BOOL Initfilter() override;

    BOOL GetMuxParameter(LONG lNumber, LONG* plValue);
    BOOL SetMuxParameter(LONG lNumber, LONG lValue);

    BOOL SettingsWords3(DWORD a, DWORD b, DWORD c);
    BOOL SettingsWords4(DWORD a, DWORD b, DWORD c);
    BOOL SettingsWord5(DWORD a);
    BOOL SetH264Settings(const MCH264EncoderSettings& settings);
    BOOL SettingsWords7(DWORD a, DWORD b, DWORD c);
    BOOL SettingsWords8(DWORD a, DWORD b);

    BOOL GetH264Parameter(LONG lNumber, LONG* plValue);
    BOOL SetH264Parameter(LONG lNumber, LONG lValue);

private:
    void ReleaseInterfaces();

    ComPtr<IMCParameters> m_pMuxParameters;
    ComPtr<IMCH264EncoderSettings> m_pH264Settings;
    ComPtr<IMCParameters> m_pH264Parameters;
};
