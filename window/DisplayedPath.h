// How a note database's path is shown on the File menu: shortened the way
// Windows tools shorten long paths, numbered, its ampersands kept as text.
#pragma once

#include <cstddef>
#include <string>

// `path` when it has at most `maxLength` characters; otherwise its root
// ("C:\" or "\\server\share\"), "...", and as many of its last folders as fit
// before the file name ("C:\...\reports\notes.mdb"). A file name that does
// not fit even alone becomes "...\" and the name, or the name's first
// characters and "..." when that is still too long.
std::wstring ShortenPath(const std::wstring& path, std::size_t maxLength);

// "&1 C:\...\notes.mdb": the menu text of the recent file numbered `number`
// (1 to 9), its path shortened to `maxLength` characters and every '&' of it
// doubled, so that the menu shows it and takes no mnemonic from it.
std::wstring RecentFileMenuText(int number, const std::wstring& path, std::size_t maxLength);
