// Fuzzes the driver's mapping of Windows paths to Unix paths, against a
// small prefix made at start (dosdevices/c: -> drive_c holding
// "Users/Me/My Notes/Notes.mdb" and "Data/a.MDB"). A drive path maps below
// the drive's link, component by component, each equal to the given one
// but for ASCII case; a path that names an existing file in any case maps to
// that file; \\?\ changes nothing; other paths only turn '\' into '/'.
#include "driver/WinePath.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

void Require(bool ok, const char* what, const std::string& path)
{
    if (ok) return;
    std::fprintf(stderr, "WinePathFuzz: %s (%s)\n", what, path.c_str());
    std::abort();
}

// Existing entries below drive_c, lower-case.
const char* const kExisting[] = {"users", "users/me", "users/me/my notes", "users/me/my notes/notes.mdb", "data", "data/a.mdb"};

std::string g_prefix;

void RemovePrefix()
{
    for (const char* entry : {"/dosdevices/c:", "/drive_c/Users/Me/My Notes/Notes.mdb", "/drive_c/Data/a.MDB"}) ::unlink((g_prefix + entry).c_str());
    for (const char* dir : {"/dosdevices", "/drive_c/Users/Me/My Notes", "/drive_c/Users/Me", "/drive_c/Users", "/drive_c/Data", "/drive_c", ""})
        ::rmdir((g_prefix + dir).c_str());
}

std::string MakePrefix()
{
    char folder[] = "/tmp/qb-winepath-XXXXXX";
    if (!::mkdtemp(folder)) std::abort();
    const std::string prefix = folder;
    const std::string drive = prefix + "/drive_c";
    for (const char* dir : {"", "/Users", "/Users/Me", "/Users/Me/My Notes", "/Data"}) ::mkdir((drive + dir).c_str(), 0700);
    for (const char* file : {"/Users/Me/My Notes/Notes.mdb", "/Data/a.MDB"}) {
        if (FILE* f = std::fopen((drive + file).c_str(), "w")) std::fclose(f);
    }
    ::mkdir((prefix + "/dosdevices").c_str(), 0700);
    if (::symlink("../drive_c", (prefix + "/dosdevices/c:").c_str()) != 0) std::abort();
    g_prefix = prefix;
    std::atexit(RemovePrefix);
    return prefix;
}

const std::string& Prefix()
{
    static const std::string prefix = MakePrefix();
    return prefix;
}

std::vector<std::string> Components(const std::string& path, char separator)
{
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos <= path.size()) {
        size_t end = path.find(separator, pos);
        if (end == std::string::npos) end = path.size();
        if (end > pos) out.push_back(path.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size > 512) return 0;
    std::string path(reinterpret_cast<const char*>(bytes), size);
    if (path.find('\0') != std::string::npos) return 0;  // a C string ends there
    const std::string mapped = MapWindowsPath(path, Prefix());

    std::string body = path;
    if (body.rfind("\\\\?\\", 0) == 0 || body.rfind("\\??\\", 0) == 0) body = body.substr(4);
    const bool drive = body.size() >= 2 && std::isalpha(static_cast<unsigned char>(body[0])) && body[1] == ':';
    if (!drive) {
        std::string slashed = body;
        for (char& c : slashed) if (c == '\\') c = '/';
        Require(mapped == slashed, "a path without a drive changed beyond its separators", path);
        return 0;
    }
    Require(mapped == MapWindowsPath(body, Prefix()), "the \\\\?\\ form maps elsewhere", path);
    const std::string root = Prefix() + "/dosdevices/" + static_cast<char>(std::tolower(static_cast<unsigned char>(body[0]))) + ":";
    Require(mapped.compare(0, root.size(), root) == 0, "not below the drive's link", path);
    Require(mapped.find('\\') == std::string::npos, "a backslash is left", path);

    std::string rest = body.substr(2);
    for (char& c : rest) if (c == '\\') c = '/';
    const std::vector<std::string> given = Components(rest, '/');
    const std::vector<std::string> got = Components(mapped.substr(root.size()), '/');
    Require(given.size() == got.size(), "component count differs", path);
    for (size_t i = 0; i < given.size(); ++i) Require(::strcasecmp(given[i].c_str(), got[i].c_str()) == 0, "a component differs beyond case", path);

    // The drive c: names existing entries whatever the case.
    if (Lower(body.substr(0, 1)) == "c") {
        std::string joined;
        for (const std::string& c : given) joined += (joined.empty() ? "" : "/") + Lower(c);
        for (const char* existing : kExisting) {
            struct stat st;
            if (joined == existing) Require(::lstat(mapped.c_str(), &st) == 0, "an existing file was not found", path);
        }
    }
    return 0;
}
