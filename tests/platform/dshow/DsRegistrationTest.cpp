#include <gtest/gtest.h>
#include "platform/standins/testfilters/TestFilterIds.h"
#include "tests/platform/dshow/DsTestUtil.h"
#include <ks.h>
#include <ksmedia.h>

namespace {

typedef HRESULT(STDAPICALLTYPE* ServerFn)();

std::string ModulePath()
{
    char path[MAX_PATH];
    GetFullPathNameA("OndrixTestFilters.ax", MAX_PATH, path, nullptr);
    return path;
}

std::string ClsidKey(REFCLSID clsid)
{
    WCHAR w[40];
    StringFromGUID2(clsid, w, 40);
    char a[40];
    WideCharToMultiByte(CP_ACP, 0, w, -1, a, 40, nullptr, nullptr);
    return std::string("CLSID\\") + a;
}

std::string ReadString(HKEY root, const std::string& key, const char* value)
{
    char buf[MAX_PATH * 2] = {};
    LONG size = sizeof(buf);
    DWORD type = 0, cb = sizeof(buf);
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<missing>";
    LONG err = RegQueryValueExA(h, value, nullptr, &type, reinterpret_cast<BYTE*>(buf), &cb);
    RegCloseKey(h);
    (void)size;
    return err == ERROR_SUCCESS ? std::string(buf) : "<no value>";
}

// The filters of a device category by friendly name, through the system device enumerator.
std::vector<std::pair<std::wstring, ComPtr<IMoniker>>> Devices(REFCLSID category)
{
    std::vector<std::pair<std::wstring, ComPtr<IMoniker>>> out;
    ComPtr<ICreateDevEnum> devenum;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                reinterpret_cast<void**>(&devenum))))
        return out;
    ComPtr<IEnumMoniker> e;
    if (devenum->CreateClassEnumerator(category, &e, 0) != S_OK || !e) return out;
    ComPtr<IMoniker> m;
    while (e->Next(1, &m, nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        VARIANT v;
        VariantInit(&v);
        if (SUCCEEDED(m->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag))) &&
            SUCCEEDED(bag->Read(L"FriendlyName", &v, nullptr)) && v.vt == VT_BSTR) {
            out.emplace_back(v.bstrVal, m);
        }
        VariantClear(&v);
    }
    return out;
}

ComPtr<IMoniker> FindDevice(REFCLSID category, const wchar_t* name, int* count = nullptr)
{
    ComPtr<IMoniker> found;
    int n = 0;
    for (auto& d : Devices(category)) {
        if (d.first == name) {
            if (!found) found = d.second;
            ++n;
        }
    }
    if (count) *count = n;
    return found;
}

DWORD RunProgram(const std::string& commandLine)
{
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi;
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return ~0u;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = ~0u;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

class DsRegistrationTest : public ::testing::Test
{
protected:
    ComScope com;
    HMODULE module = nullptr;
    ServerFn reg = nullptr;
    ServerFn unreg = nullptr;
    ServerFn canUnload = nullptr;

    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(com.hr);
        module = LoadLibraryA("OndrixTestFilters.ax");
        ASSERT_TRUE(module) << GetLastError();
        reg = reinterpret_cast<ServerFn>(GetProcAddress(module, "DllRegisterServer"));
        unreg = reinterpret_cast<ServerFn>(GetProcAddress(module, "DllUnregisterServer"));
        canUnload = reinterpret_cast<ServerFn>(GetProcAddress(module, "DllCanUnloadNow"));
        ASSERT_TRUE(reg && unreg && canUnload);
    }
    void TearDown() override
    {
        if (unreg) unreg();
        CoFreeUnusedLibraries();
        if (module) FreeLibrary(module);
    }
};

TEST_F(DsRegistrationTest, RegisterWritesServerKeysAndCategories)
{
    ASSERT_EQ(S_OK, reg());
    const CLSID* classes[] = {&CLSID_OndrixBytePushSource, &CLSID_OndrixFileAppendSink, &CLSID_OndrixCopyTransform,
                              &CLSID_OndrixTestCapture};
    for (const CLSID* c : classes) {
        std::string key = ClsidKey(*c) + "\\InprocServer32";
        EXPECT_EQ(0, lstrcmpiA(ModulePath().c_str(), ReadString(HKEY_CLASSES_ROOT, key, nullptr).c_str()));
        EXPECT_EQ("Both", ReadString(HKEY_CLASSES_ROOT, key, "ThreadingModel"));
    }
    EXPECT_EQ("Ondrix Copy Transform", ReadString(HKEY_CLASSES_ROOT, ClsidKey(CLSID_OndrixCopyTransform), nullptr));

    // DirectShow filters category and a device category, by friendly name.
    EXPECT_TRUE(FindDevice(CLSID_LegacyAmFilterCategory, L"Ondrix Copy Transform"));
    EXPECT_TRUE(FindDevice(CLSID_LegacyAmFilterCategory, L"Ondrix File Append Sink"));
    int count = 0;
    EXPECT_TRUE(FindDevice(AM_KSCATEGORY_CAPTURE, L"Ondrix Test Capture", &count));
    EXPECT_EQ(1, count);
    EXPECT_FALSE(FindDevice(AM_KSCATEGORY_CAPTURE, L"Ondrix Copy Transform"));

    // Registering twice changes nothing.
    ASSERT_EQ(S_OK, reg());
    FindDevice(AM_KSCATEGORY_CAPTURE, L"Ondrix Test Capture", &count);
    EXPECT_EQ(1, count);
}

TEST_F(DsRegistrationTest, DeviceMonikerBindsToOurFilter)
{
    ASSERT_EQ(S_OK, reg());
    ComPtr<IMoniker> moniker = FindDevice(AM_KSCATEGORY_CAPTURE, L"Ondrix Test Capture");
    ASSERT_TRUE(moniker);
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(S_OK, moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&filter)));
    CLSID clsid;
    ASSERT_EQ(S_OK, filter->GetClassID(&clsid));
    EXPECT_EQ(CLSID_OndrixTestCapture, clsid);
    EXPECT_EQ(1u, RefCount(filter));
    EXPECT_EQ(S_FALSE, canUnload());

    // The capture graph builder finds the output by its pin category.
    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     reinterpret_cast<void**>(&graph)));
    ASSERT_EQ(S_OK, graph->AddFilter(filter, L"Ondrix Test Capture"));
    ComPtr<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ICaptureGraphBuilder2, reinterpret_cast<void**>(&builder)));
    ASSERT_EQ(S_OK, builder->SetFiltergraph(graph));
    ComPtr<IPin> capture;
    EXPECT_EQ(S_OK, builder->FindPin(filter, PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, nullptr, FALSE, 0, &capture));
    EXPECT_TRUE(capture);
    ComPtr<IPin> preview;
    EXPECT_NE(S_OK, builder->FindPin(filter, PINDIR_OUTPUT, &PIN_CATEGORY_PREVIEW, nullptr, FALSE, 0, &preview));

    capture.Reset();
    builder.Reset();
    graph.Reset();
    filter.Reset();
    moniker.Reset();
    EXPECT_EQ(S_OK, canUnload());
}

TEST_F(DsRegistrationTest, CreatedThroughComByClassId)
{
    ASSERT_EQ(S_OK, reg());
    ComPtr<IBaseFilter> sink;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_OndrixFileAppendSink, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     reinterpret_cast<void**>(&sink)));
    ComPtr<IFileSinkFilter> fileSink;
    EXPECT_EQ(S_OK, ComQuery(sink, fileSink));
    EXPECT_EQ(2u, RefCount(sink));
    // Aggregation asks for the inner IUnknown only.
    ComPtr<IUnknown> inner;
    EXPECT_EQ(E_NOINTERFACE, CoCreateInstance(CLSID_OndrixFileAppendSink, sink, CLSCTX_INPROC_SERVER,
                                              IID_IBaseFilter, reinterpret_cast<void**>(&inner)));
}

TEST_F(DsRegistrationTest, UnregisterRemovesEverything)
{
    ASSERT_EQ(S_OK, reg());
    ASSERT_EQ(S_OK, unreg());
    EXPECT_EQ("<missing>", ReadString(HKEY_CLASSES_ROOT, ClsidKey(CLSID_OndrixCopyTransform), nullptr));
    EXPECT_FALSE(FindDevice(AM_KSCATEGORY_CAPTURE, L"Ondrix Test Capture"));
    EXPECT_FALSE(FindDevice(CLSID_LegacyAmFilterCategory, L"Ondrix Copy Transform"));
    ComPtr<IBaseFilter> f;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_OndrixCopyTransform, nullptr, CLSCTX_INPROC_SERVER,
                                                    IID_IBaseFilter, reinterpret_cast<void**>(&f)));
    // Removing what is not there is no failure.
    EXPECT_EQ(S_OK, unreg());
}

TEST_F(DsRegistrationTest, Regsvr32RegistersAndUnregisters)
{
    std::string path = ModulePath();
    ASSERT_EQ(0u, RunProgram("regsvr32.exe /s \"" + path + "\""));
    EXPECT_TRUE(FindDevice(AM_KSCATEGORY_CAPTURE, L"Ondrix Test Capture"));
    ASSERT_EQ(0u, RunProgram("regsvr32.exe /s /u \"" + path + "\""));
    EXPECT_FALSE(FindDevice(AM_KSCATEGORY_CAPTURE, L"Ondrix Test Capture"));
    EXPECT_EQ("<missing>", ReadString(HKEY_CLASSES_ROOT, ClsidKey(CLSID_OndrixTestCapture), nullptr));
}

}  // namespace
