// The recording graph's throughput (not a test): the simulated card's encoder
// unpaced for a fixed number of passes of its clip -> the pause filter, or a
// plain pass-through in its place -> "PreDump" -> "Veltrane Dump" to a file.
// Prints bytes per second of each and their ratio.
#include <windows.h>
#include <dshow.h>

#include <stdio.h>

#include "platform/dshow/ComPtr.h"
#include "platform/standins/testfilters/TestFilterIds.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
const CLSID kClsidPreDump = { 0x248F05A7, 0x690E, 0x4B3E, { 0xB6, 0x49, 0x4E, 0xE2, 0x05, 0x64, 0x3D, 0xAE } };
const CLSID kClsidDump = { 0x36A5F770, 0xFE4C, 0x11CE, { 0xA8, 0xED, 0x00, 0xAA, 0x00, 0x2F, 0xEA, 0xB5 } };
const CLSID kClsidHALSwitch = { 0x52A2955B, 0x5B8A, 0x4205, { 0xAF, 0x51, 0x49, 0x4B, 0xEC, 0x92, 0x59, 0x01 } };
const int kPasses = 40;

HRESULT Add(IGraphBuilder* pGraph, REFCLSID clsid, LPCWSTR pszName, ComPtr<IBaseFilter>& filter)
{
    HRESULT hr = CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&filter));
    return SUCCEEDED(hr) ? pGraph->AddFilter(filter.Get(), pszName) : hr;
}

ComPtr<IPin> Pin(IBaseFilter* pFilter, PIN_DIRECTION wanted)
{
    ComPtr<IEnumPins> pEnum;
    ComPtr<IPin> pPin;
    pFilter->EnumPins(&pEnum);
    while (pEnum && pEnum->Next(1, &pPin, NULL) == S_OK)
    {
        PIN_DIRECTION dir;
        if (SUCCEEDED(pPin->QueryDirection(&dir)) && dir == wanted)
            return pPin;
    }
    return ComPtr<IPin>();
}

// Bytes per second through the chain, or a negative number on failure.
double Measure(IBlackBirdSimControl* pCard, REFCLSID middle, LPCWSTR pszFile)
{
    DeleteFileW(pszFile);
    pCard->SetEncoderPacing(FALSE);
    pCard->SetEncoderPasses(kPasses);
    ComPtr<IGraphBuilder> pGraph;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(&pGraph))))
        return -1;
    ComPtr<IBaseFilter> pEncoder, pMiddle, pPreDump, pDump;
    if (FAILED(Add(pGraph.Get(), CLSID_SimBlackBirdEncoder, L"Encoder", pEncoder)) ||
        FAILED(Add(pGraph.Get(), middle, L"Middle", pMiddle)) ||
        FAILED(Add(pGraph.Get(), kClsidPreDump, L"PreDump", pPreDump)) ||
        FAILED(Add(pGraph.Get(), kClsidDump, L"Dump", pDump)))
        return -2;
    ComPtr<IFileSinkFilter> pSink;
    pDump->QueryInterface(IID_IFileSinkFilter, reinterpret_cast<void**>(&pSink));
    if (!pSink || FAILED(pSink->SetFileName(pszFile, NULL)))
        return -3;
    if (FAILED(pGraph->ConnectDirect(Pin(pEncoder.Get(), PINDIR_OUTPUT).Get(), Pin(pMiddle.Get(), PINDIR_INPUT).Get(), NULL)) ||
        FAILED(pGraph->ConnectDirect(Pin(pMiddle.Get(), PINDIR_OUTPUT).Get(), Pin(pPreDump.Get(), PINDIR_INPUT).Get(), NULL)) ||
        FAILED(pGraph->ConnectDirect(Pin(pPreDump.Get(), PINDIR_OUTPUT).Get(), Pin(pDump.Get(), PINDIR_INPUT).Get(), NULL)))
        return -4;
    ComPtr<IMediaControl> pControl;
    ComPtr<IMediaEvent> pEvent;
    pGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&pControl));
    pGraph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&pEvent));
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    if (FAILED(pControl->Run()))
        return -5;
    long code = 0;
    pEvent->WaitForCompletion(120000, &code);
    QueryPerformanceCounter(&end);
    pControl->Stop();
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(pszFile, GetFileExInfoStandard, &data))
        return -6;
    double bytes = static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / freq.QuadPart;
    DeleteFileW(pszFile);
    return bytes / seconds;
}
}  // namespace

int main()
{
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    int result = 1;
    {
        CBlackBirdSimHost sim;
        CFilterModules filters({ "Filters\\RecordDump.ax", "Hollit.ax", "OndrixTestFilters.ax" });
        if (sim.IsReady() && filters.IsReady())
        {
            // One warm-up run so both measure a filled disk cache.
            Measure(sim.Card(), CLSID_OndrixCopyTransform, L"bench-record.mpg");
            double with = Measure(sim.Card(), kClsidHALSwitch, L"bench-record.mpg");
            double without = Measure(sim.Card(), CLSID_OndrixCopyTransform, L"bench-record.mpg");
            printf("with the pause filter:    %.1f MB/s\n", with / 1e6);
            printf("with a plain pass-through: %.1f MB/s\n", without / 1e6);
            if (with > 0 && without > 0)
            {
                printf("ratio: %.2f\n", with / without);
                result = 0;
            }
        }
        else
        {
            printf("the simulated card or the filter modules are not ready\n");
        }
    }
    CoUninitialize();
    return result;
}
