// One row of a list as the note list shows it: name, description, icon,
// indent and the number it stands for.
#pragma once

#include <string>

struct ListRow {
    std::wstring name;
    std::wstring description;
    bool hasDescription = false;  // notes have one; group rows leave the column alone
    int image = -1;               // -1: none
    int indent = 0;
    int data = 0;
};
