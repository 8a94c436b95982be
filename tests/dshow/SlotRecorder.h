#pragma once
// Fakes of private filter interfaces, built from the methods' positions and
// argument sizes alone (not from the system's declarations of them): every
// method past IUnknown records its position and the 32-bit words its caller
// pushed, and answers with a result the test chooses. A wrapper that called
// the wrong position, or passed the wrong number of words, shows up in the log
// (or unbalances the stack).
#include <dshow.h>

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/dshow/Streams.h"

struct SlotCall
{
    std::string object;
    int slot;  // counted from 0, the three IUnknown methods included
    std::vector<DWORD> words;
};

// The calls of every slot object of one fake, in order, and the answers.
class CSlotLog
{
public:
    typedef std::function<HRESULT(const DWORD* words)> Hook;

    std::vector<SlotCall> calls;

    // The result of a slot (S_OK unless set).
    void SetResult(const std::string& object, int slot, HRESULT hr) { m_results[{ object, slot }] = hr; }
    // Runs instead of the plain result, to fill out-pointers among the words.
    void SetHook(const std::string& object, int slot, Hook hook) { m_hooks[{ object, slot }] = hook; }

    HRESULT Record(const std::string& object, int slot, const DWORD* words, int count)
    {
        calls.push_back({ object, slot, std::vector<DWORD>(words, words + count) });
        auto hook = m_hooks.find({ object, slot });
        if (hook != m_hooks.end())
            return hook->second(words);
        auto result = m_results.find({ object, slot });
        return result != m_results.end() ? result->second : S_OK;
    }

    // "object.slot" for each call, for order checks.
    std::vector<std::string> Slots() const
    {
        std::vector<std::string> lines;
        for (const SlotCall& c : calls)
            lines.push_back(c.object + "." + std::to_string(c.slot));
        return lines;
    }
    // "object.slot w1 w2 ..." with the words in decimal (signed).
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (const SlotCall& c : calls)
        {
            std::ostringstream line;
            line << c.object << "." << c.slot;
            for (DWORD w : c.words)
                line << " " << static_cast<LONG>(w);
            lines.push_back(line.str());
        }
        return lines;
    }
    const SlotCall& Last() const { return calls.back(); }

private:
    std::map<std::pair<std::string, int>, HRESULT> m_results;
    std::map<std::pair<std::string, int>, Hook> m_hooks;
};

// One COM object of the fake; its vtable pointer comes first, as COM wants.
struct CSlotObjectBase
{
    const void* const* vtbl;
    CSlotLog* log;
    std::string name;
    IUnknown* owner;  // the filter, which answers QueryInterface
    LONG refs;

    IUnknown* Unknown() { return reinterpret_cast<IUnknown*>(this); }

    static HRESULT STDMETHODCALLTYPE QueryInterfaceThunk(CSlotObjectBase* self, REFIID riid, void** ppv)
    {
        return self->owner->QueryInterface(riid, ppv);
    }
    static ULONG STDMETHODCALLTYPE AddRefThunk(CSlotObjectBase* self) { return ++self->refs; }
    static ULONG STDMETHODCALLTYPE ReleaseThunk(CSlotObjectBase* self) { return --self->refs; }
};

template <int W>
struct SlotWords
{
    DWORD w[W];
};

template <int Slot, int W>
HRESULT STDMETHODCALLTYPE SlotThunk(CSlotObjectBase* self, SlotWords<W> args)
{
    return self->log->Record(self->name, Slot, args.w, W);
}

template <int Slot>
HRESULT STDMETHODCALLTYPE SlotThunk0(CSlotObjectBase* self)
{
    return self->log->Record(self->name, Slot, nullptr, 0);
}

// With 64-bit calling conventions every argument takes one pointer-sized place
// and a record passed by value travels as a pointer to a copy: a short shape
// is read as that many separate arguments (their low words), a long one as a
// record.
template <int Slot, typename Places>
struct SlotArgs;

template <int Slot, size_t... I>
struct SlotArgs<Slot, std::index_sequence<I...>>
{
    template <size_t>
    using Place = ULONG_PTR;

    static HRESULT STDMETHODCALLTYPE Thunk(CSlotObjectBase* self, Place<I>... args)
    {
        const DWORD words[] = { static_cast<DWORD>(args)... };
        return self->log->Record(self->name, Slot, words, sizeof...(I));
    }
};

template <int Slot, int W>
const void* SlotEntry()
{
    if constexpr (W == 0)
        return reinterpret_cast<const void*>(&SlotThunk0<Slot>);
#ifdef _WIN64
    else if constexpr (W <= 4)
        return reinterpret_cast<const void*>(&SlotArgs<Slot, std::make_index_sequence<W>>::Thunk);
#endif
    else
        return reinterpret_cast<const void*>(&SlotThunk<Slot, W>);
}

// W...: the argument words of the methods after IUnknown, in vtable order
// (a record passed by value counts its size in words, rounded up).
template <int... W>
class CSlotObject : public CSlotObjectBase
{
public:
    CSlotObject(CSlotLog* pLog, const std::string& objectName, IUnknown* pOwner)
    {
        vtbl = Table(std::make_index_sequence<sizeof...(W)>());
        log = pLog;
        name = objectName;
        owner = pOwner;
        refs = 0;
    }

private:
    template <size_t... I>
    static const void* const* Table(std::index_sequence<I...>)
    {
        static const void* const table[] = {
            reinterpret_cast<const void*>(&CSlotObjectBase::QueryInterfaceThunk),
            reinterpret_cast<const void*>(&CSlotObjectBase::AddRefThunk),
            reinterpret_cast<const void*>(&CSlotObjectBase::ReleaseThunk),
            SlotEntry<static_cast<int>(I) + 3, W>()...,
        };
        return table;
    }
};

// A filter without pins that hands out slot objects for their interface
// identifiers. Objects added with an empty log share the filter's.
class CSlotFilter : public CBaseFilter
{
public:
    CSlotFilter() : CBaseFilter("slot filter", nullptr, &m_lock, GUID_NULL) {}

    // Adds an object of the given slot shape under riid; returns it.
    template <int... W>
    CSlotObjectBase* Add(REFIID riid, const std::string& objectName)
    {
        m_objects.push_back({ riid, std::unique_ptr<CSlotObjectBase>(new CSlotObject<W...>(&log, objectName,
                                                                                          GetOwner())) });
        return m_objects.back().second.get();
    }
    // Another interface identifier for an object already added.
    void Alias(REFIID riid, CSlotObjectBase* pObject) { m_aliases.push_back({ riid, pObject }); }

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        for (auto& entry : m_objects)
        {
            if (riid == entry.first)
                return Hand(entry.second.get(), ppv);
        }
        for (auto& entry : m_aliases)
        {
            if (riid == entry.first)
                return Hand(entry.second, ppv);
        }
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }
    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

    // References the objects still hold out.
    LONG OutstandingRefs() const
    {
        LONG n = 0;
        for (auto& entry : m_objects)
            n += entry.second->refs;
        return n;
    }

    CSlotLog log;

private:
    static HRESULT Hand(CSlotObjectBase* p, void** ppv)
    {
        if (ppv == nullptr)
            return E_POINTER;
        ++p->refs;
        *ppv = p;
        return S_OK;
    }

    CCritSec m_lock;
    std::vector<std::pair<IID, std::unique_ptr<CSlotObjectBase> > > m_objects;
    std::vector<std::pair<IID, CSlotObjectBase*> > m_aliases;
};

// A slot filter held for a test: the filter pointer for the wrapper, the
// object for configuration and logs.
class SlotFilterHolder
{
public:
    SlotFilterHolder() : m_p(new CSlotFilter())
    {
        m_p->NonDelegatingAddRef();
        m_p->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_filter));
    }
    ~SlotFilterHolder()
    {
        m_filter.Reset();
        m_p->NonDelegatingRelease();
    }
    CSlotFilter* operator->() const { return m_p; }
    IBaseFilter* Filter() const { return m_filter.Get(); }
    CSlotLog& Log() const { return m_p->log; }

private:
    CSlotFilter* m_p;
    ComPtr<IBaseFilter> m_filter;
};
