// CException::ReportError for the native build of the portable core, which
// has no message box: the error text goes to the standard error stream.
// The Windows build takes ReportError from MessageBox.cpp instead.
#ifndef _WIN32
#include "CException.h"

#include <cstdio>

int CException::ReportError(unsigned, unsigned) const
{
    std::fprintf(stderr, "%ls\n", GetErrorText().GetString());
    return 1;
}
#endif
