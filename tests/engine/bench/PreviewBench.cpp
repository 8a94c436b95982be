// Benchmark of the live preview on the simulated card (not a test): the time
// from CTVHardWare::Initialize to the first picture on screen, and the CPU
// time the process spends per second of preview; beside each, the same for a
// bare graph built by hand (card -> overlay mixer -> video renderer), which is
// what any preview on this platform costs at least.
#include <windows.h>
#include <dshow.h>

#include <stdio.h>

#include <algorithm>
#include <vector>

#include "engine/TVHardWare.h"
#include "hardware/devices/CaptureDevice.h"
#include "platform/dshow/ComPtr.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/RecordingWindows.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
const int kRuns = 5;
const DWORD kCpuSeconds = 5;

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double CpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return static_cast<double>(k.QuadPart + u.QuadPart) / 10000.0;
}

bool PictureShown(HWND hwnd)
{
    return Luma(CScreenShot::OfClient(hwnd).Mean(40, 40, 88, 88)) > 200;
}

// CPU milliseconds per second of preview while the message loop runs.
double CpuPerSecond()
{
    double cpu = CpuMs();
    double start = Now();
    PumpFor(kCpuSeconds * 1000);
    return (CpuMs() - cpu) * 1000.0 / (Now() - start);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures
{
    double firstFrameMs;
    double cpuMsPerSecond;
};

Figures Ours(HWND hwnd, CBlackBirdSimHost& sim, bool measureCpu)
{
    sim.Card()->Reset();
    CRecordingWindows windows;
    CTVHardWare hw;
    hw.SetEngineWindows(&windows);
    hw.SetVideoWindow(hwnd);
    InvalidateRect(hwnd, NULL, TRUE);
    PumpFor(50);
    double start = Now();
    hw.Initialize();
    hw.GetCaptureDevice()->SetTunerFrequency(471250.0f);
    hw.BuildPreviewGraph();
    PumpUntil([&] { return PictureShown(hwnd); }, 10000);
    Figures figures = { Now() - start, measureCpu ? CpuPerSecond() : 0.0 };
    hw.CloseDevice();
    return figures;
}

ComPtr<IBaseFilter> Device(const GUID& category, const wchar_t* pszName)
{
    ComPtr<ICreateDevEnum> pDevEnum;
    ComPtr<IEnumMoniker> pEnum;
    ComPtr<IBaseFilter> pFilter;
    CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                     reinterpret_cast<void**>(&pDevEnum));
    if (!pDevEnum || pDevEnum->CreateClassEnumerator(category, &pEnum, 0) != S_OK)
        return pFilter;
    ComPtr<IMoniker> pMoniker;
    while (pEnum->Next(1, &pMoniker, NULL) == S_OK)
    {
        ComPtr<IPropertyBag> pBag;
        VARIANT var;
        VariantInit(&var);
        if (SUCCEEDED(pMoniker->BindToStorage(NULL, NULL, IID_IPropertyBag, reinterpret_cast<void**>(&pBag))) &&
            SUCCEEDED(pBag->Read(L"FriendlyName", &var, NULL)) && lstrcmpW(var.bstrVal, pszName) == 0)
            pMoniker->BindToObject(NULL, NULL, IID_IBaseFilter, reinterpret_cast<void**>(&pFilter));
        VariantClear(&var);
        pMoniker.Reset();
        if (pFilter)
            break;
    }
    return pFilter;
}

ComPtr<IPin> Pin(IBaseFilter* pFilter, PIN_DIRECTION direction)
{
    ComPtr<IEnumPins> pEnum;
    ComPtr<IPin> pPin;
    pFilter->EnumPins(&pEnum);
    while (pEnum->Next(1, &pPin, NULL) == S_OK)
    {
        PIN_DIRECTION dir;
        pPin->QueryDirection(&dir);
        if (dir == direction)
            return pPin;
        pPin.Reset();
    }
    return pPin;
}

Figures Bare(HWND hwnd, CBlackBirdSimHost& sim, bool measureCpu)
{
    sim.Card()->Reset();
    sim.Card()->SetCompanionsEnabled(FALSE);
    InvalidateRect(hwnd, NULL, TRUE);
    PumpFor(50);
    const CLSID kOverlayMixer = { 0xCD8743A1, 0x3736, 0x11D0, { 0x9E, 0x69, 0x00, 0xC0, 0x4F, 0xD7, 0xC1, 0x5B } };
    double start = Now();
    ComPtr<IGraphBuilder> graph;
    CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, reinterpret_cast<void**>(&graph));
    ComPtr<IBaseFilter> capture = Device(CLSID_VideoInputDeviceCategory, L"BlackBird Video Capture");
    ComPtr<IBaseFilter> mixer, renderer;
    CoCreateInstance(kOverlayMixer, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter, reinterpret_cast<void**>(&mixer));
    CoCreateInstance(CLSID_VideoRenderer, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                     reinterpret_cast<void**>(&renderer));
    graph->AddFilter(capture.Get(), L"Capture");
    graph->AddFilter(mixer.Get(), L"Mixer");
    graph->AddFilter(renderer.Get(), L"Renderer");
    ComPtr<IPin> capturePin;
    capture->FindPin(L"Capture", &capturePin);
    graph->Connect(capturePin.Get(), Pin(mixer.Get(), PINDIR_INPUT).Get());
    graph->Connect(Pin(mixer.Get(), PINDIR_OUTPUT).Get(), Pin(renderer.Get(), PINDIR_INPUT).Get());
    ComPtr<IVideoWindow> window;
    graph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&window));
    window->put_Owner(reinterpret_cast<OAHWND>(hwnd));
    window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    RECT rc;
    GetClientRect(hwnd, &rc);
    window->SetWindowPosition(0, 0, rc.right, rc.bottom);
    ComPtr<IMediaControl> control;
    graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
    control->Run();
    // The bare card shows its outside input: no tuning there.
    PumpUntil([&] { return Luma(CScreenShot::OfClient(hwnd).Mean(300, 200, 420, 300)) > 30; }, 10000);
    Figures figures = { Now() - start, measureCpu ? CpuPerSecond() : 0.0 };
    control->Stop();
    window->put_Visible(OAFALSE);
    window->put_Owner(0);
    sim.Card()->SetCompanionsEnabled(TRUE);
    return figures;
}
}

int main()
{
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    CBlackBirdSimHost sim;
    CFilterModules filters(PreviewFilterModules());
    if (!sim.IsReady() || !filters.IsReady())
    {
        printf("the simulated card or the stand-in filters could not be registered\n");
        return 1;
    }
    CTestWindow window(40, 40, 720, 576, "Preview benchmark");
    // A first round warms the system up (module loads, font caches).
    Ours(window.Handle(), sim, false);
    Bare(window.Handle(), sim, false);

    std::vector<double> ours, bare;
    for (int i = 0; i < kRuns; ++i)
    {
        ours.push_back(Ours(window.Handle(), sim, false).firstFrameMs);
        bare.push_back(Bare(window.Handle(), sim, false).firstFrameMs);
    }
    double oursCpu = Ours(window.Handle(), sim, true).cpuMsPerSecond;
    double bareCpu = Bare(window.Handle(), sim, true).cpuMsPerSecond;

    double oursFirst = Median(ours), bareFirst = Median(bare);
    printf("first frame on screen (median of %d): ours %.0f ms, bare graph %.0f ms, ratio %.2f; target < 1000 ms: %s\n",
           kRuns, oursFirst, bareFirst, oursFirst / bareFirst, oursFirst < 1000.0 ? "met" : "MISSED");
    printf("CPU per second of 720x576 preview: ours %.0f ms, bare graph %.0f ms, ratio %.2f\n", oursCpu, bareCpu,
           oursCpu / bareCpu);
    CoUninitialize();
    return 0;
}
