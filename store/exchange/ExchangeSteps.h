// The small steps that export, import and sync share: their failed and
// cancelled outcomes.
#pragma once

#include "store/exchange/NoteExchange.h"

ExchangeOutcome Failed(const CString& message);
ExchangeOutcome Cancelled();
