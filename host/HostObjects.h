// The host's objects handed to a plug-in: the host object (slot 1 gives the
// context), the context (slot 0 gives the link) and the link, whose 32-bit
// value at offset 4 says whether results may be shown.
#pragma once

#include <cstddef>
#include <cstdint>

struct HostLink {
    std::uint32_t m_signature = 0x4B4E4C51;  // "QLNK", for a human reading a dump
    std::int32_t m_resultsAllowed = 0;
};
static_assert(offsetof(HostLink, m_resultsAllowed) == 4, "plug-ins read the value at offset 4");

class HostContext {
public:
    explicit HostContext(HostLink* link) : m_link(link) {}
    virtual HostLink* GetLink() { return m_link; }  // slot 0

private:
    HostLink* m_link;  // not owned
};

class HostObject {
public:
    explicit HostObject(HostContext* context) : m_context(context) {}
    virtual const wchar_t* GetHostName() { return L"Quillbox Host"; }  // slot 0
    virtual HostContext* GetContext() { return m_context; }            // slot 1

private:
    HostContext* m_context;  // not owned
};
