// UTF-8 bytes to and from the framework's wide strings, on either width of
// wchar_t (UTF-16 on Windows, UTF-32 on Linux). Portable.
#pragma once

#include "framework/CString.h"

#include <string>

// A lone surrogate cannot be written as UTF-8: it becomes U+FFFD.
std::string ToUtf8(const CString& text);

// False when the bytes are not well-formed UTF-8 (overlong forms, surrogates
// and code points past U+10FFFF included); text is then left empty.
bool FromUtf8(const std::string& bytes, CString& text);

// Length in UTF-16 units, the measure of Windows path limits.
int Utf16Length(const CString& text);
