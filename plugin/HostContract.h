// What the module uses of the host's objects: slot 1 of the host object gives
// the host context, slot 0 of the context gives the host link, and the link
// is read as data only.
#pragma once

#include <cstdint>
#include <cstring>

class IHostLink;

class IHostContext {
public:
    virtual IHostLink* GetHostLink() = 0;
};

class IHostObject {
public:
    virtual void Reserved() = 0;
    virtual IHostContext* GetHostContext() = 0;
};

// The 32-bit value at byte offset 4 of the host link: nonzero allows results.
inline bool HostLinkAllowsResults(const IHostLink* link)
{
    std::int32_t value = 0;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(link) + 4, sizeof value);
    return value != 0;
}
