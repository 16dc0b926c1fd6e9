// qb-notecheck <database> <saver log> <template>: checks a note database
// after its host was killed (tests/crash/NoteCheck.h says what is checked).
// qb-notecheck --upgrade <database> <template>: checks a file of an earlier
// build after the process upgrading it was killed (tests/crash/UpgradeCheck.h).
// Prints one line of figures; exit code 0 when every check held.
#include "tests/crash/NoteCheck.h"
#include "tests/crash/UpgradeCheck.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const bool upgrade = argc == 4 && std::strcmp(argv[1], "--upgrade") == 0;
    if (argc != 4) {
        std::fprintf(stderr, "usage: qb-notecheck <database> <saver log> <template>\n"
                             "       qb-notecheck --upgrade <database> <template>\n");
        return 2;
    }
    const NoteCheckResult result = upgrade ? CheckUpgradedNoteFile(argv[2], argv[3]) : CheckNoteFile(argv[1], argv[2], argv[3]);
    for (const std::string& fault : result.faults) std::printf("qb-notecheck: %s\n", fault.c_str());
    std::printf("qb-notecheck: %s; %s\n", result.Ok() ? "ok" : "FAILED", result.summary.c_str());
    return result.Ok() ? 0 : 1;
}
