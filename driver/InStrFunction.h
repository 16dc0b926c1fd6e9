// InStr, as Access SQL has it: InStr([start,] text, word [, compare]) is the
// 1-based position (in UTF-16 characters) of the first `word` in `text` at or
// after `start`, 0 when there is none, NULL when an argument is NULL.
// compare 1 (the default, as in Access queries) ignores case for every
// letter as LIKE does; 0 compares exactly. Both engines have it, so the note
// search finds a word anywhere in a long text with it, where Access's LIKE
// reads only the first 255 characters.
#pragma once

struct sqlite3_context;
struct sqlite3_value;

// Register with SQLITE_UTF8 | SQLITE_DETERMINISTIC for 2, 3 and 4 arguments.
void InStrFunction(sqlite3_context* context, int argc, sqlite3_value** argv);
