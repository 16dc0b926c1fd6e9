// CBarePages: plain combo boxes and buttons changed with plain messages.
#include "bench/BarePages.h"

#include "res/resource.h"

#include <commctrl.h>

namespace {

const wchar_t kPageClass[] = L"QuillboxBenchFloorPage";

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// A plain page window placed, sized and shown as `model` is.
HWND CreatePage(HWND frame, int top, HWND model)
{
    RECT bounds;
    ::GetClientRect(model, &bounds);
    const DWORD visible = ::IsWindowVisible(model) ? WS_VISIBLE : 0;
    return ::CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS | visible, 4, top, bounds.right, bounds.bottom,
                             frame, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// A control of `className` in `page` with the class, styles, place, size and font of the model control `id` of `modelPage`.
HWND CreateLike(HWND page, HWND modelPage, int id, const wchar_t* className)
{
    HWND model = ::GetDlgItem(modelPage, id);
    if (!model) return nullptr;
    RECT bounds;
    ::GetWindowRect(model, &bounds);
    ::MapWindowPoints(nullptr, modelPage, reinterpret_cast<POINT*>(&bounds), 2);
    wchar_t text[64] = {};
    ::GetWindowTextW(model, text, 64);
    const LONG style = ::GetWindowLongW(model, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(model, GWL_EXSTYLE);
    // A combo box's window is its closed height; its list's height comes from the template's.
    int height = bounds.bottom - bounds.top;
    if (::lstrcmpW(className, WC_COMBOBOXW) == 0) {
        RECT dropped = {};
        ::SendMessageW(model, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        height = dropped.bottom - dropped.top;
    }
    HWND control = ::CreateWindowExW(exStyle, className, text, static_cast<DWORD>(style), bounds.left, bounds.top, bounds.right - bounds.left,
                                     height, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, ::SendMessageW(model, WM_GETFONT, 0, 0), FALSE);
    return control;
}

std::wstring TextOf(HWND box)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(box, &text[0], static_cast<int>(text.size()))));
    return text;
}

void AddTo(HWND combo, int id, const std::wstring& name)
{
    const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (index >= 0) ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), id);
}

} // namespace

int CBarePages::Height(HWND editPage, HWND groupEditPage)
{
    RECT edit, groupEdit;
    ::GetClientRect(editPage, &edit);
    ::GetClientRect(groupEditPage, &groupEdit);
    return edit.bottom > groupEdit.bottom ? edit.bottom : groupEdit.bottom;
}

bool CBarePages::Create(HWND frame, int top, HWND editPage, HWND groupEditPage)
{
    WNDCLASSW pageClass = {};
    pageClass.lpfnWndProc = &PageProc;
    pageClass.hInstance = ::GetModuleHandleW(nullptr);
    pageClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    pageClass.lpszClassName = kPageClass;
    ::RegisterClassW(&pageClass);

    m_editPage.Reset(CreatePage(frame, top, editPage));
    m_groupEditPage.Reset(CreatePage(frame, top, groupEditPage));
    if (!m_editPage || !m_groupEditPage) return false;
    m_editGroups = CreateLike(m_editPage.Get(), editPage, IDC_EDIT_GROUP, WC_COMBOBOXW);
    m_title = CreateLike(m_editPage.Get(), editPage, IDC_EDIT_TITLE, WC_EDITW);
    m_comments = CreateLike(m_editPage.Get(), editPage, IDC_EDIT_COMMENTS, WC_EDITW);
    m_query = CreateLike(m_editPage.Get(), editPage, IDC_EDIT_QUERY, WC_EDITW);
    m_newButton = CreateLike(m_editPage.Get(), editPage, IDC_EDIT_NEW, WC_BUTTONW);
    m_deleteButton = CreateLike(m_editPage.Get(), editPage, IDC_EDIT_DELETE, WC_BUTTONW);
    m_groupEditGroups = CreateLike(m_groupEditPage.Get(), groupEditPage, IDC_GROUP_NAME, WC_COMBOBOXW);
    return m_editGroups && m_title && m_comments && m_query && m_newButton && m_deleteButton && m_groupEditGroups;
}

void CBarePages::ResetGroups()
{
    ::SendMessageW(m_editGroups, CB_RESETCONTENT, 0, 0);
    ::SendMessageW(m_groupEditGroups, CB_RESETCONTENT, 0, 0);
}

void CBarePages::AddGroup(int id, const std::wstring& name)
{
    AddTo(m_editGroups, id, name);
    if (id > 0) AddTo(m_groupEditGroups, id, name);
}

int CBarePages::EditGroupCount() const { return static_cast<int>(::SendMessageW(m_editGroups, CB_GETCOUNT, 0, 0)); }

int CBarePages::GroupEditGroupCount() const { return static_cast<int>(::SendMessageW(m_groupEditGroups, CB_GETCOUNT, 0, 0)); }

void CBarePages::ReadTypedNote(std::wstring& title, std::wstring& comments, std::wstring& query, int& groupId) const
{
    title = TextOf(m_title);
    comments = TextOf(m_comments);
    query = TextOf(m_query);
    const LRESULT choice = ::SendMessageW(m_editGroups, CB_GETCURSEL, 0, 0);
    groupId = choice < 0 ? 0 : static_cast<int>(::SendMessageW(m_editGroups, CB_GETITEMDATA, static_cast<WPARAM>(choice), 0));
}

void CBarePages::ShowNoNote()
{
    ::ShowWindow(m_newButton, SW_HIDE);
    ::EnableWindow(m_deleteButton, FALSE);
}

void CBarePages::ShowSavedNote()
{
    ::ShowWindow(m_newButton, SW_SHOW);
    ::EnableWindow(m_deleteButton, TRUE);
}

bool CBarePages::ShowsSavedNote() const
{
    return (::GetWindowLongW(m_newButton, GWL_STYLE) & WS_VISIBLE) != 0 && ::IsWindowEnabled(m_deleteButton);
}
