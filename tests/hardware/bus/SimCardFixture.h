#pragma once

#include "dshow/FilterNode.h"
#include "hardware/tuners/TunerModule.h"
#include "platform/dshow/ComPtr.h"
#include "platform/sim/chipbus/SimTVCard.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"

#include <gtest/gtest.h>

#include <ksmedia.h>

#include <string>
#include <vector>

// {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}
inline const GUID kVendorSet = { 0xFC8FACFF, 0x0293, 0x4CE3, { 0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0 } };
// {C44A1A10-0A37-11D2-8328-006097BA83AB}
inline const GUID kKsSet = { 0xC44A1A10, 0x0A37, 0x11D2, { 0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB } };

typedef HRESULT(STDAPICALLTYPE* PFN_REGISTER)();

// The simulated cards' driver DLLs, registered for the run of this program.
class SimFilters : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(NULL);
        for (const char* name : { "OndrixSimCards.ax" })
        {
            HMODULE h = LoadLibraryA(name);
            ASSERT_TRUE(h != NULL) << name;
            PFN_REGISTER pfn = reinterpret_cast<PFN_REGISTER>(GetProcAddress(h, "DllRegisterServer"));
            ASSERT_TRUE(pfn != NULL);
            ASSERT_EQ(S_OK, pfn()) << name;
            s_modules.push_back(h);
        }
    }

    static void TearDownTestSuite()
    {
        for (HMODULE h : s_modules)
        {
            PFN_REGISTER pfn = reinterpret_cast<PFN_REGISTER>(GetProcAddress(h, "DllUnregisterServer"));
            if (pfn != NULL)
                pfn();
        }
        s_modules.clear();
        CoUninitialize();
    }

    static ISimCardControl* Control(IBaseFilter* pFilter)
    {
        ComPtr<IKsPropertySet> pProps;
        if (FAILED(pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&pProps))))
            return NULL;
        ISimCardControl* pControl = NULL;
        DWORD cb = 0;
        if (FAILED(pProps->Get(PROPSETID_SimCardControl, SIMCARD_PROPERTY_CONTROL, NULL, 0, &pControl, sizeof(pControl),
                               &cb)))
            return NULL;
        return pControl;
    }

    // The I2C transactions of the log, as "W C0 1F E2 CE 08" / "R C1 42".
    static std::vector<std::string> I2CTraffic(ISimCardControl* pControl)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < pControl->GetEventCount(); ++i)
        {
            SimBusEvent event;
            pControl->GetEvent(i, &event);
            if (event.kind == SIM_I2C_WRITE || event.kind == SIM_I2C_READ)
            {
                std::string line = event.kind == SIM_I2C_WRITE ? "W " : "R ";
                line += HexBytes(&event.address, 1);
                if (event.count > 0)
                    line += " " + HexBytes(event.data, event.count);
                lines.push_back(line);
            }
        }
        return lines;
    }

    // Tunes the base tuner at its write address to a station through the
    // transport and reads its lock; a transport whose block reads need a
    // sub-address gives the tuner no status to read.
    static void TuneAndLock(CRegisterAccess* pAccess, ISimCardControl* pControl, BYTE pllAddress = 0xC0,
                            bool bStatusReadable = true)
    {
        SimStation stations[] = { { 471250, FALSE } };
        pControl->SetStations(stations, 1);
        pControl->ClearLog();
        CTunerModule tuner(pAccess);
        tuner.m_byI2CWrite = pllAddress;
        tuner.m_byI2CRead = pllAddress | 1;
        ASSERT_TRUE(tuner.SetTVFrequency(471250.0f));
        EXPECT_EQ(bStatusReadable, tuner.IsTVLocked() != FALSE);
        ASSERT_TRUE(tuner.SetTVFrequency(471500.0f));
        EXPECT_FALSE(tuner.IsTVLocked());
        BYTE readAddress = pllAddress | 1;
        std::string write = HexBytes(&pllAddress, 1);
        std::string read = HexBytes(&readAddress, 1);
        std::vector<std::string> expected = { "W " + write + " 1F E2 CE 08", "R " + read + " 42",
                                              "W " + write + " 1F E6 CE 08", "R " + read + " 40" };
        if (!bStatusReadable)
            expected = { expected[0], expected[2] };
        EXPECT_EQ(expected, I2CTraffic(pControl));
    }

    // The n-th filter of the category with this friendly name (a reference).
    static IBaseFilter* FindNthFilter(const GUID& category, const WCHAR* pszName, int n)
    {
        ComPtr<ICreateDevEnum> pDevEnum;
        if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                    reinterpret_cast<void**>(&pDevEnum))))
            return NULL;
        ComPtr<IEnumMoniker> pEnum;
        if (pDevEnum->CreateClassEnumerator(category, &pEnum, 0) != S_OK)
            return NULL;
        ComPtr<IMoniker> pMoniker;
        while (pEnum->Next(1, &pMoniker, NULL) == S_OK)
        {
            ComPtr<IPropertyBag> pBag;
            VARIANT var;
            VariantInit(&var);
            bool bMatch =
                SUCCEEDED(pMoniker->BindToStorage(NULL, NULL, IID_IPropertyBag, reinterpret_cast<void**>(&pBag))) &&
                SUCCEEDED(pBag->Read(L"FriendlyName", &var, NULL)) && var.vt == VT_BSTR &&
                lstrcmpW(var.bstrVal, pszName) == 0;
            VariantClear(&var);
            if (bMatch && n-- == 0)
            {
                IBaseFilter* pFilter = NULL;
                pMoniker->BindToObject(NULL, NULL, IID_IBaseFilter, reinterpret_cast<void**>(&pFilter));
                return pFilter;
            }
            pMoniker.Reset();
        }
        return NULL;
    }

    // The card behind the named filter, with the transport attached to it;
    // null when either fails.
    static ISimCardControl* AttachCard(const char* pszName, CRegisterAccess& access, ComPtr<IBaseFilter>& filter)
    {
        ISimCardControl* pControl = CardOf(pszName, filter);
        if (pControl == NULL || FAILED(access.Attach(filter.Get(), 0)))
            return NULL;
        return pControl;
    }

    // The card behind a filter found by name in the video input category.
    static ISimCardControl* CardOf(const char* pszName, ComPtr<IBaseFilter>& filter)
    {
        if (FAILED(FindFilterByName(CLSID_VideoInputDeviceCategory, pszName, &filter)))
            return NULL;
        return Control(filter.Get());
    }

    CFastBusClock clock;
    inline static std::vector<HMODULE> s_modules;
};
