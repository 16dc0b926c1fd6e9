// The small steps that export, import and sync share: their failed and
// cancelled outcomes and reading a number or a text column of a row.
#pragma once

#include "NoteExchange.h"

class CRecordset;

ExchangeOutcome Failed(const CString& message);
ExchangeOutcome Cancelled();
// A number column, whatever type the driver gives it; 0 when NULL.
int FieldInt(CRecordset& recordset, short index);
// A text column; false when it is NULL.
bool FieldText(CRecordset& recordset, short index, CString& text);
