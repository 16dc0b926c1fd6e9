// Where a secret (a password) was left: the registry keys, value names and
// values, and the files of a folder tree, that hold it as UTF-16 or UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Every key, value name or value under `key` (named `path` in what is
// returned, "HKCU" say) that holds `secret`.
std::vector<std::wstring> RegistryPlacesHolding(HKEY key, const std::wstring& path, const std::wstring& secret);
// Every file under `folder` whose bytes hold `secret`.
std::vector<std::wstring> FilesHolding(const std::wstring& folder, const std::wstring& secret);
