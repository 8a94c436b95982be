#pragma once

#include "platform/sim/blackbird/BlackBirdSim.h"
#include "platform/sim/chipbus/SimEeprom.h"

#include <map>
#include <vector>

// The card every filter of the module drives: one chip bus with its EEPROM
// and PLL tuner, one crossbar, one decoder, one audio demodulator and one
// encoder, whichever filter instance touches them.
class CSimBlackBirdCard : public IBlackBirdSimControl
{
public:
    enum { ENCODER_PROPERTY_COUNT = 10 };

    static CSimBlackBirdCard& Instance();

    void Reset() override;
    void SetEepromTuner(char letter, BYTE type) override;
    void SetEepromByte(int offset, BYTE value) override;
    BYTE GetEepromByte(int offset) override;
    void SetStations(const SimStation* pStations, int count) override;
    void SetPllAddress(BYTE writeAddress) override;
    int GetBusEventCount() override;
    BOOL GetBusEvent(int index, SimBusEvent* pEvent) override;
    void ClearBusLog() override;
    BOOL IsOnStation() override;
    double GetTunedFrequency() override;
    LONG GetRoute(LONG output) override;
    LONG GetVideoStandard() override;
    LONG GetTVAudioMode() override;
    LONG GetTunerMode() override;
    void GetTunerChannel(LONG* pChannel, LONG* pVideo, LONG* pAudio) override;
    LONG GetProcAmp(LONG property) override;
    void SetCompanionsEnabled(BOOL bEnabled) override;
    int GetCompanionsMade() override;
    void SetCardControlSupported(BOOL bSupported) override;
    void RefuseEncoderProperty(DWORD id, HRESULT hr) override;
    int GetEncoderWriteCount() override;
    BOOL GetEncoderWrite(int index, DWORD* pId, BYTE* pData, DWORD cbData, DWORD* pcbWritten) override;
    void ClearEncoderLog() override;
    void SetEncoderPacing(BOOL bRealTime) override { m_bPacing = bRealTime; }
    void SetEncoderPasses(int nPasses) override { m_nPasses = nPasses; }
    void SetSourceStandard(LONG input, LONG standard) override;
    LONG GetSourceStandard(LONG input) override;
    void SetAudioPinEnabled(BOOL bEnabled) override { m_bAudioPin = bEnabled; }
    BOOL AudioPinEnabled() const { return m_bAudioPin; }
    BOOL EncoderPacing() const { return m_bPacing; }
    int EncoderPasses() const { return m_nPasses; }

    // The driver side, for the filters.
    CSimChipBus& Bus() { return m_bus; }
    CSimPllTuner& Pll() { return m_pll; }
    CRITICAL_SECTION* Lock() { return &m_cs; }

    HRESULT Route(LONG output, LONG input);
    void SetVideoStandard(LONG standard) { m_lVideoStandard = standard; }
    void SetTVAudioMode(LONG mode) { m_lTVAudioMode = mode; }
    void SetTunerMode(LONG mode) { m_lTunerMode = mode; }
    void SetTunerChannel(LONG channel, LONG video, LONG audio);
    void SetProcAmp(LONG property, LONG value);
    BOOL CompanionsEnabled() const { return m_bCompanions; }
    void CountCompanion() { InterlockedIncrement(&m_nCompanionsMade); }
    BOOL CardControlSupported() const { return m_bCardControl; }

    // The fixed length of an encoder property; 0 for an id the encoder lacks.
    static DWORD EncoderPropertyLength(DWORD id);
    HRESULT SetEncoderProperty(DWORD id, const BYTE* pData, DWORD cbData);
    HRESULT GetEncoderProperty(DWORD id, BYTE* pData, DWORD cbData, DWORD* pcbReturned);
    // The stream kind (id 9): 2 asks for an MPEG-1 system stream.
    DWORD GetStreamKind();

private:
    CSimBlackBirdCard();
    ~CSimBlackBirdCard() override;

    struct EncoderWrite
    {
        DWORD id;
        std::vector<BYTE> data;
    };

    CRITICAL_SECTION m_cs;
    CSimChipBus m_bus;
    CSimEeprom m_eeprom;
    CSimPllTuner m_pll;
    BYTE m_byPllAddress;
    LONG m_alRoutes[SIM_XBAR_OUTPUTS];
    LONG m_lVideoStandard;
    LONG m_lTVAudioMode;
    LONG m_lTunerMode;
    LONG m_lChannel;
    LONG m_lVideoSub;
    LONG m_lAudioSub;
    LONG m_alProcAmp[5];
    BOOL m_bCompanions;
    volatile LONG m_nCompanionsMade;
    BOOL m_bCardControl;
    std::vector<BYTE> m_aEncoderValues[ENCODER_PROPERTY_COUNT];
    std::map<DWORD, HRESULT> m_refusals;
    std::vector<EncoderWrite> m_encoderLog;
    BOOL m_bPacing;
    int m_nPasses;
    LONG m_alSourceStandards[SIM_XBAR_VIDEO_COMPOSITE + 1];
    BOOL m_bAudioPin;
};
