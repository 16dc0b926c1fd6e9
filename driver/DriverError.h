// One failure as the driver reports it: SQLSTATE, readable text, native code.
#pragma once

#include <string>

struct DriverError {
    std::string sqlState;   // five characters, e.g. "23000"
    std::string message;    // UTF-8, without the [vendor][driver] prefix
    int nativeCode = 0;     // SQLite's extended result code, 0 for the driver's own checks
};
