// What QuillboxCli prints: one line per kind of outcome, as UTF-8 text.
#pragma once

#include "store/exchange/ImportPlan.h"
#include "store/exchange/NoteExchange.h"

#include <string>

std::string DescribeExport(const ExchangeOutcome& outcome);
std::string DescribeImport(const ImportPlan& plan, bool dryRun);
