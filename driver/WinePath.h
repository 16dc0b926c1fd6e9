// Maps the Windows paths that Wine programs hand to the driver (C:\users\...,
// Z:\home\...) to Unix paths through the prefix's dosdevices links. Portable.
#pragma once

#include <string>

// The Unix path for `path` (UTF-8). A drive-letter path goes through
// <winePrefix>/dosdevices/<x>:; backslashes become slashes; a path that is
// already a Unix path is returned as it is. Components that do not exist with
// the given case are looked up without regard to ASCII case, as Windows does.
std::string MapWindowsPath(const std::string& path, const std::string& winePrefix);

// The prefix the running Wine uses: $WINEPREFIX, else $HOME/.wine.
std::string CurrentWinePrefix();
