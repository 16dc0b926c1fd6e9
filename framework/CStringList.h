// CStringList: the framework's list of strings. Portable.
#pragma once

#include "CList.h"
#include "CString.h"

class CStringList : public CList<CString, const CString&> {
};
