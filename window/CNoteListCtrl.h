// CNoteListCtrl: the main dialog's tree grid of groups and notes. Enter is
// left to the dialog, which opens the selected note as a double-click does;
// F2 edits the selected row's Description cell in place (a note's comments,
// a group's description), and the edited text stays only as far as the
// owner stored it. Escape in the editor undoes the edit.
#pragma once

#include "controls/CSuperGridCtrl.h"
#include "framework/CString.h"

class CNoteListCtrl : public CSuperGridCtrl {
public:
    static constexpr int kDescriptionColumn = 1;

    class IOwner {
    public:
        // The text an edit of `node`'s description starts from; false: no edit.
        virtual bool BeginDescriptionEdit(CTreeItem* node, CString& text) = 0;
        // Stores `text`, edited from `seen`; `shown` gets what the cell shows then.
        virtual void EndDescriptionEdit(CTreeItem* node, const CString& seen, const CString& text, CString& shown) = 0;

    protected:
        ~IOwner() = default;
    };

    void SetOwner(IOwner* owner) { m_owner = owner; }
    // Expands a collapsed group row or collapses an expanded one, as a
    // double-click on it does.
    void ToggleGroup(CTreeItem* node, int row);

    BOOL HandleReturnKey() override { return TRUE; }
    BOOL PreTranslateMessage(MSG* msg) override;
    void CommitCellText(CTreeItem* node, LVITEMW* item) override;

private:
    void EditSelectedDescription();

    IOwner* m_owner = nullptr;  // the dialog; not owned
    CString m_editStart;        // what the open editor started from
};
