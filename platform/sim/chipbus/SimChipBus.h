#pragma once

#include <windows.h>

#include <vector>

// A capture card's chips as its driver sees them: an I2C bus with chips at
// 8-bit addresses, GPIO lines and 32-bit bridge registers. Every transaction
// is logged so a test can assert the exact bytes.

// One I2C chip. Addresses are write addresses (even).
class ISimI2CChip
{
public:
    virtual ~ISimI2CChip() {}
    // A write transaction: the bytes after the address byte.
    virtual void OnWrite(const BYTE* pData, int count) = 0;
    // A read transaction: fills count bytes.
    virtual void OnRead(BYTE* pData, int count) = 0;
};

// A device on the GPIO lines beside the host (a card microcontroller): it
// hears every change the host makes and may drive lines of its own.
class ISimGpioDevice
{
public:
    virtual ~ISimGpioDevice() {}
    // The lines as the host's outputs now stand.
    virtual void OnGpioWrite(DWORD lines) = 0;
    // What a read finds, given the lines without the device.
    virtual DWORD OnGpioRead(DWORD lines) = 0;
};

enum SimBusEventKind
{
    SIM_I2C_WRITE = 1,   // address = write address, data = bytes after it
    SIM_I2C_READ = 2,    // address = read address, data = bytes read
    SIM_I2C_NACK = 3,    // address byte nobody acknowledged
    SIM_GPIO_WRITE = 4,  // value, mask
    SIM_GPIO_READ = 5,   // value
    SIM_REG_WRITE = 6,   // reg, value
    SIM_REG_READ = 7,    // reg, value
    SIM_COMMAND = 8,     // reg = command number, value = its argument
};

// A logged transaction; plain data so it can cross module boundaries.
struct SimBusEvent
{
    int kind;
    BYTE address;
    int count;
    BYTE data[256];
    DWORD reg;
    DWORD value;
    DWORD mask;
};

class CSimChipBus
{
public:
    CSimChipBus();
    ~CSimChipBus();

    // The bus does not own its chips.
    void AttachChip(BYTE writeAddress, ISimI2CChip* pChip);
    void DetachChip(BYTE writeAddress);
    ISimI2CChip* FindChip(BYTE address) const;

    // Whole transactions (the driver's block transfers). A missing chip is
    // logged as a NACK and answers FALSE.
    BOOL I2CWrite(BYTE address, const BYTE* pData, int count);
    BOOL I2CRead(BYTE address, BYTE* pData, int count);

    // Single-byte primitives of drivers that drive the bus condition by
    // condition. A transaction is logged when it ends (stop or repeated start).
    void Start();
    void Stop();
    BOOL WriteByte(BYTE value);
    BYTE ReadByte();

    // GPIO lines: the inputs are what the card drives itself (key lines, a
    // ready line); outputs keep what was written under the mask.
    DWORD ReadGpio();
    void WriteGpio(DWORD value, DWORD mask);
    void SetGpioInputs(DWORD inputs, DWORD inputMask);
    // The bus does not own the device; null takes it off.
    void AttachGpioDevice(ISimGpioDevice* pDevice);

    // Bridge registers; 0x1B0/0x1B4 are the GPIO mask and value of a 713x
    // bridge: a write to 0x1B4 changes the lines selected in 0x1B0.
    DWORD ReadRegister(DWORD reg);
    void WriteRegister(DWORD reg, DWORD value);

    void LogCommand(DWORD command, DWORD argument);

    // The log, oldest first.
    int GetEventCount() const;
    BOOL GetEvent(int index, SimBusEvent* pEvent) const;
    void ClearLog();

private:
    void Log(const SimBusEvent& event);
    DWORD GpioLines();
    void FlushTransaction();

    struct ChipEntry
    {
        BYTE address;
        ISimI2CChip* pChip;
    };

    mutable CRITICAL_SECTION m_cs;
    std::vector<ChipEntry> m_chips;
    std::vector<SimBusEvent> m_log;
    DWORD m_gpioOutputs;
    DWORD m_gpioInputs;
    DWORD m_gpioInputMask;
    ISimGpioDevice* m_pGpioDevice;
    std::vector<std::pair<DWORD, DWORD> > m_registers;

    // The transaction in progress of the single-byte primitives.
    bool m_bInTransaction;
    bool m_bHaveAddress;
    bool m_bAcked;
    BYTE m_byAddress;
    std::vector<BYTE> m_pending;
};
