// Status line texts.
#include "run/RunStatus.h"

#include <cstdio>

std::wstring GroupedNumber(unsigned long long number)
{
    std::wstring digits = std::to_wstring(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), 1, L',');
    return digits;
}

std::wstring RowCountText(std::size_t rows, bool more)
{
    return GroupedNumber(rows) + (more ? L"+ rows" : rows == 1 ? L" row" : L" rows");
}

std::wstring SecondsText(double seconds)
{
    wchar_t text[32];
    if (seconds < 10) std::swprintf(text, 32, L"%.2f s", seconds);
    else if (seconds < 60) std::swprintf(text, 32, L"%.1f s", seconds);
    else std::swprintf(text, 32, L"%d min %02d s", static_cast<int>(seconds) / 60, static_cast<int>(seconds) % 60);
    return text;
}

std::wstring OutcomeText(const StatementOutcome& outcome)
{
    std::wstring text = L"Statement " + std::to_wstring(outcome.number) + L": ";
    if (outcome.returnsRows) text += RowCountText(outcome.rows, outcome.moreRows);
    else if (outcome.affected >= 0) text += GroupedNumber(static_cast<unsigned long long>(outcome.affected)) + (outcome.affected == 1 ? L" row affected" : L" rows affected");
    else text += L"done";
    return text + L", " + SecondsText(outcome.seconds);
}
