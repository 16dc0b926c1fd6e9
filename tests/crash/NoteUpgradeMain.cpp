// qb-noteupgrade <file>: connects to a note file the way the driver does,
// which upgrades a file of an earlier build, and says how that went. Prints
// "opening" (flushed) just before it connects, so that a watcher can time a
// kill from there.
#include "NoteDatabase.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qb-noteupgrade <file>\n");
        return 2;
    }
    std::printf("opening\n");
    std::fflush(stdout);
    NoteDatabase db;
    DriverError error;
    if (!db.Open(argv[1], false, 2000, error)) {
        std::printf("qb-noteupgrade: %s\n", error.message.c_str());
        return 1;
    }
    if (!db.UpgradeFailure().empty()) {
        std::printf("qb-noteupgrade: not upgraded: %s\n", db.UpgradeFailure().c_str());
        return 1;
    }
    std::printf("qb-noteupgrade: ok\n");
    return 0;
}
