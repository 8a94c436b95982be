// Runs one recording through a real filter graph: a push source of an MPEG program stream in
// samples of N bytes, a tap that pauses and resumes the pause filter at chosen samples, the
// pause filter, and a sink appending to the output file.
//   HollitGraphRun <in> <out> <sample bytes> <deliver thread 0|1> <lost-B 0|1> [p<N>|r<N>|d<N>|e<N>]...
// p<N>: PauseRecord before sample N reaches the filter, r<N>: ResumeRecord,
// d<N>/e<N>: delivery switched off/on without the synchronisation reset.
// stop: the end of the stream is held back before the filter, which is then stopped on its own
// while the sink still runs (as when a recording is stopped in the middle of a group).
//   HollitGraphRun --plan <file>
// runs one recording per line of the file (the arguments above, separated by spaces) in this one
// process and prints "case <line> ok" or what failed; a recording that takes no sample for 20 s
// and does not end ends the process after printing "case <line> hung".
#include "platform/standins/testfilters/TestFilters.h"

#include "Hollit_h.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <new>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Samples that have passed the tap in this process: a slow recording is told from a stuck one by it.
volatile LONG g_progress = 0;

// Waits for `ready` (a wait of `ms` milliseconds at most, TRUE when it came) as long as samples
// keep arriving; fails only after `idleMs` without a sample.
template <class Wait>
bool WaitWhileProgressing(Wait ready, DWORD idleMs)
{
    LONG seen = g_progress;
    DWORD idle = 0;
    while (!ready(500)) {
        const LONG now = g_progress;
        idle = now == seen ? idle + 500 : 0;
        seen = now;
        if (idle >= idleMs)
            return false;
    }
    return true;
}

class CPauseTap : public CCopyTransform
{
public:
    CPauseTap(HRESULT* phr) : CCopyTransform(nullptr, phr), m_index(0)
    {
        m_endOfStream = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    ~CPauseTap() override { CloseHandle(m_endOfStream); }

    HRESULT EndOfStream() override
    {
        SetEvent(m_endOfStream);
        return m_holdEndOfStream ? S_OK : CCopyTransform::EndOfStream();
    }

    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override
    {
        InterlockedIncrement(&g_progress);
        auto action = m_actions.find(m_index++);
        if (action != m_actions.end() && m_record) {
            switch (action->second) {
            case 'p': m_record->PauseRecord(); break;
            case 'r': m_record->ResumeRecord(); break;
            case 'd': m_record->put_EnableDeliverSampleToNextFilter(0); break;
            case 'e': m_record->put_EnableDeliverSampleToNextFilter(1); break;
            }
        }
        return CCopyTransform::Transform(pIn, pOut);
    }

    std::map<int, char> m_actions;
    IMpegRecordFilter* m_record = nullptr;
    bool m_holdEndOfStream = false;
    HANDLE m_endOfStream;

private:
    int m_index;
};

ComPtr<IPin> Pin(IBaseFilter* filter, PIN_DIRECTION direction)
{
    ComPtr<IEnumPins> pins;
    ComPtr<IPin> pin;
    if (FAILED(filter->EnumPins(&pins)))
        return pin;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION d;
        if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction)
            return pin;
    }
    pin.Reset();
    return pin;
}

int Fail(const char* what, HRESULT hr)
{
    fprintf(stderr, "%s failed: 0x%08lX\n", what, static_cast<unsigned long>(hr));
    fflush(stderr);
    return 1;
}

int Run(int argc, char** argv)
{
    if (argc < 6) {
        fprintf(stderr, "usage: HollitGraphRun in out sampleBytes thread lostB [actions]\n");
        return 2;
    }
    const DWORD sampleBytes = static_cast<DWORD>(atoi(argv[3]));

    ComPtr<IGraphBuilder> graph;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(&graph));
    if (FAILED(hr))
        return Fail("filter graph", hr);

    ComPtr<IBaseFilter> source, sink, hollit;
    if (FAILED(hr = CreateBytePushSource(argv[1], sampleBytes, &source)))
        return Fail("source", hr);
    DeleteFileA(argv[2]);
    if (FAILED(hr = CreateFileAppendSink(argv[2], &sink)))
        return Fail("sink", hr);
    hr = CoCreateInstance(CLSID_MpegRecordFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                          reinterpret_cast<void**>(&hollit));
    if (FAILED(hr))
        return Fail("pause filter", hr);
    ComPtr<IMpegRecordFilter> record;
    if (FAILED(hr = ComQuery(hollit, IID_IMpegRecordFilter, record)))
        return Fail("IMpegRecordFilter", hr);
    record->put_EnableCreateDeliverThread(atoi(argv[4]));
    record->put_EnableLostBFrame(atoi(argv[5]));

    CPauseTap* tapObject = new (std::nothrow) CPauseTap(&hr);
    if (!tapObject)
        return Fail("tap", E_OUTOFMEMORY);
    ComPtr<IBaseFilter> tap;
    tapObject->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&tap));
    tapObject->m_record = record;
    for (int i = 6; i < argc; ++i) {
        if (strcmp(argv[i], "stop") == 0)
            tapObject->m_holdEndOfStream = true;
        else
            tapObject->m_actions[atoi(argv[i] + 1)] = argv[i][0];
    }

    graph->AddFilter(source, L"Source");
    graph->AddFilter(tap, L"Tap");
    graph->AddFilter(hollit, L"HALSwitch");
    graph->AddFilter(sink, L"Sink");
    if (FAILED(hr = graph->ConnectDirect(Pin(source, PINDIR_OUTPUT), Pin(tap, PINDIR_INPUT), nullptr)))
        return Fail("connect source", hr);
    if (FAILED(hr = graph->ConnectDirect(Pin(tap, PINDIR_OUTPUT), Pin(hollit, PINDIR_INPUT), nullptr)))
        return Fail("connect tap", hr);
    if (FAILED(hr = graph->ConnectDirect(Pin(hollit, PINDIR_OUTPUT), Pin(sink, PINDIR_INPUT), nullptr)))
        return Fail("connect sink", hr);

    ComPtr<IMediaControl> control;
    ComPtr<IMediaEvent> events;
    ComQuery(graph, control);
    ComQuery(graph, events);
    if (FAILED(hr = control->Run()))
        return Fail("run", hr);
    if (tapObject->m_holdEndOfStream) {
        // Every sample has reached the filter; it stops first, the sink still running.
        HANDLE end = tapObject->m_endOfStream;
        if (!WaitWhileProgressing([end](DWORD ms) { return WaitForSingleObject(end, ms) == WAIT_OBJECT_0; }, 15000))
            return Fail("end of the source", E_FAIL);
        hr = hollit->Stop();
        control->Stop();
        tapObject->m_record = nullptr;
        return FAILED(hr) ? Fail("stop of the filter", hr) : 0;
    }
    // A loaded machine may take long over small samples: the graph has failed to complete only
    // when it stops taking samples.
    long code = 0;
    hr = E_ABORT;
    WaitWhileProgressing([&](DWORD ms) {
        hr = events->WaitForCompletion(static_cast<long>(ms), &code);
        return hr != E_ABORT;
    }, 15000);
    control->Stop();
    tapObject->m_record = nullptr;
    if (FAILED(hr) || code != EC_COMPLETE)
        return Fail("completion", FAILED(hr) ? hr : code);
    return 0;
}

}

struct Watchdog
{
    HANDLE done;
    int line;
};

DWORD WINAPI WatchCase(void* arg)
{
    Watchdog* w = static_cast<Watchdog*>(arg);
    LONG seen = g_progress - 1;
    while (WaitForSingleObject(w->done, 20000) == WAIT_TIMEOUT && g_progress != seen)
        seen = g_progress;
    if (WaitForSingleObject(w->done, 0) == WAIT_TIMEOUT) {
        printf("case %d hung\n", w->line);
        fflush(stdout);
        ExitProcess(3);
    }
    return 0;
}

int RunPlan(const char* path)
{
    std::ifstream plan(path);
    std::string text;
    int line = 0, failed = 0;
    while (std::getline(plan, text)) {
        ++line;
        std::istringstream words(text);
        std::vector<std::string> args;
        for (std::string w; words >> w;)
            args.push_back(w);
        if (args.empty())
            continue;
        std::vector<char*> argv(1, const_cast<char*>("HollitGraphRun"));
        for (std::string& a : args)
            argv.push_back(&a[0]);
        Watchdog w = {CreateEventA(nullptr, TRUE, FALSE, nullptr), line};
        HANDLE watcher = CreateThread(nullptr, 0, &WatchCase, &w, 0, nullptr);
        const int result = Run(static_cast<int>(argv.size()), argv.data());
        SetEvent(w.done);
        WaitForSingleObject(watcher, INFINITE);
        CloseHandle(watcher);
        CloseHandle(w.done);
        printf("case %d %s\n", line, result == 0 ? "ok" : "failed");
        fflush(stdout);
        failed += result != 0;
    }
    return failed ? 1 : 0;
}

int main(int argc, char** argv)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return 3;
    const int result = argc == 3 && strcmp(argv[1], "--plan") == 0 ? RunPlan(argv[2]) : Run(argc, argv);
    CoUninitialize();
    return result;
}
