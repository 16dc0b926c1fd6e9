// CDialogDriver: user input to the Quillbox dialog, from a second thread.
#include "bench/DialogDriver.h"

#include "bench/UiAgent.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

namespace {

constexpr int kFindText = 1002;
constexpr int kFindButton = 1009;
constexpr int kNoteList = 1020;
constexpr int kFileOpen = 32782;
constexpr int kFileExit = 32774;
constexpr int kEditTitle = 1002;
constexpr int kEditComments = 1013;
constexpr int kEditQuery = 1014;
constexpr int kEditGroup = 1015;
constexpr int kEditSave = 1012;
constexpr int kEditNew = 1025;
constexpr int kFileNameBox = 1148;

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> ProcessTopLevelWindows()
{
    std::vector<HWND> all, own;
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window)) own.push_back(window);
    }
    return own;
}

// A visible top-level window of this process with the class and caption.
HWND WaitForTopLevel(const wchar_t* className, const wchar_t* caption, HWND except, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    do {
        for (HWND window : ProcessTopLevelWindows()) {
            if (window == except || ClassOf(window) != className) continue;
            if (caption && TextOf(window) != caption) continue;
            return window;
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

} // namespace

CDialogDriver::CDialogDriver(HWND dialog, CUiAgent& agent) : m_dialog(dialog), m_agent(agent)
{
    m_list = ::GetDlgItem(dialog, kNoteList);
    m_findText = ::GetDlgItem(dialog, kFindText);
    m_findButton = ::GetDlgItem(dialog, kFindButton);
    std::vector<HWND> children;
    ::EnumChildWindows(dialog, &CollectWindow, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        if (::GetDlgItem(child, kEditSave) && ::GetDlgItem(child, kEditQuery) && ::GetDlgItem(child, kEditNew)) m_editPage = child;
    }
    if (!m_list || !m_findText || !m_findButton || !m_editPage) throw std::runtime_error("the Quillbox dialog lacks a control the benchmark drives");
    m_groupCombo = ::GetDlgItem(m_editPage, kEditGroup);
}

int CDialogDriver::RowCount() const { return static_cast<int>(::SendMessageW(m_list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring CDialogDriver::RowText(int row) const
{
    wchar_t text[512] = {};
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 512;
    ::SendMessageW(m_list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

int CDialogDriver::FindRow(const std::wstring& text) const
{
    const int count = RowCount();
    for (int row = 0; row < count; ++row) {
        if (RowText(row) == text) return row;
    }
    return -1;
}

double CDialogDriver::Open(const std::wstring& path)
{
    ::PostMessageW(m_dialog, WM_COMMAND, kFileOpen, 0);
    HWND open = WaitForTopLevel(L"#32770", L"Open", m_dialog, 20000);
    if (!open) throw std::runtime_error("the Open dialog did not appear");
    HWND name = ::GetDlgItem(open, kFileNameBox);
    if (!name) throw std::runtime_error("the Open dialog has no file name box");
    ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return m_agent.TimeOpen(open);
}

double CDialogDriver::Find(const std::wstring& text)
{
    ::SendMessageW(m_findText, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return m_agent.TimeAction([this] {
        ::PostMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(kFindButton, BN_CLICKED), reinterpret_cast<LPARAM>(m_findButton));
    });
}

void CDialogDriver::ToggleScope(int downs)
{
    RECT client;
    ::GetClientRect(m_findButton, &client);
    const LPARAM at = MAKELPARAM(client.right - 4, client.bottom / 2);
    ::PostMessageW(m_findButton, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(m_findButton, WM_LBUTTONUP, 0, at);
    HWND menu = WaitForTopLevel(L"#32768", nullptr, nullptr, 10000);
    if (!menu) throw std::runtime_error("the Find button's scope menu did not appear");
    for (int i = 0; i < downs; ++i) ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    const DWORD start = ::GetTickCount();
    while (::IsWindow(menu) && ::IsWindowVisible(menu) && ::GetTickCount() - start < 10000) ::Sleep(5);
    m_agent.Sync();
}

double CDialogDriver::PressOnRow(int row, WPARAM key)
{
    LVITEMW item = {};
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    return m_agent.TimeAction([this, key] { ::PostMessageW(m_list, WM_KEYDOWN, key, 1); });
}

double CDialogDriver::SaveNewNote(const NewNote& note, int groupChoice)
{
    FillNewNote(note, groupChoice);
    return ClickSave();
}

void CDialogDriver::FillNewNote(const NewNote& note, int groupChoice)
{
    ::SendMessageW(m_editPage, WM_COMMAND, MAKEWPARAM(kEditNew, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_editPage, kEditNew)));
    ::SendMessageW(::GetDlgItem(m_editPage, kEditTitle), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(note.title.c_str()));
    ::SendMessageW(::GetDlgItem(m_editPage, kEditComments), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(note.comments.c_str()));
    ::SendMessageW(::GetDlgItem(m_editPage, kEditQuery), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(note.query.c_str()));
    ::SendMessageW(m_groupCombo, CB_SETCURSEL, groupChoice, 0);
}

double CDialogDriver::ClickSave()
{
    HWND save = ::GetDlgItem(m_editPage, kEditSave);
    return m_agent.TimeAction([this, save] {
        ::PostMessageW(m_editPage, WM_COMMAND, MAKEWPARAM(kEditSave, BN_CLICKED), reinterpret_cast<LPARAM>(save));
    });
}

NewNote CDialogDriver::EditPageNote() const
{
    const auto read = [this](int id) { return TextOf(::GetDlgItem(m_editPage, id)); };
    NewNote note;
    note.title = read(kEditTitle);
    note.comments = read(kEditComments);
    note.query = read(kEditQuery);
    const LRESULT choice = ::SendMessageW(m_groupCombo, CB_GETCURSEL, 0, 0);
    note.groupId = choice == CB_ERR ? 0 : static_cast<int>(::SendMessageW(m_groupCombo, CB_GETITEMDATA, choice, 0));
    return note;
}

double CDialogDriver::DoubleClickRow(int row)
{
    RECT label = {};
    label.left = LVIR_LABEL;
    if (!::SendMessageW(m_list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label))) throw std::runtime_error("the row to double-click is not in the list");
    const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    return m_agent.TimeAction([this, at] {
        ::PostMessageW(m_list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(m_list, WM_LBUTTONUP, 0, at);
        ::PostMessageW(m_list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::PostMessageW(m_list, WM_LBUTTONUP, 0, at);
    });
}

double CDialogDriver::SaveEditedQuery(const std::wstring& query)
{
    ::SendMessageW(::GetDlgItem(m_editPage, kEditQuery), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(query.c_str()));
    return ClickSave();
}

int CDialogDriver::GroupChoiceCount() const { return static_cast<int>(::SendMessageW(m_groupCombo, CB_GETCOUNT, 0, 0)); }

int CDialogDriver::GroupChoiceId(int index) const
{
    return static_cast<int>(::SendMessageW(m_groupCombo, CB_GETITEMDATA, index, 0));
}

void CDialogDriver::Exit() { ::PostMessageW(m_dialog, WM_COMMAND, kFileExit, 0); }

std::wstring CDialogDriver::OpenMessageBoxText() const
{
    for (HWND window : ProcessTopLevelWindows()) {
        if (window == m_dialog || ClassOf(window) != L"#32770") continue;
        std::vector<HWND> children;
        ::EnumChildWindows(window, &CollectWindow, reinterpret_cast<LPARAM>(&children));
        for (HWND child : children) {
            if (ClassOf(child) == L"Static" && !TextOf(child).empty()) return TextOf(child);
        }
    }
    return std::wstring();
}
