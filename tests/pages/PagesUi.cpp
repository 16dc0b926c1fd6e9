// The page tests' way of driving the dialog and answering its message boxes.
#include "tests/pages/PagesUi.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "store/NoteDatabaseFile.h"
#include "tests/support/UiDriver.h"

namespace pages {

namespace {

constexpr DWORD kPatienceMs = 60000;  // for a window that should appear; a hang, not a speed check

// A message box: a top-level dialog whose own controls are only texts,
// icons and buttons, one text not empty (the main dialog and the file
// dialogs have edit boxes, lists or pages among theirs).
bool IsMessageBoxWindow(HWND window)
{
    if (ui::ClassName(window) != L"#32770") return false;
    bool hasText = false;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring type = ui::ClassName(child);
        if (type == L"Static") hasText = hasText || !ui::WindowText(child).empty();
        else if (type != L"Button") return false;
    }
    return hasText;
}

HWND FindMessageBox(HWND except)
{
    return ui::WaitForWindow(L"#32770", nullptr, 0, [except](HWND w) { return w != except && IsMessageBoxWindow(w); });
}

// One action running on a helper thread (it blocks while the dialog's
// thread shows modal windows), with the script answering those windows.
class PendingAction {
public:
    explicit PendingAction(std::function<void()> action)
        : m_thread([this, action] {
              action();
              m_done = true;
          })
    {
    }
    ~PendingAction()
    {
        if (m_thread.joinable()) m_thread.join();
    }
    PendingAction(const PendingAction&) = delete;
    PendingAction& operator=(const PendingAction&) = delete;

    // Answers message boxes with `answers` (then IDOK) until the action is done.
    std::vector<Box> AnswerUntilDone(std::vector<int> answers)
    {
        std::vector<Box> boxes;
        HWND last = nullptr;
        const DWORD start = ::GetTickCount();
        while (!m_done) {
            HWND box = FindMessageBox(last);
            if (!box) {
                if (::GetTickCount() - start > kPatienceMs) {
                    ADD_FAILURE() << "the action neither ended nor showed a message box";
                    break;
                }
                ::Sleep(10);
                continue;
            }
            Box seen;
            seen.text = ui::MessageBoxText(box);
            seen.caption = ui::WindowText(box);
            seen.icon = ui::MessageBoxIcon(box);
            boxes.push_back(seen);
            const int answer = boxes.size() <= answers.size() ? answers[boxes.size() - 1] : IDOK;
            ui::PressButton(box, answer);
            ui::WaitForWindowGone(box, kPatienceMs);
            last = box;
        }
        if (m_thread.joinable()) m_thread.join();
        return boxes;
    }

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

BOOL CALLBACK CollectPage(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<Pages*>(param);
    if (ui::ClassName(window) != L"#32770") return TRUE;
    if (::GetDlgItem(window, kEditNew)) found->edit = window;
    else if (::GetDlgItem(window, kGroupSave)) found->groupEdit = window;
    else if (::GetDlgItem(window, kViewExecute) && ::GetDlgItem(window, kViewQuery)) found->view = window;
    return TRUE;
}

HWND NoteList(HWND dialog) { return ::GetDlgItem(dialog, 1020); }

std::vector<Box> RunFileDialog(HWND dialog, int command, const wchar_t* caption, const std::wstring& path)
{
    PendingAction action([dialog, command] { ::SendMessageW(dialog, WM_COMMAND, command, 0); });
    HWND fileDialog = ui::WaitForWindow(L"#32770", caption, kPatienceMs);
    EXPECT_NE(fileDialog, nullptr) << "no \"" << Narrow(caption) << "\" dialog";
    if (fileDialog) {
        ::SendMessageW(::GetDlgItem(fileDialog, 1148), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ::PostMessageW(fileDialog, WM_COMMAND, IDOK, 0);
    }
    return action.AnswerUntilDone({});
}

std::wstring ExchangeFolder()
{
    std::wstring path = L"Z:";
    for (const char* c = QB_PAGES_EXCHANGE; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return path;
}

} // namespace

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text.substr(0, 300)) out += c < 128 && c >= 32 ? static_cast<char>(c) : '?';
    return out;
}

std::vector<Box> Act(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::vector<int> answers)
{
    PendingAction action([=] { ::SendMessageW(window, message, wParam, lParam); });
    return action.AnswerUntilDone(std::move(answers));
}

std::vector<Box> Click(HWND page, int id, std::vector<int> answers)
{
    HWND button = ::GetDlgItem(page, id);
    // A real click reaches the parent only from an enabled button.
    if (!::IsWindowEnabled(button)) return {};
    return Act(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button), std::move(answers));
}

Pages FindPages(HWND dialog)
{
    Pages found;
    ::EnumChildWindows(dialog, &CollectPage, reinterpret_cast<LPARAM>(&found));
    return found;
}

void ShowTab(HWND dialog, int index) { ::SendMessageW(::GetDlgItem(dialog, 1007), TCM_SETCURFOCUS, index, 0); }

std::vector<Box> FileNew(HWND dialog, const std::wstring& path) { return RunFileDialog(dialog, kFileNew, L"Save As", path); }

std::vector<Box> FileOpen(HWND dialog, const std::wstring& path) { return RunFileDialog(dialog, kFileOpen, L"Open", path); }

std::wstring Text(HWND page, int id)
{
    HWND control = ::GetDlgItem(page, id);
    const int length = static_cast<int>(::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = static_cast<int>(::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
    text.resize(static_cast<size_t>(got));
    return text;
}

void SetText(HWND page, int id, const std::wstring& text)
{
    ::SendMessageW(::GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsEnabled(HWND page, int id) { return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE; }

bool IsVisible(HWND page, int id) { return (::GetWindowLongW(::GetDlgItem(page, id), GWL_STYLE) & WS_VISIBLE) != 0; }

std::vector<std::wstring> ComboTexts(HWND page, int id)
{
    HWND combo = ::GetDlgItem(page, id);
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]))));
        texts.push_back(text);
    }
    return texts;
}

std::vector<int> ComboIds(HWND page, int id)
{
    HWND combo = ::GetDlgItem(page, id);
    std::vector<int> ids;
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) ids.push_back(static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, i, 0)));
    return ids;
}

int ComboSelection(HWND page, int id) { return static_cast<int>(::SendMessageW(::GetDlgItem(page, id), CB_GETCURSEL, 0, 0)); }

std::vector<Box> ChooseEntry(HWND page, int id, const std::wstring& text, std::vector<int> answers)
{
    HWND combo = ::GetDlgItem(page, id);
    const int index = static_cast<int>(::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    EXPECT_GE(index, 0) << "no entry " << Narrow(text);
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
    return Act(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo), std::move(answers));
}

std::vector<std::wstring> ListRows(HWND dialog)
{
    HWND list = NoteList(dialog);
    std::vector<std::wstring> rows;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        wchar_t text[512] = {};
        LVITEMW item = {};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = 512;
        ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        rows.push_back(text);
    }
    return rows;
}

int FindRow(HWND dialog, const std::wstring& text)
{
    const std::vector<std::wstring> rows = ListRows(dialog);
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row] == text) return static_cast<int>(row);
    }
    return -1;
}

std::vector<Box> DoubleClickRow(HWND dialog, int row, std::vector<int> answers)
{
    HWND list = NoteList(dialog);
    EXPECT_GE(row, 0) << "no such row";
    if (row < 0) return {};
    ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
    RECT label = {};
    label.left = LVIR_LABEL;
    ::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
    const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
    std::vector<Box> boxes = Act(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at, std::move(answers));
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
    return boxes;
}

std::vector<Box> Find(HWND dialog, const std::wstring& text)
{
    SetText(dialog, 1002, text);
    return Click(dialog, 1009);
}

void ToggleScope(HWND dialog, int index)
{
    HWND button = ::GetDlgItem(dialog, 1009);
    RECT client = {};
    ::GetClientRect(button, &client);
    const LPARAM at = MAKELPARAM(client.right - 3, client.bottom / 2);
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PendingAction release([button, at] { ::SendMessageW(button, WM_LBUTTONUP, 0, at); });
    HWND menu = ui::WaitForWindow(L"#32768", nullptr, kPatienceMs);
    EXPECT_NE(menu, nullptr) << "no scope menu";
    if (menu) {
        for (int i = 0; i <= index; ++i) ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
    EXPECT_TRUE(release.AnswerUntilDone({}).empty());
}

std::wstring NewTestFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + name + L" " + std::to_wstring(::GetCurrentProcessId());
    RemoveTestFolder(path);
    ::CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

void RemoveTestFolder(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") ::DeleteFileW((path + L"\\" + name).c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
}

void Snapshot(const std::wstring& file, const char* name)
{
    const std::wstring folder = ExchangeFolder();
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring target = folder + L"\\";
    for (const char* c = name; *c; ++c) target += static_cast<wchar_t>(*c);
    target += L".mdb";
    EXPECT_TRUE(::CopyFileW(file.c_str(), target.c_str(), FALSE)) << "could not copy the file for " << name;
}

void ClearSnapshots()
{
    const std::wstring folder = ExchangeFolder();
    RemoveTestFolder(folder);
    ::CreateDirectoryW(folder.c_str(), nullptr);
}

void ExecuteOnFile(const std::wstring& file, const std::vector<std::wstring>& statements)
{
    CDatabase database;
    try {
        ConnectNoteDatabase(database, file.c_str());
        for (const std::wstring& statement : statements) database.ExecuteSQL(statement.c_str());
    } catch (CDBException* e) {
        ADD_FAILURE() << "the test's own statement failed: " << Narrow(e->m_strError.str());
        e->Delete();
    }
    database.Close();
}

} // namespace pages
