// CDialogDriver: drives the running Quillbox dialog from the script's thread
// the way a user's input arrives (menu commands, the Open dialog, the Find
// box and button, the scope menu, keys on the list, the Edit page's
// buttons), and times each action with the agent on the dialog's thread.
#pragma once

#include "bench/BenchSql.h"

#include <windows.h>

#include <string>

class CUiAgent;

class CDialogDriver {
public:
    // Finds the controls and the Edit page of `dialog`; throws std::runtime_error when one is missing.
    CDialogDriver(HWND dialog, CUiAgent& agent);

    HWND Dialog() const { return m_dialog; }
    HWND List() const { return m_list; }
    int RowCount() const;
    std::wstring RowText(int row) const;
    // The row whose first column reads `text`, or -1.
    int FindRow(const std::wstring& text) const;

    // File, Open, the file named in the Open dialog, OK: timed from the Open
    // dialog's end until the list is drawn.
    double Open(const std::wstring& path);
    // Types `text` into the Find box and presses Find.
    double Find(const std::wstring& text);
    // Picks item `downs` (1 Name, 2 Description, 3 Sequel) of the scope menu
    // under the Find button's drop-down part. Untimed.
    void ToggleScope(int downs);
    // Selects `row` and presses `key` (VK_ADD expands, VK_SUBTRACT collapses).
    double PressOnRow(int row, WPARAM key);
    // New on the Edit page, the note's texts and group typed in, then Save (timed).
    double SaveNewNote(const NewNote& note, int groupChoice);
    // The two halves of SaveNewNote: New with the texts and group filled in;
    // Save pressed (timed).
    void FillNewNote(const NewNote& note, int groupChoice);
    double ClickSave();
    // What the Edit page's boxes hold now, and the id of the chosen group (0 for none).
    NewNote EditPageNote() const;
    // Double-clicks the name of `row` as a user does: a note row is shown on
    // the View and Edit pages, a group row expands or collapses (timed).
    double DoubleClickRow(int row);
    // Replaces the query text of the note on the Edit page and presses Save (timed).
    double SaveEditedQuery(const std::wstring& query);
    // The Edit page's group choices and the group number of one of them.
    int GroupChoiceCount() const;
    int GroupChoiceId(int index) const;
    // Ends the dialog with File, Exit.
    void Exit();
    // The text of a message box of this process, if one is up ("" otherwise).
    std::wstring OpenMessageBoxText() const;

private:
    HWND m_dialog;
    CUiAgent& m_agent;
    HWND m_list = nullptr;
    HWND m_findText = nullptr;
    HWND m_findButton = nullptr;
    HWND m_editPage = nullptr;
    HWND m_groupCombo = nullptr;
};
