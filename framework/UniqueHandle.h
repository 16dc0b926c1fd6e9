// CUniqueHandle: owns one handle (a pointer type; null holds nothing) and
// gives it to its Release function object once: on Reset, on assignment and
// at the end of its life. Copying is not allowed; moving and Detach hand the
// handle over. Release may carry state of its own (an ODBC handle's type).
#pragma once

#include <utility>

template <class Handle, class Release>
class CUniqueHandle {
public:
    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle handle, Release release = Release()) : m_handle(handle), m_release(release) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Detach()), m_release(other.m_release) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Detach(), other.m_release);
        return *this;
    }

    // Releases the handle held, if any, and holds `handle` instead.
    void Reset(Handle handle = nullptr)
    {
        if (m_handle) m_release(m_handle);
        m_handle = handle;
    }
    // The same, for a handle that `release` gives back.
    void Reset(Handle handle, Release release)
    {
        Reset(handle);
        m_release = release;
    }
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    Handle Get() const { return m_handle; }
    const Release& GetRelease() const { return m_release; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    Handle m_handle = nullptr;  // owned
    Release m_release;
};
