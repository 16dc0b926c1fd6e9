// Turning a file's bytes into text for an import: UTF-8 with or without a
// byte order mark, UTF-16 with one, else the system's ANSI code page (the
// caller supplies that conversion; it is the platform's). Portable.
#pragma once

#include "framework/CString.h"

#include <functional>
#include <string>

using AnsiDecoder = std::function<CString(const std::string&)>;

enum class TextDecodeResult { Text, NotText };

// NotText: a NUL character, or a UTF-16 file of odd length, or bytes that
// are neither UTF-8 nor readable in the ANSI code page.
TextDecodeResult DecodeFileText(const std::string& bytes, const AnsiDecoder& ansi, CString& text);
