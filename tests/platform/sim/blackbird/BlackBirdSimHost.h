#pragma once
// The simulated BlackBird card for a test program: loads OndrixBlackBird.ax,
// registers its filters into their device categories for the test's life and
// hands out the card's control.
#include <windows.h>

#include <vector>

#include "platform/sim/blackbird/BlackBirdSim.h"

class CBlackBirdSimHost
{
public:
    CBlackBirdSimHost() : m_hModule(LoadLibraryA("OndrixBlackBird.ax")), m_pControl(NULL), m_hrRegister(E_FAIL)
    {
        if (m_hModule == NULL)
            return;
        typedef HRESULT(WINAPI * PFN_SERVER)();
        PFN_SERVER pfnRegister = reinterpret_cast<PFN_SERVER>(GetProcAddress(m_hModule, "DllRegisterServer"));
        PFN_BLACKBIRD_SIM_CONTROL pfnControl =
            reinterpret_cast<PFN_BLACKBIRD_SIM_CONTROL>(GetProcAddress(m_hModule, "BlackBirdSimControl"));
        if (pfnRegister != NULL)
            m_hrRegister = pfnRegister();
        if (pfnControl != NULL)
            m_pControl = pfnControl();
        if (m_pControl != NULL)
            m_pControl->Reset();
    }
    ~CBlackBirdSimHost()
    {
        if (m_hModule == NULL)
            return;
        typedef HRESULT(WINAPI * PFN_SERVER)();
        PFN_SERVER pfnUnregister = reinterpret_cast<PFN_SERVER>(GetProcAddress(m_hModule, "DllUnregisterServer"));
        if (pfnUnregister != NULL)
            pfnUnregister();
        FreeLibrary(m_hModule);
    }

    BOOL IsReady() const { return m_pControl != NULL && SUCCEEDED(m_hrRegister); }
    IBlackBirdSimControl* Card() const { return m_pControl; }

    // The chip-bus writes to that address since the log was last cleared.
    std::vector<std::vector<BYTE> > WritesTo(BYTE address) const
    {
        std::vector<std::vector<BYTE> > writes;
        for (int i = 0; i < m_pControl->GetBusEventCount(); ++i)
        {
            SimBusEvent event;
            if (m_pControl->GetBusEvent(i, &event) && event.kind == SIM_I2C_WRITE && event.address == address)
                writes.push_back(std::vector<BYTE>(event.data, event.data + event.count));
        }
        return writes;
    }

private:
    HMODULE m_hModule;
    IBlackBirdSimControl* m_pControl;
    HRESULT m_hrRegister;
};
