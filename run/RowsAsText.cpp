// Tab-separated text of selected rows.
#include "run/RowsAsText.h"

#include "run/CellText.h"

std::wstring TabTextField(const std::wstring& value)
{
    if (value.find_first_of(L"\t\r\n\"") == std::wstring::npos) return value;
    std::wstring quoted = L"\"";
    for (wchar_t c : value) {
        if (c == L'"') quoted.push_back(L'"');
        quoted.push_back(c);
    }
    quoted.push_back(L'"');
    return quoted;
}

std::wstring RowsAsTabText(const ResultRows& rows, const std::vector<std::wstring>& headers, const std::vector<std::size_t>& rowNumbers,
                           bool withHeaders)
{
    std::wstring text;
    if (withHeaders) {
        for (std::size_t c = 0; c < headers.size(); ++c) text += (c ? L"\t" : L"") + TabTextField(headers[c]);
        text += L"\r\n";
    }
    for (std::size_t row : rowNumbers) {
        for (std::size_t c = 0; c < rows.ColumnCount(); ++c) text += (c ? L"\t" : L"") + TabTextField(CellCopyText(rows.Cell(row, c)));
        text += L"\r\n";
    }
    return text;
}
