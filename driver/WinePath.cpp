// Drive-letter mapping and case-insensitive lookup of path components.
#include "WinePath.h"

#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// Finds `name` in `folder` ignoring ASCII case; returns `name` when nothing matches.
std::string MatchInFolder(const std::string& folder, const std::string& name)
{
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return name;
    std::string found = name;
    while (const dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string ResolveCase(const std::string& root, const std::string& rest)
{
    std::string path = root;
    size_t pos = 0;
    while (pos <= rest.size()) {
        size_t slash = rest.find('/', pos);
        if (slash == std::string::npos) slash = rest.size();
        const std::string part = rest.substr(pos, slash - pos);
        pos = slash + 1;
        if (part.empty()) continue;
        std::string candidate = path + "/" + part;
        if (!Exists(candidate)) candidate = path + "/" + MatchInFolder(path, part);
        path = candidate;
    }
    return path;
}

} // namespace

std::string CurrentWinePrefix()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

std::string MapWindowsPath(const std::string& path, const std::string& winePrefix)
{
    std::string p = path;
    // Win32 file namespace prefixes: \\?\C:\... and \??\C:\...
    if (p.rfind("\\\\?\\", 0) == 0 || p.rfind("\\??\\", 0) == 0) p = p.substr(4);
    const bool drive = p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
    if (!drive) {
        if (p.find('\\') == std::string::npos) return p;  // already a Unix path
        for (char& c : p) if (c == '\\') c = '/';
        return p;
    }
    std::string rest = p.substr(2);
    for (char& c : rest) if (c == '\\') c = '/';
    const std::string root = winePrefix + "/dosdevices/" + static_cast<char>(std::tolower(static_cast<unsigned char>(p[0]))) + ":";
    return ResolveCase(root, rest);
}
