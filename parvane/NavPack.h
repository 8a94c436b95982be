#pragma once

#include <windows.h>

// One DVD-Video navigation pack (pack header, system header, PCI and DSI packets) built in
// memory; the caller fills its times and addresses and writes the bytes itself.
class CNavPack
{
public:
    enum { kPackSize = 2048, kSystemHeaderRoom = 24 };

    CNavPack();
    virtual ~CNavPack();

    BOOL IsOk() const { return m_pack != 0; }
    BYTE* GetPack() { return m_pack; }

    void Layout();
    // Copies over the system header (start code included); FALSE when it would not fit.
    BOOL SetSystemHeader(const void* src, int length);
    void SetScr(double seconds);
    void SetLbn(DWORD lbn);
    void SetPtm(DWORD startPtm, DWORD endPtm);
    void SetTime(double seconds, double framesPerSecond);
    void SetVobuAddress(DWORD end, DWORD ref1End, DWORD ref2End, DWORD ref3End);

private:
    BYTE* m_pack;
    BYTE* m_packHeader;
    BYTE* m_systemHeader;
    BYTE* m_pciPacket;
    BYTE* m_pciSubstream;
    BYTE* m_pci;
    BYTE* m_dsiPacket;
    BYTE* m_dsiSubstream;
    BYTE* m_dsi;
};
