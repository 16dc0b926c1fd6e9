// Running one statement whose blanks became parameters.
#pragma once

#include <windows.h>
#include <sql.h>

#include "run/Placeholders.h"

// Prepares and executes `bound` on `statement`, its values bound as
// parameters: a value that reads as a number as a number, anything else as
// text, so that "42" finds an integer column's 42 and "O'Brien" the text,
// on engines that type parameters (PostgreSQL) and on those that do not.
// A statement without parameters runs directly.
SQLRETURN ExecuteBound(SQLHSTMT statement, const BoundStatement& bound);
