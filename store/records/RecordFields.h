// Reading one field of the current row of a result set, whatever type the
// driver gives it.
#pragma once

#include "framework/CString.h"

class CRecordset;

// A number column; 0 when NULL.
int FieldInt(CRecordset& recordset, short index);
// A text column; false when it is NULL.
bool FieldText(CRecordset& recordset, short index, CString& text);
