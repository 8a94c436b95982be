#pragma once

#include "platform/sim/chipbus/SimChipBus.h"
#include "platform/sim/chipbus/SimEeprom.h"
#include "platform/sim/chipbus/SimIfDemod.h"
#include "platform/sim/chipbus/SimMcu.h"
#include "platform/sim/chipbus/SimPllTuner.h"

// What a test may change and read on a simulated card that lives in a filter
// DLL. The card's filters hand it out as a pointer through the private
// property below; calls stay in the process, arguments are plain data.
class ISimCardControl
{
public:
    virtual void SetStations(const SimStation* pStations, int count) = 0;
    virtual void SetTunerConfig(const CSimPllTuner::Config& config) = 0;
    virtual void SetEepromTuner(char letter, BYTE type) = 0;
    virtual void SetGpioInputs(DWORD inputs, DWORD inputMask) = 0;
    virtual int GetEventCount() = 0;
    virtual BOOL GetEvent(int index, SimBusEvent* pEvent) = 0;
    virtual void ClearLog() = 0;
    // The I2C chip at an address, or null (to look at a chip's state).
    virtual ISimI2CChip* GetChip(BYTE address) = 0;
    // One byte of the EEPROM or of the register chip.
    virtual void SetEepromByte(BYTE offset, BYTE value) = 0;
    virtual void SetRegisterChipByte(BYTE offset, BYTE value) = 0;
    virtual BYTE GetRegisterChipByte(BYTE offset) = 0;
    // The card microcontroller, on cards that carry one.
    virtual void PressMcuKey(BYTE key, int reads) = 0;
    virtual WORD GetMcuValue() = 0;
    virtual void SetMcuSilent(BOOL bSilent) = 0;

protected:
    ~ISimCardControl() {}
};

// {6E0F1B52-8C7A-4F3D-9A41-2B5D7C3E9F10}: property 1 (Get) returns the card's
// ISimCardControl pointer in the first pointer-sized bytes of the data.
extern const GUID PROPSETID_SimCardControl;
enum { SIMCARD_PROPERTY_CONTROL = 1 };

// One byte of a card's EEPROM as the card maker wrote it.
struct SimEepromByte
{
    BYTE offset;
    BYTE value;
};

// Where a card's chips sit (write addresses; 0 leaves a chip off the bus) and
// what its EEPROM holds. A card without a table entry has the defaults.
struct SimCardChips
{
    BYTE pllAddress;          // the tuner
    BYTE secondPllAddress;    // a second tuner channel, or 0
    BYTE eepromAddress;
    BYTE demodAddress;
    BYTE registerChipAddress; // a plain register file (a video decoder), or 0
    char tunerLetter;         // the EEPROM's tuner record
    BYTE tunerType;
    const SimEepromByte* pEepromBytes;
    int eepromByteCount;
    int mcuLanes;             // a microcontroller on the GPIO lines: SIM_MCU_*
};

enum { SIM_MCU_NONE = 0, SIM_MCU_STRAIGHT = 1, SIM_MCU_SPLIT = 2 };

// A TV card's chips as a driver serves them: a PLL tuner at 0xC0, the card's
// EEPROM at 0xA0 naming the tuner, an IF demodulator at 0x86, GPIO lines and
// bridge registers, or the chips its SimCardChips names. It answers the
// driver's private vendor property set and the kernel-streaming requests of
// the bus commands; the other drivers' requests are served over Bus().
class CSimTVCard : public ISimCardControl
{
public:
    enum { PLL_ADDRESS = 0xC0, EEPROM_ADDRESS = 0xA0, DEMOD_ADDRESS = 0x86 };

    CSimTVCard();
    explicit CSimTVCard(const SimCardChips& chips);
    virtual ~CSimTVCard();

    CSimChipBus& Bus() { return m_bus; }
    CSimPllTuner& Pll() { return m_pll; }
    CSimPllTuner& SecondPll() { return m_pll2; }
    CSimEeprom& Eeprom() { return m_eeprom; }
    CSimEeprom& RegisterChip() { return m_registers; }
    // Held across a driver request that takes several bus transactions.
    CRITICAL_SECTION* Lock() { return &m_cs; }

    // The vendor set {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}.
    HRESULT VendorGet(DWORD id, BYTE* pData, DWORD cbData);
    HRESULT VendorSet(DWORD id, BYTE* pData, DWORD cbData);
    // One IOCTL_KS_PROPERTY request of the set {C44A1A10-0A37-11D2-8328-006097BA83AB}.
    HRESULT KsRequest(ULONG ioControl, BYTE* pIn, ULONG inLength, BYTE* pOut, ULONG outLength);

    void SetStations(const SimStation* pStations, int count) override;
    void SetTunerConfig(const CSimPllTuner::Config& config) override;
    void SetEepromTuner(char letter, BYTE type) override;
    void SetGpioInputs(DWORD inputs, DWORD inputMask) override;
    int GetEventCount() override;
    BOOL GetEvent(int index, SimBusEvent* pEvent) override;
    void ClearLog() override;
    ISimI2CChip* GetChip(BYTE address) override;
    void SetEepromByte(BYTE offset, BYTE value) override;
    void SetRegisterChipByte(BYTE offset, BYTE value) override;
    BYTE GetRegisterChipByte(BYTE offset) override;
    void PressMcuKey(BYTE key, int reads) override;
    WORD GetMcuValue() override;
    void SetMcuSilent(BOOL bSilent) override;

private:
    void Build(const SimCardChips& chips);

    CRITICAL_SECTION m_cs;
    CSimChipBus m_bus;
    CSimPllTuner m_pll;
    CSimPllTuner m_pll2;
    CSimEeprom m_eeprom;
    CSimEeprom m_registers;
    CSimIfDemod m_demod;
    CSimMcu* m_pMcu;
    DWORD m_ksSetting;
};
