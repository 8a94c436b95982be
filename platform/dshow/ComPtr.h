#pragma once
// A small owning COM pointer and a query helper, usable from every layer.
#include <windows.h>
#include <unknwn.h>
#include <utility>

template <class T>
class ComPtr
{
public:
    ComPtr() : m_p(nullptr) {}
    ComPtr(std::nullptr_t) : m_p(nullptr) {}
    // Takes a reference of its own; the caller keeps theirs.
    ComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    ComPtr(const ComPtr& other) : m_p(other.m_p) { if (m_p) m_p->AddRef(); }
    ComPtr(ComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~ComPtr() { Reset(); }

    ComPtr& operator=(T* p)
    {
        if (p != m_p) {
            if (p) p->AddRef();
            T* old = m_p;
            m_p = p;
            if (old) old->Release();
        }
        return *this;
    }
    ComPtr& operator=(const ComPtr& other) { return *this = other.m_p; }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            T* old = m_p;
            m_p = other.m_p;
            other.m_p = nullptr;
            if (old) old->Release();
        }
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) { Reset(); return *this; }

    // Adopts a reference the caller already owns (no AddRef).
    void Attach(T* p)
    {
        T* old = m_p;
        m_p = p;
        if (old) old->Release();
    }
    // Hands the reference out; the pointer is empty afterwards.
    T* Detach()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    // Gives the caller a reference of its own.
    HRESULT CopyTo(T** pp) const
    {
        if (!pp) return E_POINTER;
        *pp = m_p;
        if (m_p) m_p->AddRef();
        return S_OK;
    }
    void Reset()
    {
        T* old = m_p;
        m_p = nullptr;
        if (old) old->Release();
    }
    // For out parameters: releases what is held, so a filled pointer never leaks.
    T** operator&()
    {
        Reset();
        return &m_p;
    }
    T** GetAddressOf() { return &m_p; }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    template <class Q>
    HRESULT QueryInterface(ComPtr<Q>& out) const
    {
        if (!m_p) return E_POINTER;
        return m_p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(&out));
    }

private:
    T* m_p;
};

// Queries p for Q; out is emptied first and stays empty on failure.
template <class Q>
inline HRESULT ComQuery(IUnknown* p, ComPtr<Q>& out)
{
    out.Reset();
    if (!p) return E_POINTER;
    HRESULT hr = p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(out.GetAddressOf()));
    if (FAILED(hr)) out.Reset();
    return hr;
}

// The same with an explicit interface identifier, for interfaces without a declared uuid.
template <class Q>
inline HRESULT ComQuery(IUnknown* p, REFIID riid, ComPtr<Q>& out)
{
    out.Reset();
    if (!p) return E_POINTER;
    HRESULT hr = p->QueryInterface(riid, reinterpret_cast<void**>(out.GetAddressOf()));
    if (FAILED(hr)) out.Reset();
    return hr;
}
