// Reads a note file of an earlier build after the process upgrading it was
// killed, with SQLite directly, and checks that nothing was lost or damaged:
//   - PRAGMA integrity_check says ok;
//   - the schema is wholly the old one (as the template's) or wholly
//     upgraded (naming GENERAL nowhere), never a mix;
//   - every note, group and tag of the template is there unchanged, and
//     nothing else;
//   - an upgraded file sorts its notes by name in SQLite with nothing of
//     ours registered.
#pragma once

#include "tests/crash/NoteCheck.h"

#include <string>

NoteCheckResult CheckUpgradedNoteFile(const std::string& databasePath, const std::string& templatePath);
