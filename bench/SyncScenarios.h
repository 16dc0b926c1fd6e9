// The sync rows of QuillboxBenchExchange: a sync of the whole library with
// nothing changed, and with 300 notes changed on each side, against the bare
// reading (and writing) of the same rows and files in the same run.
#pragma once

#include <string>

// Works on a copy of `database` and a folder inside `scratch`; prints two
// SCENARIO lines; throws std::runtime_error on a failure.
void RunSyncScenarios(const std::wstring& database, const std::wstring& scratch, int notes, int runs);
