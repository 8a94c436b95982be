#pragma once

#include <windows.h>

#include "platform/sim/chipbus/SimChipBus.h"
#include "platform/sim/chipbus/SimPllTuner.h"

// What a test sees of the simulated BlackBird card: the one card model that
// every filter of OndrixBlackBird.ax shares. Reached through the module's
// export "BlackBirdSimControl" once COM has loaded the module.

// {6F0D1A01-5B2C-4E7A-9C31-8A4B2D10BB01} .. {...BB05}
static const CLSID CLSID_SimBlackBirdCapture =
    { 0x6F0D1A01, 0x5B2C, 0x4E7A, { 0x9C, 0x31, 0x8A, 0x4B, 0x2D, 0x10, 0xBB, 0x01 } };
static const CLSID CLSID_SimBlackBirdTuner =
    { 0x6F0D1A01, 0x5B2C, 0x4E7A, { 0x9C, 0x31, 0x8A, 0x4B, 0x2D, 0x10, 0xBB, 0x02 } };
static const CLSID CLSID_SimBlackBirdCrossbar =
    { 0x6F0D1A01, 0x5B2C, 0x4E7A, { 0x9C, 0x31, 0x8A, 0x4B, 0x2D, 0x10, 0xBB, 0x03 } };
static const CLSID CLSID_SimBlackBirdTVAudio =
    { 0x6F0D1A01, 0x5B2C, 0x4E7A, { 0x9C, 0x31, 0x8A, 0x4B, 0x2D, 0x10, 0xBB, 0x04 } };
static const CLSID CLSID_SimBlackBirdEncoder =
    { 0x6F0D1A01, 0x5B2C, 0x4E7A, { 0x9C, 0x31, 0x8A, 0x4B, 0x2D, 0x10, 0xBB, 0x05 } };

// The driver's card-control set on the tuner filter.
static const GUID SIMPROPSETID_BlackBirdCard =
    { 0xB9433C39, 0x8511, 0x4660, { 0xA2, 0xED, 0xE0, 0x91, 0x14, 0x56, 0xDF, 0x74 } };
// The encoder's parameter set.
static const GUID SIMPROPSETID_BlackBirdEncoder =
    { 0xD2185A40, 0x0398, 0x11D3, { 0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A } };

// Crossbar pins in IAMCrossbar numbering: inputs 0-4, outputs 0-1.
enum
{
    SIM_XBAR_VIDEO_TUNER = 0,
    SIM_XBAR_VIDEO_SVIDEO = 1,
    SIM_XBAR_VIDEO_COMPOSITE = 2,
    SIM_XBAR_AUDIO_TUNER = 3,
    SIM_XBAR_AUDIO_LINE = 4,
    SIM_XBAR_INPUTS = 5,
    SIM_XBAR_OUT_VIDEO = 0,
    SIM_XBAR_OUT_AUDIO = 1,
    SIM_XBAR_OUTPUTS = 2,
};

class IBlackBirdSimControl
{
public:
    // Back to a card fresh from the factory: EEPROM 'T'/type 4, PLL at 0xC0,
    // one station at 471250 kHz, routes to the tuner, PAL_D, empty logs,
    // encoder defaults, nothing refused, companions on.
    virtual void Reset() = 0;
    virtual void SetEepromTuner(char letter, BYTE type) = 0;
    virtual void SetEepromByte(int offset, BYTE value) = 0;
    virtual BYTE GetEepromByte(int offset) = 0;
    virtual void SetStations(const SimStation* pStations, int count) = 0;
    // Moves the PLL tuner to another write address (0 removes it from the bus).
    virtual void SetPllAddress(BYTE writeAddress) = 0;

    virtual int GetBusEventCount() = 0;
    virtual BOOL GetBusEvent(int index, SimBusEvent* pEvent) = 0;
    virtual void ClearBusLog() = 0;
    virtual BOOL IsOnStation() = 0;
    virtual double GetTunedFrequency() = 0;

    virtual LONG GetRoute(LONG output) = 0;
    virtual LONG GetVideoStandard() = 0;
    virtual LONG GetTVAudioMode() = 0;
    virtual LONG GetTunerMode() = 0;
    virtual void GetTunerChannel(LONG* pChannel, LONG* pVideo, LONG* pAudio) = 0;
    virtual LONG GetProcAmp(LONG property) = 0;

    // Whether the capture filter brings its tuner, crossbar and TV-audio
    // filters into a graph it joins (a card without them: FALSE).
    virtual void SetCompanionsEnabled(BOOL bEnabled) = 0;
    // How many companions of each kind the capture filter has made so far.
    virtual int GetCompanionsMade() = 0;
    // Whether the tuner filter answers the card-control set.
    virtual void SetCardControlSupported(BOOL bSupported) = 0;

    // An encoder property id that Set (and Get) answer with hr; S_OK accepts.
    virtual void RefuseEncoderProperty(DWORD id, HRESULT hr) = 0;
    virtual int GetEncoderWriteCount() = 0;
    // The id, bytes and length of write number index (oldest first).
    virtual BOOL GetEncoderWrite(int index, DWORD* pId, BYTE* pData, DWORD cbData, DWORD* pcbWritten) = 0;
    virtual void ClearEncoderLog() = 0;
    // FALSE lets the encoder's packs out as fast as they are taken (a test
    // that needs many passes); TRUE (the default) paces them in real time.
    virtual void SetEncoderPacing(BOOL bRealTime) = 0;
    // Passes of the clip before the stream ends; 0 (the default) never ends.
    virtual void SetEncoderPasses(int nPasses) = 0;

    // The standard a video input (SIM_XBAR_VIDEO_*) receives: every station
    // for the tuner, the outside source for the others (PAL_D after Reset).
    virtual void SetSourceStandard(LONG input, LONG standard) = 0;
    virtual LONG GetSourceStandard(LONG input) = 0;
    // Whether a capture filter made from now on has an "Audio" pin with the
    // decoded sound as PCM (off after Reset, as on the real card).
    virtual void SetAudioPinEnabled(BOOL bEnabled) = 0;

protected:
    virtual ~IBlackBirdSimControl() {}
};

typedef IBlackBirdSimControl* (WINAPI* PFN_BLACKBIRD_SIM_CONTROL)();
