// How many notes a note database holds and in how many groups of the user's
// own (the built-in group "None" is not one), read from the database when
// asked.
#pragma once

#include "store/records/StoreOutcome.h"

class CDatabase;

struct NoteCounts {
    long notes = 0;
    long groups = 0;
};

StoreOutcome CountNotesAndGroups(CDatabase& database, NoteCounts& counts);
