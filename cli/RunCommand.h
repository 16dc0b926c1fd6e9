// QuillboxCli run: runs a note of a note database on a data source and
// writes its rows to standard output.
//   QuillboxCli run <database> <note> --connect <connection string>
//                   [--set name=value ...] [--format tsv|csv]
#pragma once

// argv[0] is the program, argv[1] "run". Returns the exit status: 0 when every
// statement succeeded, 1 otherwise (the reason on standard error).
int RunNoteCommand(int argc, wchar_t** argv);
