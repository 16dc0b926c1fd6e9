// qb-oldnotefile <file> <notes>: writes a note file as builds before the
// schema upgrade wrote it (tests/driver/OldFormatNoteFile.h), the same on
// every machine, replacing any file of that name; the template of the
// upgrade's crash runs and the old file of the driver's Wine test.
#include "tests/driver/OldFormatNoteFile.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3 || std::atoi(argv[2]) < 1 || std::atoi(argv[2]) > 32767) {
        std::fprintf(stderr, "usage: qb-oldnotefile <file> <notes, 1 to 32767>\n");
        return 2;
    }
    std::remove(argv[1]);
    std::string error;
    if (!oldformat::Write(argv[1], oldformat::Sample(std::atoi(argv[2])), error)) {
        std::fprintf(stderr, "qb-oldnotefile: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
