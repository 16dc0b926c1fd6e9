// A second host process for the tests of what the dialog remembers: the test
// program started again with "--host-session", which loads Quillbox.dll as a
// host does, runs Execute, performs a list of steps on the dialog through the
// dialog driver and writes one line per step to a file the first process
// reads. It shares the first process's private HKEY_CURRENT_USER.
//
// Steps and the lines they write (fields after the first separated by tabs):
//   open=<path>    File, Open           "open" and "\t<text>" per message box
//   new=<path>     File, New            "new" and the boxes likewise
//   recent=<n>     recent entry n       "recent" and the boxes likewise
//   options=<n>    File, Options        "options\t<entry shown>"; then entry n
//                                       (unless n is -1) and OK
//   tab=<index>    a click on that tab  "tab\t<caption in front>"
//   show=<name>    double-click a row   "show\t<caption in front>"
//   menu                                "menu\t<recent entry>..."
//   rows                                "rows\t<first column>..."
#pragma once

#include <string>
#include <vector>

namespace hostprocess {

// Runs `steps` in a new host process and returns its lines; on a failure to
// start or finish, one line that begins with "failed".
std::vector<std::wstring> Run(const std::vector<std::wstring>& steps);

// In the started process: runs the session when the command line asks for
// one and gives true with the exit code to return.
bool RunSessionIfAsked(int argc, wchar_t** argv, int& exitCode);

// The tab-separated fields of a line.
std::vector<std::wstring> Fields(const std::wstring& line);

} // namespace hostprocess
