// UTF-8 and wide text, for the lines that test programs and the processes they start exchange.
#pragma once

#include <string>

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text);
