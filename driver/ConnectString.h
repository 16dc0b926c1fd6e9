// Parsing of ODBC connection strings and installer attribute strings. Portable.
#pragma once

#include <map>
#include <string>

// KEY=value pairs separated by ';'. Keys are returned upper-case. A value in
// braces ({...}) may hold ';' and keeps the text between the braces, where
// "}}" stands for one '}'; a value
// in double quotes has its quotes removed; any other value runs to the next
// ';' with surrounding spaces removed (spaces inside are kept: DBQ=C:\My Notes\a.mdb).
std::map<std::string, std::string> ParseConnectString(const std::string& text);
