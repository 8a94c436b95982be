#include "hollit/HollitUuids.h"
#include "platform/dshow/Streams.h"
#include "platform/standins/testfilters/TestFilters.h"

#include "Hollit_h.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const char kFilterKey[] = "CLSID\\{52A2955B-5B8A-4205-AF51-494BEC925901}";
const char kPageKey[] = "CLSID\\{8A017FB9-80AC-4C50-9B01-E5A50534997A}";
const char kInstanceKey[] =
    "CLSID\\{083863F1-70DE-11D0-BD40-00A0C911CE86}\\Instance\\{52A2955B-5B8A-4205-AF51-494BEC925901}";

ULONG RefCount(IUnknown* p)
{
    p->AddRef();
    return p->Release();
}

std::string ModulePath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.rfind('\\') + 1) + "Hollit.ax";
}

DWORD RunRegsvr32(bool unregister)
{
    std::string command = std::string("regsvr32.exe /s ") + (unregister ? "/u " : "") + "\"" + ModulePath() + "\"";
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back(0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return GetLastError() | 0x10000000;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

bool ReadClassesString(const std::string& key, const char* value, std::string* out)
{
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    char buffer[512] = {};
    DWORD size = sizeof(buffer) - 1, type = 0;
    LONG r = RegQueryValueExA(h, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    if (r != ERROR_SUCCESS || type != REG_SZ)
        return false;
    *out = buffer;
    return true;
}

bool KeyExists(const std::string& key)
{
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

// Every test of this program works on the real registry: registered first, unregistered last.
class RegisteredHollit : public ::testing::Environment
{
public:
    void SetUp() override { ASSERT_EQ(0u, RunRegsvr32(false)); }
    void TearDown() override { EXPECT_EQ(0u, RunRegsvr32(true)); }
};
::testing::Environment* const g_registered = ::testing::AddGlobalTestEnvironment(new RegisteredHollit);

class HollitComTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MpegRecordFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                         reinterpret_cast<void**>(&filter)));
        ASSERT_EQ(S_OK, ComQuery(filter, IID_IMpegRecordFilter, record));
    }
    void TearDown() override
    {
        record.Reset();
        filter.Reset();
        CoUninitialize();
    }

    ComPtr<IBaseFilter> filter;
    ComPtr<IMpegRecordFilter> record;
};

}

TEST_F(HollitComTest, RegistersServersAndFilter)
{
    std::string server, model, name;
    ASSERT_TRUE(ReadClassesString(std::string(kFilterKey) + "\\InprocServer32", nullptr, &server));
    EXPECT_EQ(Lower(ModulePath()), Lower(server));
    ASSERT_TRUE(ReadClassesString(std::string(kFilterKey) + "\\InprocServer32", "ThreadingModel", &model));
    EXPECT_EQ("Both", model);
    ASSERT_TRUE(ReadClassesString(kFilterKey, nullptr, &name));
    EXPECT_EQ("Veltrane Mpeg Record Filter", name);
    ASSERT_TRUE(ReadClassesString(std::string(kPageKey) + "\\InprocServer32", nullptr, &server));
    EXPECT_EQ(Lower(ModulePath()), Lower(server));
    ASSERT_TRUE(ReadClassesString(kPageKey, nullptr, &name));
    EXPECT_EQ("Filter Property Page", name);
    ASSERT_TRUE(ReadClassesString(kInstanceKey, "FriendlyName", &name));
    EXPECT_EQ("Veltrane Mpeg Record Filter", name);

    // The mapper finds it with its merit and its two pins' media types.
    ComPtr<IFilterMapper2> mapper;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                     reinterpret_cast<void**>(&mapper)));
    struct Query
    {
        const GUID* major;
        bool found;
    };
    for (Query q : {Query{&MEDIATYPE_Stream, true}, Query{&MEDIATYPE_Video, true}, Query{&MEDIATYPE_Audio, false}}) {
        ComPtr<IEnumMoniker> monikers;
        GUID types[2] = {*q.major, MEDIASUBTYPE_NULL};
        ASSERT_EQ(S_OK, mapper->EnumMatchingFilters(&monikers, 0, FALSE, MERIT_DO_NOT_USE, TRUE, 1, types, nullptr,
                                                    nullptr, FALSE, TRUE, 1, types, nullptr, nullptr));
        bool found = false;
        ComPtr<IMoniker> moniker;
        while (monikers->Next(1, &moniker, nullptr) == S_OK) {
            ComPtr<IPropertyBag> bag;
            if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag))))
                continue;
            VARIANT v;
            VariantInit(&v);
            if (SUCCEEDED(bag->Read(L"CLSID", &v, nullptr)) && v.vt == VT_BSTR &&
                _wcsicmp(v.bstrVal, L"{52A2955B-5B8A-4205-AF51-494BEC925901}") == 0)
                found = true;
            VariantClear(&v);
        }
        EXPECT_EQ(q.found, found);
    }
    // Above MERIT_DO_NOT_USE it is not offered.
    ComPtr<IEnumMoniker> monikers;
    GUID types[2] = {MEDIATYPE_Stream, MEDIASUBTYPE_NULL};
    ASSERT_EQ(S_OK, mapper->EnumMatchingFilters(&monikers, 0, FALSE, MERIT_DO_NOT_USE + 1, TRUE, 1, types, nullptr,
                                                nullptr, FALSE, TRUE, 1, types, nullptr, nullptr));
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        ASSERT_HRESULT_SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag)));
        VARIANT v;
        VariantInit(&v);
        if (SUCCEEDED(bag->Read(L"CLSID", &v, nullptr)) && v.vt == VT_BSTR) {
            EXPECT_NE(0, _wcsicmp(v.bstrVal, L"{52A2955B-5B8A-4205-AF51-494BEC925901}"));
        }
        VariantClear(&v);
    }
}

TEST_F(HollitComTest, UnregisterRemovesEverything)
{
    record.Reset();
    filter.Reset();
    CoFreeUnusedLibraries();
    ASSERT_EQ(0u, RunRegsvr32(true));
    EXPECT_FALSE(KeyExists(kFilterKey));
    EXPECT_FALSE(KeyExists(kPageKey));
    EXPECT_FALSE(KeyExists(kInstanceKey));
    ComPtr<IBaseFilter> gone;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_MpegRecordFilter, nullptr, CLSCTX_INPROC_SERVER,
                                                    IID_IBaseFilter, reinterpret_cast<void**>(&gone)));
    ASSERT_EQ(0u, RunRegsvr32(false));
    EXPECT_TRUE(KeyExists(kFilterKey));
}

TEST_F(HollitComTest, AnswersItsInterfaces)
{
    const ULONG base = RefCount(filter);
    struct Row
    {
        const IID* iid;
        HRESULT hr;
    };
    const Row rows[] = {
        {&IID_IUnknown, S_OK},         {&IID_IBaseFilter, S_OK},         {&IID_IMediaFilter, S_OK},
        {&IID_IPersist, S_OK},         {&IID_IMpegRecordFilter, S_OK},   {&IID_IDispatch, S_OK},
        {&IID_ISpecifyPropertyPages, S_OK}, {&IID_IPropertyPage, E_NOINTERFACE}, {&IID_IMemInputPin, E_NOINTERFACE},
    };
    for (const Row& row : rows) {
        IUnknown* p = nullptr;
        EXPECT_EQ(row.hr, filter->QueryInterface(*row.iid, reinterpret_cast<void**>(&p)));
        if (p) {
            EXPECT_EQ(base + 1, RefCount(filter));
            p->Release();
        } else {
            EXPECT_EQ(base, RefCount(filter));
        }
    }
    EXPECT_EQ(E_POINTER, filter->QueryInterface(IID_IMpegRecordFilter, nullptr));

    // The same object behind every interface.
    ComPtr<IUnknown> a, b;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a)));
    ASSERT_EQ(S_OK, record->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b)));
    EXPECT_EQ(a.Get(), b.Get());

    CLSID clsid = {};
    EXPECT_EQ(S_OK, filter->GetClassID(&clsid));
    EXPECT_TRUE(clsid == CLSID_MpegRecordFilter);
}

TEST_F(HollitComTest, HasStreamInAndStreamOut)
{
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(S_OK, filter->EnumPins(&pins));
    IPin* got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, pins->Next(3, got, &fetched));
    ASSERT_EQ(2u, fetched);
    const wchar_t* names[2] = {L"Stream In", L"Stream Out"};
    const PIN_DIRECTION directions[2] = {PINDIR_INPUT, PINDIR_OUTPUT};
    for (int i = 0; i < 2; ++i) {
        PIN_INFO info = {};
        ASSERT_EQ(S_OK, got[i]->QueryPinInfo(&info));
        EXPECT_STREQ(names[i], info.achName);
        EXPECT_EQ(directions[i], info.dir);
        if (info.pFilter)
            info.pFilter->Release();
        got[i]->Release();
    }
    ComPtr<IPin> found;
    EXPECT_EQ(S_OK, filter->FindPin(L"Stream Out", &found));
}

TEST_F(HollitComTest, FlagsStartSetAndFollowTheMethods)
{
    LONG value = 0;
    EXPECT_EQ(S_OK, record->get_EnableDeliverSampleToNextFilter(&value));
    EXPECT_EQ(1, value);
    EXPECT_EQ(S_OK, record->get_EnableCreateDeliverThread(&value));
    EXPECT_EQ(1, value);
    EXPECT_EQ(S_OK, record->get_EnableLostBFrame(&value));
    EXPECT_EQ(1, value);
    EXPECT_EQ(E_POINTER, record->get_EnableLostBFrame(nullptr));

    EXPECT_EQ(S_OK, record->PauseRecord());
    EXPECT_EQ(S_OK, record->get_EnableDeliverSampleToNextFilter(&value));
    EXPECT_EQ(0, value);
    EXPECT_EQ(S_OK, record->ResumeRecord());
    EXPECT_EQ(S_OK, record->get_EnableDeliverSampleToNextFilter(&value));
    EXPECT_EQ(1, value);
    EXPECT_EQ(S_OK, record->put_EnableCreateDeliverThread(0));
    EXPECT_EQ(S_OK, record->get_EnableCreateDeliverThread(&value));
    EXPECT_EQ(0, value);
    EXPECT_EQ(S_OK, record->put_EnableLostBFrame(0));
    EXPECT_EQ(S_OK, record->get_EnableLostBFrame(&value));
    EXPECT_EQ(0, value);
    EXPECT_EQ(S_OK, record->put_EnableDeliverSampleToNextFilter(0));
    EXPECT_EQ(S_OK, record->get_EnableDeliverSampleToNextFilter(&value));
    EXPECT_EQ(0, value);
}

TEST_F(HollitComTest, LateBindingThroughTheTypeLibrary)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, ComQuery(filter, IID_IDispatch, dispatch));
    UINT count = 0;
    EXPECT_EQ(E_POINTER, dispatch->GetTypeInfoCount(nullptr));
    EXPECT_EQ(S_OK, dispatch->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);

    ITypeInfo* none = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(TYPE_E_ELEMENTNOTFOUND, dispatch->GetTypeInfo(1, 0, &none));
    EXPECT_EQ(nullptr, none);
    EXPECT_EQ(E_POINTER, dispatch->GetTypeInfo(0, 0, nullptr));

    ComPtr<ITypeInfo> info, again;
    ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, 0x0804, &info));
    ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, 0x0804, &again));
    EXPECT_EQ(info.Get(), again.Get());
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
    EXPECT_TRUE(attr->guid == IID_IMpegRecordFilter);
    info->ReleaseTypeAttr(attr);
    ComPtr<ITypeLib> lib;
    UINT index = 0;
    ASSERT_EQ(S_OK, info->GetContainingTypeLib(&lib, &index));
    BSTR doc = nullptr;
    ASSERT_EQ(S_OK, lib->GetDocumentation(-1, nullptr, &doc, nullptr, nullptr));
    EXPECT_STREQ(L"Hollit 1.0 Type Library", doc);
    SysFreeString(doc);

    struct NameRow
    {
        const wchar_t* name;
        DISPID id;
    };
    const NameRow names[] = {{L"PauseRecord", 1}, {L"ResumeRecord", 2}, {L"EnableDeliverSampleToNextFilter", 3},
                             {L"EnableCreateDeliverThread", 4}, {L"EnableLostBFrame", 5}};
    for (const NameRow& row : names) {
        LPOLESTR name = const_cast<LPOLESTR>(row.name);
        DISPID id = 0;
        EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
        EXPECT_EQ(row.id, id);
    }

    DISPPARAMS noArgs = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(DISP_E_UNKNOWNINTERFACE,
              dispatch->Invoke(1, IID_IMpegRecordFilter, 0, DISPATCH_METHOD, &noArgs, nullptr, nullptr, nullptr));
    ASSERT_EQ(S_OK, dispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &noArgs, nullptr, nullptr, nullptr));
    LONG value = 1;
    record->get_EnableDeliverSampleToNextFilter(&value);
    EXPECT_EQ(0, value);
    ASSERT_EQ(S_OK, dispatch->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &noArgs, nullptr, nullptr, nullptr));
    record->get_EnableDeliverSampleToNextFilter(&value);
    EXPECT_EQ(1, value);

    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_I4;
    arg.lVal = 0;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put = {&arg, &named, 1, 1};
    ASSERT_EQ(S_OK, dispatch->Invoke(5, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr));
    record->get_EnableLostBFrame(&value);
    EXPECT_EQ(0, value);

    record->put_EnableCreateDeliverThread(0);
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(S_OK, dispatch->Invoke(4, IID_NULL, 0, DISPATCH_PROPERTYGET, &noArgs, &result, nullptr, nullptr));
    EXPECT_EQ(VT_I4, result.vt);
    EXPECT_EQ(0, result.lVal);

    // The type information stays usable after the filter that handed it out has gone.
    dispatch.Reset();
    record.Reset();
    filter.Reset();
    BSTR name = nullptr;
    EXPECT_EQ(S_OK, info->GetDocumentation(1, &name, nullptr, nullptr, nullptr));
    EXPECT_STREQ(L"PauseRecord", name);
    SysFreeString(name);
}

TEST_F(HollitComTest, NamesItsPropertyPage)
{
    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_EQ(S_OK, ComQuery(filter, IID_ISpecifyPropertyPages, pages));
    EXPECT_EQ(E_POINTER, pages->GetPages(nullptr));
    CAUUID list = {};
    ASSERT_EQ(S_OK, pages->GetPages(&list));
    ASSERT_EQ(1u, list.cElems);
    EXPECT_TRUE(list.pElems[0] == CLSID_MpegRecordFilterProp);
    CoTaskMemFree(list.pElems);
}

TEST_F(HollitComTest, OffersTheInputTypeOnceAndItsBufferSize)
{
    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     reinterpret_cast<void**>(&graph)));
    ComPtr<IBaseFilter> source, sink;
    CBytePushSource* sourceObject = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(nullptr, 3000, &source, &sourceObject));
    const BYTE bytes[16] = {0x00, 0x00, 0x01, 0xBA};
    sourceObject->SetBytes(bytes, sizeof(bytes));
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &sink));
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(source, L"Source"));
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(filter, L"HALSwitch"));
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(sink, L"Sink"));

    ComPtr<IPin> in, out, sourceOut, sinkIn;
    ASSERT_EQ(S_OK, filter->FindPin(L"Stream In", &in));
    ASSERT_EQ(S_OK, filter->FindPin(L"Stream Out", &out));
    ComPtr<IEnumPins> pins;
    source->EnumPins(&pins);
    pins->Next(1, &sourceOut, nullptr);
    pins.Reset();
    sink->EnumPins(&pins);
    pins->Next(1, &sinkIn, nullptr);

    // Nothing to offer before the input is connected.
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, out->EnumMediaTypes(&types));
    AM_MEDIA_TYPE* type = nullptr;
    EXPECT_EQ(S_FALSE, types->Next(1, &type, nullptr));

    ASSERT_EQ(S_OK, graph->ConnectDirect(sourceOut, in, nullptr));
    types.Reset();
    ASSERT_EQ(S_OK, out->EnumMediaTypes(&types));
    ASSERT_EQ(S_OK, types->Next(1, &type, nullptr));
    EXPECT_TRUE(type->majortype == MEDIATYPE_Stream);
    DeleteMediaType(type);
    type = nullptr;
    EXPECT_EQ(S_FALSE, types->Next(1, &type, nullptr));

    // The output's buffers are the input's: as many and as large.
    ASSERT_EQ(S_OK, graph->ConnectDirect(out, sinkIn, nullptr));
    ComPtr<IMemInputPin> inputTransport, sinkTransport;
    ASSERT_EQ(S_OK, ComQuery(in, IID_IMemInputPin, inputTransport));
    ASSERT_EQ(S_OK, ComQuery(sinkIn, IID_IMemInputPin, sinkTransport));
    ComPtr<IMemAllocator> inputAllocator, outputAllocator;
    ASSERT_EQ(S_OK, inputTransport->GetAllocator(&inputAllocator));
    ASSERT_EQ(S_OK, sinkTransport->GetAllocator(&outputAllocator));
    ALLOCATOR_PROPERTIES inputProps = {}, outputProps = {};
    ASSERT_EQ(S_OK, inputAllocator->GetProperties(&inputProps));
    ASSERT_EQ(S_OK, outputAllocator->GetProperties(&outputProps));
    EXPECT_EQ(3000, inputProps.cbBuffer);
    EXPECT_EQ(inputProps.cbBuffer, outputProps.cbBuffer);
    EXPECT_EQ(inputProps.cBuffers, outputProps.cBuffers);
    AM_MEDIA_TYPE connected = {};
    ASSERT_EQ(S_OK, sinkIn->ConnectionMediaType(&connected));
    EXPECT_TRUE(connected.majortype == MEDIATYPE_Stream);
    FreeMediaType(connected);
    graph->RemoveFilter(source);
    graph->RemoveFilter(sink);
    graph->RemoveFilter(filter);
}

// A graph of the filters in a chain, each one's output to the next one's input; the filters
// leave it again with RemoveAll.
struct Chain
{
    explicit Chain(std::vector<IBaseFilter*> list) : filters(list)
    {
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(&graph));
        for (size_t i = 0; graph && i < filters.size(); ++i)
            graph->AddFilter(filters[i], (L"F" + std::to_wstring(i)).c_str());
        for (size_t i = 0; graph && i + 1 < filters.size(); ++i)
            connected = connected && graph->ConnectDirect(PinOf(filters[i], PINDIR_OUTPUT),
                                                          PinOf(filters[i + 1], PINDIR_INPUT), nullptr) == S_OK;
    }
    static ComPtr<IPin> PinOf(IBaseFilter* filter, PIN_DIRECTION direction)
    {
        ComPtr<IEnumPins> pins;
        ComPtr<IPin> pin;
        filter->EnumPins(&pins);
        while (pins && pins->Next(1, &pin, nullptr) == S_OK) {
            PIN_DIRECTION d;
            if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction)
                return pin;
        }
        pin.Reset();
        return pin;
    }
    void RemoveAll()
    {
        for (IBaseFilter* f : filters)
            graph->RemoveFilter(f);
    }

    std::vector<IBaseFilter*> filters;
    ComPtr<IGraphBuilder> graph;
    bool connected = true;
};

// Between the source and the filter: keeps what the filter answered to samples and end of stream.
class CResultTap : public CCopyTransform
{
public:
    explicit CResultTap(HRESULT* phr) : CCopyTransform(nullptr, phr) {}

    HRESULT Receive(IMediaSample* pSample) override
    {
        const HRESULT hr = CCopyTransform::Receive(pSample);
        InterlockedIncrement(&samples);
        if (FAILED(hr))
            InterlockedCompareExchange(&firstFailure, hr, S_OK);
        if (firstFailure != S_OK && SUCCEEDED(hr))
            InterlockedIncrement(&acceptedAfterFailure);
        return hr;
    }

    HRESULT EndOfStream() override
    {
        const HRESULT hr = CCopyTransform::EndOfStream();
        if (FAILED(hr))
            InterlockedCompareExchange(&firstFailure, hr, S_OK);
        return hr;
    }

    volatile LONG samples = 0;
    volatile LONG firstFailure = S_OK;
    volatile LONG acceptedAfterFailure = 0;
};

TEST_F(HollitComTest, FullDiskDownstreamEndsTheRecordingWithItsError)
{
    const std::string stream = std::string(ONDRIX_SOURCE_DIR) + "/tests/parvane/fixtures/m2-small.mpg";
    for (LONG thread : {0, 1}) {
        SCOPED_TRACE(thread);
        ComPtr<IBaseFilter> hollit;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MpegRecordFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                         reinterpret_cast<void**>(&hollit)));
        ComPtr<IMpegRecordFilter> flags;
        ASSERT_EQ(S_OK, ComQuery(hollit, IID_IMpegRecordFilter, flags));
        flags->put_EnableCreateDeliverThread(thread);

        ComPtr<IBaseFilter> source, sink, tap;
        CFileAppendSink* sinkObject = nullptr;
        ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(stream.c_str(), 2048, &source));
        ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &sink, &sinkObject));
        sinkObject->SetReceiveResult(STG_E_MEDIUMFULL);
        HRESULT hr = S_OK;
        CResultTap* tapObject = new CResultTap(&hr);
        tapObject->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&tap));
        Chain chain({source, tap, hollit, sink});
        ASSERT_TRUE(chain.connected);
        ComPtr<IGraphBuilder>& graph = chain.graph;

        ComPtr<IMediaControl> control;
        ASSERT_EQ(S_OK, ComQuery(graph, control));
        ASSERT_HRESULT_SUCCEEDED(control->Run());
        for (int i = 0; i < 500 && tapObject->firstFailure == S_OK; ++i)
            Sleep(10);
        Sleep(50);
        control->Stop();
        // The filter answers the failure upstream (to a later sample, or to the end of the stream when
        // its deliver thread met it) and sends nothing after the failed piece.
        EXPECT_EQ(STG_E_MEDIUMFULL, static_cast<HRESULT>(tapObject->firstFailure));
        EXPECT_EQ(0, tapObject->acceptedAfterFailure);
        EXPECT_EQ(1u, sinkObject->SampleLengths().size());
        chain.RemoveAll();
    }
}

namespace {

// An object that aggregates the filter: every interface but IUnknown comes from the filter, and
// every reference taken through them is the outer object's.
class COuterObject : public IUnknown
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown) {
            *ppv = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(riid, ppv) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&refs); }

    volatile LONG refs = 1;
    IUnknown* inner = nullptr;
};

// Whether Hollit.ax still has objects alive, by its own DllCanUnloadNow.
bool HollitHasObjects()
{
    HMODULE module = GetModuleHandleA("Hollit.ax");
    auto canUnload = module ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(module, "DllCanUnloadNow"))
                            : nullptr;
    return canUnload && canUnload() != S_OK;
}

}

TEST_F(HollitComTest, AggregatedFilterAndPinsCountOnTheOuterObject)
{
    record.Reset();
    filter.Reset();
    COuterObject outer;
    ASSERT_EQ(E_NOINTERFACE, CoCreateInstance(CLSID_MpegRecordFilter, &outer, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                              reinterpret_cast<void**>(&outer.inner)))
        << "an aggregated object hands out its inner IUnknown only";
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MpegRecordFilter, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                     reinterpret_cast<void**>(&outer.inner)));
    EXPECT_EQ(1, outer.refs);
    EXPECT_TRUE(HollitHasObjects());

    // Each interface, asked through the outer object, counts on it and answers IUnknown with it.
    const IID* iids[] = {&IID_IBaseFilter, &IID_IMpegRecordFilter, &IID_IDispatch, &IID_ISpecifyPropertyPages,
                         &IID_IMediaFilter, &IID_IPersist};
    for (const IID* iid : iids) {
        IUnknown* part = nullptr;
        ASSERT_EQ(S_OK, outer.QueryInterface(*iid, reinterpret_cast<void**>(&part)));
        EXPECT_EQ(2, outer.refs);
        IUnknown* identity = nullptr;
        ASSERT_EQ(S_OK, part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
        EXPECT_EQ(static_cast<IUnknown*>(&outer), identity);
        EXPECT_EQ(3, outer.refs);
        identity->Release();
        part->Release();
        EXPECT_EQ(1, outer.refs);
    }

    // The pins' references are the filter's, so the outer object's too.
    IBaseFilter* base = nullptr;
    ASSERT_EQ(S_OK, outer.QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&base)));
    IPin* pin = nullptr;
    ASSERT_EQ(S_OK, base->FindPin(L"Stream In", &pin));
    EXPECT_EQ(3, outer.refs);
    PIN_INFO info = {};
    ASSERT_EQ(S_OK, pin->QueryPinInfo(&info));
    EXPECT_EQ(4, outer.refs);
    IUnknown* pinFilter = nullptr;
    ASSERT_EQ(S_OK, info.pFilter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pinFilter)));
    EXPECT_EQ(static_cast<IUnknown*>(&outer), pinFilter);
    pinFilter->Release();
    info.pFilter->Release();
    pin->Release();
    base->Release();
    EXPECT_EQ(1, outer.refs);

    // Releasing the inner IUnknown ends the filter and its pins.
    outer.inner->Release();
    outer.inner = nullptr;
    EXPECT_FALSE(HollitHasObjects());
}

TEST_F(HollitComTest, EveryCallGivesBackTheReferencesItTakes)
{
    const ULONG base = RefCount(filter);
    auto same = [&](const char* what) { EXPECT_EQ(base, RefCount(filter)) << what; };
    {
        ComPtr<IEnumPins> pins;
        ASSERT_EQ(S_OK, filter->EnumPins(&pins));
        ComPtr<IPin> pin;
        while (pins->Next(1, &pin, nullptr) == S_OK) {
            const ULONG pinBase = RefCount(pin);
            PIN_INFO info = {};
            ASSERT_EQ(S_OK, pin->QueryPinInfo(&info));
            info.pFilter->Release();
            ComPtr<IPin> connected;
            EXPECT_EQ(VFW_E_NOT_CONNECTED, pin->ConnectedTo(&connected));
            ComPtr<IEnumMediaTypes> types;
            pin->EnumMediaTypes(&types);
            types.Reset();
            LPWSTR id = nullptr;
            if (SUCCEEDED(pin->QueryId(&id)))
                CoTaskMemFree(id);
            ComPtr<IUnknown> again;
            ASSERT_EQ(S_OK, pin->QueryInterface(IID_IPin, reinterpret_cast<void**>(&again)));
            again.Reset();
            EXPECT_EQ(pinBase, RefCount(pin));
        }
    }
    same("pins enumerated and asked");
    FILTER_INFO info = {};
    ASSERT_EQ(S_OK, filter->QueryFilterInfo(&info));
    EXPECT_EQ(nullptr, info.pGraph);
    same("filter info");
    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_EQ(S_OK, ComQuery(filter, IID_ISpecifyPropertyPages, pages));
    CAUUID uuids = {};
    ASSERT_EQ(S_OK, pages->GetPages(&uuids));
    CoTaskMemFree(uuids.pElems);
    pages.Reset();
    same("property pages");
    LONG value = 0;
    record->get_EnableLostBFrame(&value);
    record->PauseRecord();
    record->ResumeRecord();
    same("pause and resume");
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, ComQuery(filter, IID_IDispatch, dispatch));
    ComPtr<ITypeInfo> typeInfo;
    if (SUCCEEDED(dispatch->GetTypeInfo(0, 0, &typeInfo)))
        typeInfo.Reset();
    dispatch.Reset();
    same("type information");

    // In a graph the filter is the graph's too; out of it, back where it was.
    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     reinterpret_cast<void**>(&graph)));
    ASSERT_EQ(S_OK, graph->AddFilter(filter, L"HALSwitch"));
    EXPECT_LT(base, RefCount(filter));
    ASSERT_EQ(S_OK, graph->RemoveFilter(filter));
    same("added to a graph and removed");
}

namespace {

// A filter downstream of the pause filter that stops taking samples until it is let go, as a
// writer stuck on a full or hung disk would.
class CGate : public CCopyTransform
{
public:
    explicit CGate(HRESULT* phr) : CCopyTransform(nullptr, phr)
    {
        entered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        open = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    ~CGate() override
    {
        CloseHandle(entered);
        CloseHandle(open);
    }
    HRESULT Receive(IMediaSample* pSample) override
    {
        SetEvent(entered);
        WaitForSingleObject(open, INFINITE);
        return CCopyTransform::Receive(pSample);
    }

    HANDLE entered;
    HANDLE open;
};

struct Call
{
    std::function<void()> what;
    HANDLE done;
};

DWORD WINAPI RunCall(void* arg)
{
    Call* call = static_cast<Call*>(arg);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    call->what();
    CoUninitialize();
    SetEvent(call->done);
    return 0;
}

// Runs the call on a thread of its own; TRUE when it came back within the time.
bool ReturnsWithin(DWORD ms, std::function<void()> what)
{
    Call call = {what, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, &RunCall, &call, 0, nullptr);
    const bool returned = WaitForSingleObject(call.done, ms) == WAIT_OBJECT_0;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(call.done);
    return returned;
}

}

TEST_F(HollitComTest, PauseReturnsWhileDownstreamIsStuck)
{
    const std::string stream = std::string(ONDRIX_SOURCE_DIR) + "/tests/parvane/fixtures/m2-small.mpg";
    ComPtr<IBaseFilter> source, sink, gate;
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(stream.c_str(), 2048, &source));
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &sink));
    HRESULT hr = S_OK;
    CGate* gateObject = new CGate(&hr);
    gateObject->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&gate));
    Chain chain({source, filter, gate, sink});
    ASSERT_TRUE(chain.connected);
    ComPtr<IGraphBuilder>& graph = chain.graph;

    ComPtr<IMediaControl> control;
    ASSERT_EQ(S_OK, ComQuery(graph, control));
    ASSERT_HRESULT_SUCCEEDED(control->Run());
    // The deliver thread is held inside the stuck filter with a group in hand.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(gateObject->entered, 10000));
    IMpegRecordFilter* r = record;
    EXPECT_TRUE(ReturnsWithin(5000, [r] { r->PauseRecord(); })) << "PauseRecord waits for the stuck filter";
    EXPECT_TRUE(ReturnsWithin(5000, [r] { r->ResumeRecord(); }));
    IMediaControl* c = control;
    EXPECT_TRUE(ReturnsWithin(5000, [c] { c->Pause(); })) << "the graph's pause waits for the stuck filter";
    SetEvent(gateObject->open);
    control->Stop();
    chain.RemoveAll();
}

namespace {

// Between the source and the filter: keeps the end of the stream back, as when a recording is
// stopped in the middle of a group.
class CEndHolder : public CCopyTransform
{
public:
    explicit CEndHolder(HRESULT* phr) : CCopyTransform(nullptr, phr) {}
    HRESULT EndOfStream() override { return S_OK; }
};

// Downstream of the filter: keeps every sample it is given (its allocator runs dry, and a
// delivery then waits in GetDeliveryBuffer) until it is told to let them go.
class CKeeper : public CCopyTransform
{
public:
    explicit CKeeper(HRESULT* phr) : CCopyTransform(nullptr, phr)
    {
        full = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        InitializeCriticalSection(&m_lock);
    }
    ~CKeeper() override
    {
        LetGo();
        CloseHandle(full);
        DeleteCriticalSection(&m_lock);
    }
    HRESULT Receive(IMediaSample* pSample) override
    {
        EnterCriticalSection(&m_lock);
        if (m_keep) {
            pSample->AddRef();
            m_kept.push_back(pSample);
            if (static_cast<long>(m_kept.size()) >= buffers)
                SetEvent(full);
        }
        LeaveCriticalSection(&m_lock);
        return S_OK;
    }
    void LetGo()
    {
        EnterCriticalSection(&m_lock);
        m_keep = false;
        for (IMediaSample* s : m_kept)
            s->Release();
        m_kept.clear();
        LeaveCriticalSection(&m_lock);
    }

    HANDLE full;
    long buffers = 1;

private:
    CRITICAL_SECTION m_lock;
    bool m_keep = true;
    std::vector<IMediaSample*> m_kept;
};

}

TEST_F(HollitComTest, StopReturnsWhileDownstreamKeepsItsBuffers)
{
    const std::string stream = std::string(ONDRIX_SOURCE_DIR) + "/tests/parvane/fixtures/m2-small.mpg";
    ComPtr<IBaseFilter> source, holder, keeper, sink;
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(stream.c_str(), 2048, &source));
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &sink));
    HRESULT hr = S_OK;
    CEndHolder* holderObject = new CEndHolder(&hr);
    holderObject->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&holder));
    CKeeper* keeperObject = new CKeeper(&hr);
    keeperObject->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&keeper));
    Chain chain({source, holder, filter, keeper, sink});
    ASSERT_TRUE(chain.connected);
    ComPtr<IMemInputPin> keeperIn;
    ASSERT_EQ(S_OK, ComQuery(Chain::PinOf(keeper, PINDIR_INPUT), keeperIn));
    ComPtr<IMemAllocator> allocator;
    ASSERT_EQ(S_OK, keeperIn->GetAllocator(&allocator));
    ALLOCATOR_PROPERTIES props = {};
    ASSERT_EQ(S_OK, allocator->GetProperties(&props));
    keeperObject->buffers = props.cBuffers;
    allocator.Reset();
    keeperIn.Reset();

    ComPtr<IMediaControl> control;
    ASSERT_EQ(S_OK, ComQuery(chain.graph, control));
    ASSERT_HRESULT_SUCCEEDED(control->Run());
    // Every buffer downstream is kept: the deliver thread waits for one with groups in hand.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(keeperObject->full, 10000));

    // The filter is stopped on its own while downstream still runs: the output's decommit is what
    // frees the waiting delivery, so the stop must get there.
    Call call = {[this] { filter->Stop(); }, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, &RunCall, &call, 0, nullptr);
    const bool returned = WaitForSingleObject(call.done, 15000) == WAIT_OBJECT_0;
    keeperObject->LetGo();
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(call.done);
    EXPECT_TRUE(returned) << "the stop waits for a buffer that downstream keeps";
    control->Stop();
    chain.RemoveAll();
}
