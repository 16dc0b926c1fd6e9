// The Edit page's New and Save as a user presses them.
#include "tests/twousers/UserActions.h"

namespace useractions {

namespace {

constexpr int kEditTitle = 1002;
constexpr int kEditComments = 1013;
constexpr int kEditQuery = 1014;
constexpr int kEditGroup = 1015;
constexpr int kEditSave = 1012;
constexpr int kEditNew = 1025;

void Click(HWND page, int id) { ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page, id))); }

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

} // namespace

void TypeNewNote(HWND dialog, const std::wstring& title, const std::wstring& comments, const std::wstring& query)
{
    HWND page = dialogdriver::FindPages(dialog).edit;
    Click(page, kEditNew);
    ::SendMessageW(::GetDlgItem(page, kEditTitle), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
    ::SendMessageW(::GetDlgItem(page, kEditComments), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(comments.c_str()));
    ::SendMessageW(::GetDlgItem(page, kEditQuery), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(query.c_str()));
    HWND groups = ::GetDlgItem(page, kEditGroup);
    const int count = static_cast<int>(::SendMessageW(groups, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        if (::SendMessageW(groups, CB_GETITEMDATA, index, 0) == 0) ::SendMessageW(groups, CB_SETCURSEL, index, 0);
    }
}

void PostSave(HWND dialog)
{
    HWND page = dialogdriver::FindPages(dialog).edit;
    ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(kEditSave, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page, kEditSave)));
}

std::vector<dialogdriver::SeenBox> SaveNewNote(HWND dialog, const std::wstring& title)
{
    TypeNewNote(dialog, title, L"typed by the test's user", L"SELECT '" + title + L"'");
    PostSave(dialog);
    return dialogdriver::AnswerBoxes(dialog);
}

bool IsBusy(HWND dialog, UINT timeoutMs)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, timeoutMs, &result) == 0;
}

std::string Describe(const std::vector<dialogdriver::SeenBox>& boxes)
{
    std::string out;
    for (const dialogdriver::SeenBox& box : boxes) out += "[" + Narrow(box.text) + " icon " + std::to_string(box.icon) + "]";
    return out.empty() ? "no message box" : out;
}

} // namespace useractions
