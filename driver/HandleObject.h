// HandleObject: what every ODBC handle of the driver begins with: the
// signature that tells a live handle of its kind from anything else an
// application passes, and the handle's diagnostics. Not copyable: the
// application holds its address.
#pragma once

#include "Diagnostics.h"

template <unsigned Signature>
class HandleObject {
public:
    static constexpr unsigned kSignature = Signature;

    HandleObject() = default;
    HandleObject(const HandleObject&) = delete;
    HandleObject& operator=(const HandleObject&) = delete;

    unsigned signature = kSignature;  // 0 once the handle is freed
    Diagnostics diag;

protected:
    ~HandleObject() = default;
};
