// CGroupCombo: a group list in a combo box: entry text the group name, item
// data the group id.
#pragma once

#include "framework/CComboBox.h"

class CGroupCombo : public CComboBox {
public:
    // Adds the group, or with `removed` deletes the first entry of that id.
    void UpdateGroup(int groupId, const CString& name, bool removed);
    // The entry of `groupId` takes the text `name` at its sorted place; a
    // selected entry stays selected.
    void RenameGroup(int groupId, const CString& name);
    // Off while many groups change at once, so the box does not redraw after
    // each; on again redraws it once.
    void SetDrawing(bool on);
    // Selects the first entry of `groupId`; FALSE (selection unchanged) when none has it.
    bool SelectGroup(int groupId);
    // The id of the selected entry; `fallback` when none is selected.
    int SelectedGroupId(int fallback) const;
    // The index of the first entry of `groupId`, -1 when none has it.
    int FindGroup(int groupId) const;
};
