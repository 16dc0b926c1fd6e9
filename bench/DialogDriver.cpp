// CDialogDriver: tests/support's input, timed by the agent.
#include "bench/DialogDriver.h"

#include "bench/UiAgent.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/UiDriver.h"

#include <commctrl.h>

#include <stdexcept>

CDialogDriver::CDialogDriver(HWND dialog, CUiAgent& agent) : m_dialog(dialog), m_agent(agent)
{
    m_list = ::GetDlgItem(dialog, IDC_NOTE_LIST);
    m_editPage = dialogdriver::FindPages(dialog).edit;
    if (!m_list || !::GetDlgItem(dialog, IDC_FIND) || !m_editPage) throw std::runtime_error("the Quillbox dialog lacks a control the benchmark drives");
}

int CDialogDriver::RowCount() const { return static_cast<int>(::SendMessageW(m_list, LVM_GETITEMCOUNT, 0, 0)); }

std::vector<std::wstring> CDialogDriver::RowNames() const { return dialogdriver::RowNames(m_dialog); }

int CDialogDriver::FindRow(const std::wstring& text) const { return dialogdriver::FindRow(m_dialog, text); }

double CDialogDriver::Open(const std::wstring& path)
{
    HWND open = dialogdriver::StartFileCommand(m_dialog, ID_FILE_OPEN, path);
    if (!open) throw std::runtime_error("the Open dialog did not appear");
    return m_agent.TimeOpen(open);
}

double CDialogDriver::Find(const std::wstring& text)
{
    dialogdriver::SetFindText(m_dialog, text);
    return m_agent.TimeAction([this] { dialogdriver::PostClick(m_dialog, IDC_FIND); });
}

void CDialogDriver::ToggleScope(int downs)
{
    if (!dialogdriver::ToggleScope(m_dialog, downs - 1)) throw std::runtime_error("the Find button's scope menu did not appear");
}

double CDialogDriver::PressOnRow(int row, WPARAM key)
{
    dialogdriver::SelectRow(m_dialog, row);
    return m_agent.TimeAction([this, key] { ::PostMessageW(m_list, WM_KEYDOWN, key, 1); });
}

double CDialogDriver::SaveNewNote(const NewNote& note, int groupChoice)
{
    dialogdriver::TypeNewNote(m_dialog, {note.title, note.comments, note.query, note.groupId}, groupChoice);
    return m_agent.TimeAction([this] { dialogdriver::PostClick(m_editPage, IDC_EDIT_SAVE); });
}

std::vector<int> CDialogDriver::GroupChoiceIds() const { return dialogdriver::ComboIds(::GetDlgItem(m_editPage, IDC_EDIT_GROUP)); }

void CDialogDriver::Exit() { ::PostMessageW(m_dialog, WM_COMMAND, ID_FILE_EXIT, 0); }

std::wstring CDialogDriver::OpenMessageBoxText() const
{
    HWND box = dialogdriver::Settle(m_dialog);
    return box ? ui::MessageBoxText(box) : std::wstring();
}
