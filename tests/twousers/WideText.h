// UTF-8 and wide text, for the lines the peer and the test exchange.
#pragma once

#include <string>

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text);
