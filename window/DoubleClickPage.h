// DoubleClickPage: the tab that a double-click on a note brings to the
// front, as the Options sheet offers it and as it is stored (its number).
#pragma once

enum class DoubleClickPage { None = 0, View = 1, Edit = 2 };

// The choice a stored number names; false, leaving `page` alone, when it
// names none.
inline bool DoubleClickPageFromNumber(unsigned long number, DoubleClickPage& page)
{
    if (number > static_cast<unsigned long>(DoubleClickPage::Edit)) return false;
    page = static_cast<DoubleClickPage>(number);
    return true;
}
