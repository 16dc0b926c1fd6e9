// CPlaceholderDlg: the one question before a query with blanks runs or is
// copied. It shows the query, read-only, and one box per blank in the order
// the blanks first appear, each holding the value given last time; the first
// box has the focus and Enter accepts. Escape gives nothing.
#pragma once

#include "framework/CDialog.h"
#include "run/Placeholders.h"

#include <string>
#include <vector>

class CPlaceholderDlg : public CDialog {
public:
    // `acceptText` names what OK does ("Run", "Copy").
    CPlaceholderDlg(CWnd* parent, const std::wstring& query, std::vector<std::wstring> names, PlaceholderValues values,
                    const wchar_t* acceptText);

    // What the boxes held when OK was pressed; before that, what was offered.
    const PlaceholderValues& Values() const { return m_values; }
    const std::vector<std::wstring>& Names() const { return m_names; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    // Adds a name and its box on the row `index`; returns the box.
    HWND AddRow(size_t index, HWND after);

    std::wstring m_query;
    std::vector<std::wstring> m_names;
    PlaceholderValues m_values;
    const wchar_t* m_acceptText;
};

// Asks for the blanks of `query` when it has any, starting from the values
// kept for `databasePath`, and keeps what the user gives. False when the user
// cancelled; `values` then is empty. A query without blanks asks nothing.
bool AskForPlaceholders(CWnd* parent, const CString& databasePath, const std::wstring& query, const wchar_t* acceptText,
                        PlaceholderValues& values);
