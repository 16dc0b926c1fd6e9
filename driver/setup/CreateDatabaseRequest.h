// Reading the installer's creation request CREATE_DB="path" out of the
// attribute text handed to ConfigDSNW. Portable.
#pragma once

#include <string>

// True when `attributes` holds CREATE_DB=<path> (the path quoted or not,
// optionally followed by a sort order such as General); `path` receives it.
// Pairs are separated by ';'; a ';' inside the quotes belongs to the path.
bool ParseCreateDatabaseRequest(const std::wstring& attributes, std::wstring& path);
