#include <gtest/gtest.h>
#include "platform/standins/testfilters/TestFilters.h"
#include "tests/platform/dshow/DsTestUtil.h"

namespace {

// A plain object of ours for ComPtr and CUnknown checks.
class CCounted : public CUnknown, public IPersist
{
public:
    explicit CCounted(IUnknown* outer = nullptr) : CUnknown("CCounted", outer) {}
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IPersist) return GetInterface(static_cast<IPersist*>(this), ppv);
        return CUnknown::NonDelegatingQueryInterface(riid, ppv);
    }
    STDMETHODIMP GetClassID(CLSID* p) override
    {
        *p = CLSID_NULL;
        return S_OK;
    }
};

IPersist* NewCounted()
{
    CCounted* c = new CCounted();
    IPersist* p = nullptr;
    c->NonDelegatingQueryInterface(IID_IPersist, reinterpret_cast<void**>(&p));
    return p;
}

TEST(ComPtrTest, OwnsExactlyOneReference)
{
    IPersist* raw = NewCounted();
    ASSERT_EQ(1u, RefCount(raw));
    {
        ComPtr<IPersist> a(raw);
        EXPECT_EQ(2u, RefCount(raw));
        ComPtr<IPersist> b = a;
        EXPECT_EQ(3u, RefCount(raw));
        ComPtr<IPersist> c = std::move(b);
        EXPECT_EQ(3u, RefCount(raw));
        EXPECT_FALSE(b);
        IPersist* copy = nullptr;
        EXPECT_EQ(S_OK, c.CopyTo(&copy));
        EXPECT_EQ(4u, RefCount(raw));
        copy->Release();
        IPersist* detached = c.Detach();
        EXPECT_EQ(3u, RefCount(raw));
        EXPECT_FALSE(c);
        c.Attach(detached);
        EXPECT_EQ(3u, RefCount(raw));
        ComPtr<IUnknown> unk;
        EXPECT_EQ(S_OK, ComQuery(raw, unk));
        EXPECT_EQ(4u, RefCount(raw));
        ComPtr<IBaseFilter> none;
        EXPECT_EQ(E_NOINTERFACE, ComQuery(raw, none));
        EXPECT_FALSE(none);
    }
    EXPECT_EQ(1u, RefCount(raw));
    EXPECT_EQ(0u, raw->Release());
}

TEST(ComPtrTest, AddressOfReleasesWhatWasHeld)
{
    IPersist* first = NewCounted();
    IPersist* second = NewCounted();
    ComPtr<IPersist> p(first);
    first->Release();
    LONG before = CUnknown::ObjectCount();
    IPersist** slot = &p;  // frees the first object
    EXPECT_EQ(before - 1, CUnknown::ObjectCount());
    *slot = second;
    p.Reset();
    EXPECT_EQ(before - 2, CUnknown::ObjectCount());
    IPersist* empty = nullptr;
    EXPECT_EQ(E_POINTER, p.CopyTo(nullptr));
    EXPECT_EQ(S_OK, p.CopyTo(&empty));
    EXPECT_EQ(nullptr, empty);
}

// An outer object aggregating a transform filter of ours.
class COuter : public CUnknown
{
public:
    COuter() : CUnknown("COuter", nullptr), m_inner(nullptr) {}
    ~COuter() override
    {
        if (m_inner) m_inner->Release();
    }
    IUnknown* m_inner;
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown) return CUnknown::NonDelegatingQueryInterface(riid, ppv);
        return m_inner->QueryInterface(riid, ppv);
    }
};

TEST(CUnknownTest, AggregatedFilterDelegatesToOuter)
{
    ComScope com;
    COuter* outer = new COuter();
    outer->NonDelegatingAddRef();
    HRESULT hr = S_OK;
    CUnknown* inner = CCopyTransform::CreateInstance(outer->GetInner(), &hr);
    ASSERT_TRUE(inner);
    ASSERT_HRESULT_SUCCEEDED(hr);
    inner->NonDelegatingQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&outer->m_inner));
    ASSERT_EQ(inner->GetInner(), outer->m_inner);
    EXPECT_EQ(1u, RefCount(outer->m_inner));

    IBaseFilter* filter = nullptr;
    ASSERT_EQ(S_OK, outer->GetInner()->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter)));
    // The filter's references are the outer object's.
    EXPECT_EQ(2u, RefCount(outer->GetInner()));
    IUnknown* unk = nullptr;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk)));
    EXPECT_EQ(outer->GetInner(), unk);
    unk->Release();
    ComPtr<IPin> pin = PinByIndex(filter, 0);
    ASSERT_TRUE(pin);
    EXPECT_EQ(3u, RefCount(outer->GetInner()));
    pin.Reset();
    filter->Release();
    EXPECT_EQ(1u, RefCount(outer->GetInner()));
    LONG before = CUnknown::ObjectCount();
    outer->NonDelegatingRelease();
    // Outer, filter and its two pins are gone.
    EXPECT_EQ(before - 4, CUnknown::ObjectCount());
}

struct QueryRow
{
    const IID* iid;
    HRESULT expected;
};

void CheckQueries(IUnknown* obj, const std::vector<QueryRow>& rows)
{
    ULONG base = RefCount(obj);
    for (const QueryRow& r : rows) {
        IUnknown* p = reinterpret_cast<IUnknown*>(0x1234);
        HRESULT hr = obj->QueryInterface(*r.iid, reinterpret_cast<void**>(&p));
        EXPECT_EQ(r.expected, hr);
        if (SUCCEEDED(hr)) {
            ASSERT_TRUE(p);
            EXPECT_EQ(base + 1, RefCount(obj));
            IUnknown* identity = nullptr;
            p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
            IUnknown* objIdentity = nullptr;
            obj->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&objIdentity));
            EXPECT_EQ(objIdentity, identity);
            identity->Release();
            objIdentity->Release();
            p->Release();
        } else {
            EXPECT_EQ(nullptr, p);
        }
        EXPECT_EQ(base, RefCount(obj));
    }
    EXPECT_EQ(E_POINTER, obj->QueryInterface(IID_IUnknown, nullptr));
}

TEST(FilterComTest, InterfaceQueriesAndCounts)
{
    ComScope com;
    ComPtr<IBaseFilter> source, copy, sink;
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(nullptr, 16, &source));
    ASSERT_HRESULT_SUCCEEDED(CreateCopyTransform(&copy));
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &sink));
    EXPECT_EQ(1u, RefCount(source));
    EXPECT_EQ(1u, RefCount(copy));
    EXPECT_EQ(1u, RefCount(sink));

    std::vector<QueryRow> common = {
        {&IID_IUnknown, S_OK},       {&IID_IBaseFilter, S_OK},         {&IID_IMediaFilter, S_OK},
        {&IID_IPersist, S_OK},       {&IID_IAMovieSetup, S_OK},        {&IID_IKsPropertySet, E_NOINTERFACE},
        {&IID_IPin, E_NOINTERFACE},  {&IID_IMemInputPin, E_NOINTERFACE}, {&IID_IClassFactory, E_NOINTERFACE},
    };
    CheckQueries(copy, common);
    std::vector<QueryRow> sourceRows = common;
    sourceRows.push_back({&IID_IFileSourceFilter, S_OK});
    sourceRows.push_back({&IID_IFileSinkFilter, E_NOINTERFACE});
    CheckQueries(source, sourceRows);
    std::vector<QueryRow> sinkRows = common;
    sinkRows.push_back({&IID_IFileSinkFilter, S_OK});
    sinkRows.push_back({&IID_IAMFilterMiscFlags, S_OK});
    CheckQueries(sink, sinkRows);

    CLSID clsid;
    EXPECT_EQ(S_OK, copy->GetClassID(&clsid));
    EXPECT_EQ(CLSID_OndrixCopyTransform, clsid);
    EXPECT_EQ(E_POINTER, copy->GetClassID(nullptr));
}

TEST(FilterComTest, PinQueriesCountOnTheFilter)
{
    ComScope com;
    ComPtr<IBaseFilter> copy;
    ASSERT_HRESULT_SUCCEEDED(CreateCopyTransform(&copy));
    ComPtr<IPin> in = PinByIndex(copy, 0);
    ComPtr<IPin> out = PinByIndex(copy, 1);
    ASSERT_TRUE(in && out);
    EXPECT_EQ(3u, RefCount(copy));
    CheckQueries(in, {{&IID_IUnknown, S_OK},
                      {&IID_IPin, S_OK},
                      {&IID_IMemInputPin, S_OK},
                      {&IID_IKsPropertySet, E_NOINTERFACE},
                      {&IID_IBaseFilter, E_NOINTERFACE}});
    CheckQueries(out, {{&IID_IUnknown, S_OK},
                       {&IID_IPin, S_OK},
                       {&IID_IMemInputPin, E_NOINTERFACE},
                       {&IID_IKsPropertySet, E_NOINTERFACE}});

    PIN_INFO info;
    ASSERT_EQ(S_OK, in->QueryPinInfo(&info));
    EXPECT_EQ(copy.Get(), info.pFilter);
    EXPECT_STREQ(L"Input", info.achName);
    EXPECT_EQ(PINDIR_INPUT, info.dir);
    EXPECT_EQ(4u, RefCount(copy));
    info.pFilter->Release();
    PIN_DIRECTION dir;
    EXPECT_EQ(S_OK, out->QueryDirection(&dir));
    EXPECT_EQ(PINDIR_OUTPUT, dir);
    LPWSTR id = nullptr;
    EXPECT_EQ(S_OK, out->QueryId(&id));
    EXPECT_STREQ(L"Output", id);
    CoTaskMemFree(id);

    ComPtr<IPin> found;
    EXPECT_EQ(S_OK, copy->FindPin(L"Output", &found));
    EXPECT_EQ(out.Get(), found.Get());
    EXPECT_EQ(VFW_E_NOT_FOUND, copy->FindPin(L"output", &found));
    EXPECT_FALSE(found);
    EXPECT_EQ(E_POINTER, copy->FindPin(L"Output", nullptr));

    ComPtr<IPin> peer;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, in->ConnectedTo(&peer));
    EXPECT_FALSE(peer);
    AM_MEDIA_TYPE mt;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, in->ConnectionMediaType(&mt));
    EXPECT_EQ(S_FALSE, in->Disconnect());
    in.Reset();
    out.Reset();
    EXPECT_EQ(1u, RefCount(copy));
}

TEST(FilterComTest, CapturePinCategoryThroughKsPropertySet)
{
    ComScope com;
    HRESULT hr = S_OK;
    CUnknown* obj = CBytePushSource::CreateCaptureInstance(nullptr, &hr);
    ASSERT_TRUE(obj);
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(S_OK, obj->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter)));
    ComPtr<IPin> pin = PinByIndex(filter, 0);
    ComPtr<IKsPropertySet> ks;
    ASSERT_EQ(S_OK, ComQuery(pin, ks));
    EXPECT_EQ(3u, RefCount(filter));

    GUID category = GUID_NULL;
    DWORD returned = 0;
    EXPECT_EQ(S_OK, ks->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof(category),
                            &returned));
    EXPECT_EQ(PIN_CATEGORY_CAPTURE, category);
    EXPECT_EQ(sizeof(GUID), returned);
    EXPECT_EQ(E_UNEXPECTED, ks->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, 4, &returned));
    DWORD support = 0;
    EXPECT_EQ(S_OK, ks->QuerySupported(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, &support));
    EXPECT_EQ(DWORD(KSPROPERTY_SUPPORT_GET), support);
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, ks->Set(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category,
                                             sizeof(category)));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, ks->QuerySupported(AMPROPSETID_Pin, AMPROPERTY_PIN_MEDIUM, &support));
    EXPECT_EQ(E_PROP_SET_UNSUPPORTED, ks->QuerySupported(PIN_CATEGORY_CAPTURE, 0, &support));
}

// A filter with a property set of its own and pins that come and go.
class CPropFilter : public CBaseFilter
{
public:
    CPropFilter() : CBaseFilter("CPropFilter", nullptr, &m_lock, CLSID_NULL), m_value(7)
    {
        AddKsProperty(PIN_CATEGORY_CAPTURE, 3,
                      [this](void*, DWORD, void* data, DWORD cb, DWORD* ret) -> HRESULT {
                          if (cb < sizeof(LONG)) return E_INVALIDARG;
                          *static_cast<LONG*>(data) = m_value;
                          *ret = sizeof(LONG);
                          return S_OK;
                      },
                      [this](void*, DWORD, void* data, DWORD cb) -> HRESULT {
                          if (cb < sizeof(LONG)) return E_INVALIDARG;
                          m_value = *static_cast<LONG*>(data);
                          return S_OK;
                      });
    }
    ~CPropFilter() override
    {
        for (CBasePin* p : m_pins) delete p;
    }
    int GetPinCount() override { return int(m_pins.size()); }
    CBasePin* GetPin(int n) override { return n >= 0 && n < int(m_pins.size()) ? m_pins[n] : nullptr; }
    void AddPin(CBasePin* p)
    {
        m_pins.push_back(p);
        IncrementPinVersion();
    }
    CCritSec m_lock;
    LONG m_value;
    std::vector<CBasePin*> m_pins;
};

class CAnyInputPin : public CBaseInputPin
{
public:
    CAnyInputPin(CBaseFilter* f, CCritSec* lock, LPCWSTR name, int types)
        : CBaseInputPin("CAnyInputPin", f, lock, nullptr, name), m_types(types) {}
    HRESULT CheckMediaType(const CMediaType*) override { return S_OK; }
    HRESULT GetMediaType(int pos, CMediaType* mt) override
    {
        if (pos < 0) return E_INVALIDARG;
        if (pos >= m_types) return VFW_S_NO_MORE_ITEMS;
        mt->InitMediaType();
        mt->SetType(&MEDIATYPE_Stream);
        GUID sub = MEDIASUBTYPE_NULL;
        sub.Data1 = DWORD(pos + 1);
        mt->SetSubtype(&sub);
        return S_OK;
    }
    int m_types;
};

ComPtr<IBaseFilter> NewPropFilter(CPropFilter** pp, int pins, int typesPerPin)
{
    CPropFilter* f = new CPropFilter();
    for (int i = 0; i < pins; ++i) {
        wchar_t name[16];
        wsprintfW(name, L"In%d", i);
        f->AddPin(new CAnyInputPin(f, &f->m_lock, name, typesPerPin));
    }
    ComPtr<IBaseFilter> out;
    f->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&out));
    *pp = f;
    return out;
}

TEST(FilterComTest, FilterPropertySet)
{
    CPropFilter* f;
    ComPtr<IBaseFilter> filter = NewPropFilter(&f, 0, 0);
    ComPtr<IKsPropertySet> ks;
    ASSERT_EQ(S_OK, ComQuery(filter, ks));
    EXPECT_EQ(2u, RefCount(filter));
    LONG v = 0;
    DWORD ret = 0;
    EXPECT_EQ(S_OK, ks->Get(PIN_CATEGORY_CAPTURE, 3, nullptr, 0, &v, sizeof(v), &ret));
    EXPECT_EQ(7, v);
    v = 42;
    EXPECT_EQ(S_OK, ks->Set(PIN_CATEGORY_CAPTURE, 3, nullptr, 0, &v, sizeof(v)));
    EXPECT_EQ(42, f->m_value);
    EXPECT_EQ(E_INVALIDARG, ks->Set(PIN_CATEGORY_CAPTURE, 3, nullptr, 0, &v, 2));
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, ks->Get(PIN_CATEGORY_CAPTURE, 4, nullptr, 0, &v, sizeof(v), &ret));
    DWORD support = 0;
    EXPECT_EQ(S_OK, ks->QuerySupported(PIN_CATEGORY_CAPTURE, 3, &support));
    EXPECT_EQ(DWORD(KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET), support);
}

TEST(EnumPinsTest, EdgesOfTheSequence)
{
    CPropFilter* f;
    ComPtr<IBaseFilter> filter = NewPropFilter(&f, 3, 0);
    ComPtr<IEnumPins> e;
    ASSERT_EQ(S_OK, filter->EnumPins(&e));
    EXPECT_EQ(2u, RefCount(filter));

    IPin* pins[4] = {};
    ULONG got = 99;
    EXPECT_EQ(E_INVALIDARG, e->Next(2, pins, nullptr));
    EXPECT_EQ(E_POINTER, e->Next(1, nullptr, &got));
    ASSERT_EQ(S_OK, e->Next(1, pins, nullptr));
    EXPECT_EQ(static_cast<IPin*>(f->m_pins[0]), pins[0]);
    EXPECT_EQ(3u, RefCount(filter));
    pins[0]->Release();

    // Two left: asking for four gives two and S_FALSE.
    EXPECT_EQ(S_FALSE, e->Next(4, pins, &got));
    EXPECT_EQ(2u, got);
    EXPECT_EQ(4u, RefCount(filter));
    pins[0]->Release();
    pins[1]->Release();
    // Past the end.
    EXPECT_EQ(S_FALSE, e->Next(1, pins, &got));
    EXPECT_EQ(0u, got);
    EXPECT_EQ(S_FALSE, e->Skip(1));

    EXPECT_EQ(S_OK, e->Reset());
    EXPECT_EQ(S_OK, e->Skip(2));
    ComPtr<IEnumPins> clone;
    ASSERT_EQ(S_OK, e->Clone(&clone));
    EXPECT_EQ(3u, RefCount(filter));
    ASSERT_EQ(S_OK, clone->Next(1, pins, &got));
    EXPECT_EQ(static_cast<IPin*>(f->m_pins[2]), pins[0]);
    pins[0]->Release();
    // The original did not move with its clone.
    ASSERT_EQ(S_OK, e->Next(1, pins, &got));
    EXPECT_EQ(static_cast<IPin*>(f->m_pins[2]), pins[0]);
    pins[0]->Release();
    EXPECT_EQ(S_OK, e->Reset());
    EXPECT_EQ(S_FALSE, e->Skip(4));
    EXPECT_EQ(S_FALSE, e->Next(1, pins, &got));
    EXPECT_EQ(S_OK, e->Reset());
    EXPECT_EQ(S_OK, e->Skip(3));
    EXPECT_EQ(S_OK, e->Skip(0));

    // A pin added after the enumerator was made puts it out of step until Reset.
    f->AddPin(new CAnyInputPin(f, &f->m_lock, L"Late", 0));
    EXPECT_EQ(VFW_E_ENUM_OUT_OF_SYNC, e->Next(1, pins, &got));
    EXPECT_EQ(VFW_E_ENUM_OUT_OF_SYNC, e->Skip(1));
    ComPtr<IEnumPins> clone2;
    EXPECT_EQ(VFW_E_ENUM_OUT_OF_SYNC, e->Clone(&clone2));
    EXPECT_EQ(S_OK, e->Reset());
    EXPECT_EQ(S_OK, e->Skip(3));
    ASSERT_EQ(S_OK, e->Next(1, pins, &got));
    EXPECT_EQ(static_cast<IPin*>(f->m_pins[3]), pins[0]);
    pins[0]->Release();

    e.Reset();
    clone.Reset();
    EXPECT_EQ(1u, RefCount(filter));
}

TEST(EnumPinsTest, FilterWithoutPins)
{
    CPropFilter* f;
    ComPtr<IBaseFilter> filter = NewPropFilter(&f, 0, 0);
    ComPtr<IEnumPins> e;
    ASSERT_EQ(S_OK, filter->EnumPins(&e));
    IPin* pin = reinterpret_cast<IPin*>(1);
    ULONG got = 5;
    EXPECT_EQ(S_FALSE, e->Next(1, &pin, &got));
    EXPECT_EQ(0u, got);
    EXPECT_EQ(S_OK, e->Skip(0));
    EXPECT_EQ(S_FALSE, e->Skip(1));
}

TEST(EnumMediaTypesTest, EdgesOfTheSequence)
{
    CPropFilter* f;
    ComPtr<IBaseFilter> filter = NewPropFilter(&f, 1, 3);
    ComPtr<IPin> pin = PinByIndex(filter, 0);
    ComPtr<IEnumMediaTypes> e;
    ASSERT_EQ(S_OK, pin->EnumMediaTypes(&e));
    EXPECT_EQ(3u, RefCount(filter));

    AM_MEDIA_TYPE* types[5] = {};
    ULONG got = 0;
    EXPECT_EQ(E_INVALIDARG, e->Next(2, types, nullptr));
    ASSERT_EQ(S_OK, e->Next(1, types, nullptr));
    EXPECT_EQ(MEDIATYPE_Stream, types[0]->majortype);
    EXPECT_EQ(1u, types[0]->subtype.Data1);
    DeleteMediaType(types[0]);
    EXPECT_EQ(S_FALSE, e->Next(5, types, &got));
    ASSERT_EQ(2u, got);
    EXPECT_EQ(2u, types[0]->subtype.Data1);
    EXPECT_EQ(3u, types[1]->subtype.Data1);
    DeleteMediaType(types[0]);
    DeleteMediaType(types[1]);
    EXPECT_EQ(S_FALSE, e->Next(1, types, &got));
    EXPECT_EQ(0u, got);
    EXPECT_EQ(S_FALSE, e->Skip(1));

    EXPECT_EQ(S_OK, e->Reset());
    EXPECT_EQ(S_OK, e->Skip(2));
    ComPtr<IEnumMediaTypes> clone;
    ASSERT_EQ(S_OK, e->Clone(&clone));
    EXPECT_EQ(4u, RefCount(filter));
    ASSERT_EQ(S_OK, clone->Next(1, types, &got));
    EXPECT_EQ(3u, types[0]->subtype.Data1);
    DeleteMediaType(types[0]);
    EXPECT_EQ(S_OK, e->Skip(1));
    EXPECT_EQ(S_FALSE, e->Skip(1));
    EXPECT_EQ(S_OK, e->Reset());
    EXPECT_EQ(S_FALSE, e->Skip(4));

    f->m_pins[0]->IncrementTypeVersion();
    EXPECT_EQ(VFW_E_ENUM_OUT_OF_SYNC, e->Next(1, types, &got));
    EXPECT_EQ(VFW_E_ENUM_OUT_OF_SYNC, e->Skip(1));
    EXPECT_EQ(S_OK, e->Reset());
    ASSERT_EQ(S_OK, e->Next(1, types, &got));
    DeleteMediaType(types[0]);

    e.Reset();
    clone.Reset();
    pin.Reset();
    EXPECT_EQ(1u, RefCount(filter));
}

// A pin that answers every position with the same type.
class CEndlessPin : public CAnyInputPin
{
public:
    CEndlessPin(CBaseFilter* f, CCritSec* lock) : CAnyInputPin(f, lock, L"Endless", 1) {}
    HRESULT GetMediaType(int pos, CMediaType* mt) override
    {
        if (pos < 0) return E_INVALIDARG;
        return CAnyInputPin::GetMediaType(0, mt);
    }
};

TEST(EnumMediaTypesTest, RepeatedTypeEndsTheSequence)
{
    CPropFilter* f;
    ComPtr<IBaseFilter> filter = NewPropFilter(&f, 0, 0);
    f->AddPin(new CEndlessPin(f, &f->m_lock));
    ComPtr<IEnumMediaTypes> e;
    ASSERT_EQ(S_OK, PinByIndex(filter, 0)->EnumMediaTypes(&e));
    AM_MEDIA_TYPE* types[3] = {};
    ULONG got = 0;
    EXPECT_EQ(S_FALSE, e->Next(3, types, &got));
    ASSERT_EQ(1u, got);
    DeleteMediaType(types[0]);
    EXPECT_EQ(S_OK, e->Reset());
    EXPECT_EQ(S_FALSE, e->Skip(2));
}

TEST(EnumMediaTypesTest, UnconnectedTransformOutputOffersNothing)
{
    ComScope com;
    ComPtr<IBaseFilter> copy;
    ASSERT_HRESULT_SUCCEEDED(CreateCopyTransform(&copy));
    ComPtr<IEnumMediaTypes> e;
    ASSERT_EQ(S_OK, PinByIndex(copy, 1)->EnumMediaTypes(&e));
    AM_MEDIA_TYPE* t = nullptr;
    ULONG got = 1;
    EXPECT_EQ(S_FALSE, e->Next(1, &t, &got));
    EXPECT_EQ(0u, got);
}

TEST(MediaTypeTest, CopyFreeAndCompare)
{
    CMediaType a(&MEDIATYPE_Video);
    a.SetSubtype(&MEDIASUBTYPE_YUY2);
    a.SetFormatType(&FORMAT_VideoInfo);
    BYTE* fmt = a.AllocFormatBuffer(sizeof(VIDEOINFOHEADER));
    ASSERT_TRUE(fmt);
    reinterpret_cast<VIDEOINFOHEADER*>(fmt)->bmiHeader.biWidth = 720;
    IPersist* unk = NewCounted();
    a.pUnk = unk;
    unk->AddRef();

    AM_MEDIA_TYPE* copy = CreateMediaType(&a);
    ASSERT_TRUE(copy);
    EXPECT_NE(a.pbFormat, copy->pbFormat);
    EXPECT_EQ(720, reinterpret_cast<VIDEOINFOHEADER*>(copy->pbFormat)->bmiHeader.biWidth);
    EXPECT_EQ(3u, RefCount(unk));
    CMediaType b(*copy);
    EXPECT_TRUE(a == b);
    EXPECT_EQ(4u, RefCount(unk));
    DeleteMediaType(copy);
    EXPECT_EQ(3u, RefCount(unk));
    reinterpret_cast<VIDEOINFOHEADER*>(b.pbFormat)->bmiHeader.biWidth = 704;
    EXPECT_FALSE(a == b);
    FreeMediaType(b);
    EXPECT_EQ(nullptr, b.pbFormat);
    EXPECT_EQ(0u, b.cbFormat);
    EXPECT_EQ(2u, RefCount(unk));
    a = a;
    EXPECT_EQ(720, reinterpret_cast<VIDEOINFOHEADER*>(a.pbFormat)->bmiHeader.biWidth);
    EXPECT_EQ(E_POINTER, CopyMediaType(nullptr, &a));
    unk->Release();
}

struct PartialRow
{
    const GUID* major;
    const GUID* sub;
    BOOL matches;
};

TEST(MediaTypeTest, PartialMatchTable)
{
    CMediaType full(&MEDIATYPE_Stream);
    full.SetSubtype(&MEDIASUBTYPE_MPEG2_PROGRAM);
    const PartialRow rows[] = {
        {&GUID_NULL, &GUID_NULL, TRUE},
        {&MEDIATYPE_Stream, &GUID_NULL, TRUE},
        {&GUID_NULL, &MEDIASUBTYPE_MPEG2_PROGRAM, TRUE},
        {&MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG2_PROGRAM, TRUE},
        {&MEDIATYPE_Video, &GUID_NULL, FALSE},
        {&MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG1System, FALSE},
    };
    for (const PartialRow& r : rows) {
        CMediaType partial(r.major);
        partial.SetSubtype(r.sub);
        EXPECT_EQ(r.matches, full.MatchesPartial(&partial));
    }
}

CUnknown* CALLBACK NewCountedObject(IUnknown* outer, HRESULT*)
{
    return new CCounted(outer);
}

TEST(ClassFactoryTest, TableDrivenClassObjects)
{
    const CLSID kMine = CLSID_OndrixCopyTransform;
    const CFactoryTemplate table[] = {
        {L"Counted", &kMine, NewCountedObject, nullptr, nullptr, nullptr},
    };
    IClassFactory* factory = nullptr;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
              DsGetClassObject(table, 1, CLSID_OndrixFileAppendSink, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(E_NOINTERFACE, DsGetClassObject(table, 1, kMine, IID_IPersist, reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(E_POINTER, DsGetClassObject(table, 1, kMine, IID_IClassFactory, nullptr));
    LONG objects = CUnknown::ObjectCount();
    ASSERT_EQ(S_OK, DsGetClassObject(table, 1, kMine, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(1u, RefCount(factory));
    EXPECT_EQ(S_FALSE, DsCanUnloadNow());

    IPersist* obj = nullptr;
    EXPECT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&obj)));
    EXPECT_EQ(1u, RefCount(obj));
    EXPECT_EQ(objects + 1, CUnknown::ObjectCount());
    IBaseFilter* wrong = nullptr;
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&wrong)));
    EXPECT_EQ(objects + 1, CUnknown::ObjectCount());
    // Aggregation hands out only the inner IUnknown.
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(obj, IID_IPersist, reinterpret_cast<void**>(&wrong)));
    IUnknown* inner = nullptr;
    EXPECT_EQ(S_OK, factory->CreateInstance(obj, IID_IUnknown, reinterpret_cast<void**>(&inner)));
    EXPECT_EQ(objects + 2, CUnknown::ObjectCount());
    inner->Release();
    obj->Release();
    EXPECT_EQ(objects, CUnknown::ObjectCount());

    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    LONG locks = CUnknown::LockCount();
    EXPECT_EQ(S_FALSE, DsCanUnloadNow());
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(locks - 1, CUnknown::LockCount());
    factory->Release();
    // Only the objects this program still holds keep the module.
    EXPECT_EQ(CUnknown::ObjectCount() == 0 && CUnknown::LockCount() == 0 ? S_OK : S_FALSE, DsCanUnloadNow());
}

struct OwnerProbe
{
    CCritSec* cs;
    BOOL owns;
};

DWORD WINAPI ProbeOwner(LPVOID p)
{
    OwnerProbe* pr = static_cast<OwnerProbe*>(p);
    pr->owns = pr->cs->IsOwnedByCurrentThread();
    return 0;
}

TEST(CritSecTest, OwnerAndNesting)
{
    CCritSec cs;
    EXPECT_FALSE(cs.IsOwnedByCurrentThread());
    {
        CAutoLock a(&cs);
        EXPECT_TRUE(cs.IsOwnedByCurrentThread());
        {
            CAutoLock b(&cs);
            EXPECT_TRUE(cs.IsOwnedByCurrentThread());
        }
        EXPECT_TRUE(cs.IsOwnedByCurrentThread());
        OwnerProbe probe{&cs, TRUE};
        HANDLE t = CreateThread(nullptr, 0, &ProbeOwner, &probe, 0, nullptr);
        WaitForSingleObject(t, INFINITE);
        CloseHandle(t);
        BOOL otherOwns = probe.owns;
        EXPECT_FALSE(otherOwns);
    }
    EXPECT_FALSE(cs.IsOwnedByCurrentThread());
}

}  // namespace
