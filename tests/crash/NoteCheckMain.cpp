// qb-notecheck <database> <saver log> <template>: checks a note database
// after its host was killed (tests/crash/NoteCheck.h says what is checked).
// Prints one line of figures; exit code 0 when every check held.
#include "tests/crash/NoteCheck.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: qb-notecheck <database> <saver log> <template>\n");
        return 2;
    }
    const NoteCheckResult result = CheckNoteFile(argv[1], argv[2], argv[3]);
    for (const std::string& fault : result.faults) std::printf("qb-notecheck: %s\n", fault.c_str());
    std::printf("qb-notecheck: %s; %s\n", result.Ok() ? "ok" : "FAILED", result.summary.c_str());
    return result.Ok() ? 0 : 1;
}
