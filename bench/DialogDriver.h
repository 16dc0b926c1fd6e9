// CDialogDriver: the benchmark's timed user actions on the running Quillbox
// dialog. The input is tests/support's (DialogDriver.h); the agent on the
// dialog's thread times each action.
#pragma once

#include "bench/BenchSql.h"

#include <windows.h>

#include <string>
#include <vector>

class CUiAgent;

class CDialogDriver {
public:
    // Throws std::runtime_error when `dialog` lacks a control the benchmark drives.
    CDialogDriver(HWND dialog, CUiAgent& agent);

    HWND List() const { return m_list; }
    int RowCount() const;
    // The first column of every row.
    std::vector<std::wstring> RowNames() const;
    // The row whose first column reads `text`, or -1.
    int FindRow(const std::wstring& text) const;

    // File, Open, the file named in the Open dialog, OK: timed from the Open
    // dialog's end until the list is drawn.
    double Open(const std::wstring& path);
    // Types `text` into the Find box and presses Find.
    double Find(const std::wstring& text);
    // Picks item `downs` (1 Name, 2 Description, 3 Sequel) of the scope menu. Untimed.
    void ToggleScope(int downs);
    // Selects `row` and presses `key` (VK_ADD expands, VK_SUBTRACT collapses).
    double PressOnRow(int row, WPARAM key);
    // New on the Edit page, the note's texts and group entry typed in, then Save.
    double SaveNewNote(const NewNote& note, int groupChoice);
    // The group numbers of the Edit page's group choices, in order.
    std::vector<int> GroupChoiceIds() const;
    // Ends the dialog with File, Exit.
    void Exit();
    // The text of the message box the dialog shows, if one is up ("" otherwise).
    std::wstring OpenMessageBoxText() const;

private:
    HWND m_dialog;
    CUiAgent& m_agent;
    HWND m_list = nullptr;
    HWND m_editPage = nullptr;
};
