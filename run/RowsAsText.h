// Rows of a result as tab-separated text, the form spreadsheets and SQL
// editors paste as rows and columns: one line a row, CR LF between lines, a
// value holding a tab, a line break or a quote put in quotes (quotes doubled).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "run/ResultRows.h"

std::wstring RowsAsTabText(const ResultRows& rows, const std::vector<std::wstring>& headers, const std::vector<std::size_t>& rowNumbers,
                           bool withHeaders);
// One value as it goes into such text.
std::wstring TabTextField(const std::wstring& value);
