#pragma once

#include <objbase.h>

#include <utility>

// COM for the calling thread for as long as the object lives (single-threaded apartment, as
// the shell's objects want). Nested scopes are fine; a thread that already runs COM in another
// mode keeps it, and the shell's objects still work there.
class ComScope {
public:
    ComScope() {
        const HRESULT result =
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        m_bUninitialize = SUCCEEDED(result);
        m_bUsable = m_bUninitialize || result == RPC_E_CHANGED_MODE;
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (m_bUninitialize)
            CoUninitialize();
    }
    bool Usable() const { return m_bUsable; }

private:
    bool m_bUninitialize = false;
    bool m_bUsable = false;
};

// Owns one reference to a COM interface.
template <typename T> class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComRef() { Reset(); }
    void Reset() {
        if (m_p != nullptr)
            std::exchange(m_p, nullptr)->Release();
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For the out-parameter of CoCreateInstance and QueryInterface.
    void** Out() {
        Reset();
        return reinterpret_cast<void**>(&m_p);
    }

private:
    T* m_p = nullptr;
};

// Frees text that a COM call allocated (CoTaskMemAlloc).
class CoTaskText {
public:
    CoTaskText() = default;
    CoTaskText(const CoTaskText&) = delete;
    CoTaskText& operator=(const CoTaskText&) = delete;
    ~CoTaskText() { CoTaskMemFree(m_p); }
    PWSTR* Out() { return &m_p; }
    PCWSTR Get() const { return m_p; }

private:
    PWSTR m_p = nullptr;
};
