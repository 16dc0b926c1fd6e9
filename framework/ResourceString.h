// Loads a string-table entry of the module (at most 1022 characters).
#pragma once

#include <windows.h>

#include "CString.h"

CString LoadResourceString(UINT id);
