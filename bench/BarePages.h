// CBarePages: the floor's stand-ins for the page controls the dialog's
// actions read or change: the Edit page's and the Group Edit page's group
// combo boxes, the Edit page's three text boxes and its New and Delete
// buttons. Plain controls with the
// styles, sizes and font of the dialog's own, each in a plain page window
// shown or hidden as the dialog's page is, changed with plain messages. No
// framework object touches them.
#pragma once

#include "bench/OwnedHandles.h"

#include <windows.h>

#include <string>

class CBarePages {
public:
    // The height the page windows take: the taller of the two pages.
    static int Height(HWND editPage, HWND groupEditPage);
    // Creates the controls on the calling thread inside `frame` (not owned),
    // from `top` down, modelled on the dialog's Edit page `editPage` and Group
    // Edit page `groupEditPage`.
    bool Create(HWND frame, int top, HWND editPage, HWND groupEditPage);

    // CB_RESETCONTENT on both group lists.
    void ResetGroups();
    // A group from the group list statement: into the Edit page's list, and
    // into the Group Edit page's unless it is group 0 (None).
    void AddGroup(int id, const std::wstring& name);
    int EditGroupCount() const;
    int GroupEditGroupCount() const;

    // The Edit page's stand-in, whose controls have the dialog's ids: a
    // user's typing goes there.
    HWND EditPage() const { return m_editPage.Get(); }
    // The title, comments and query typed in and the group chosen, read as
    // the Edit page's Save reads them.
    void ReadTypedNote(std::wstring& title, std::wstring& comments, std::wstring& query, int& groupId) const;

    // New hidden and Delete disabled, as New leaves the Edit page.
    void ShowNoNote();
    // New shown and Delete enabled, as the Edit page shows a saved note.
    void ShowSavedNote();
    bool ShowsSavedNote() const;

private:
    OwnedWindow m_editPage;       // children of the frame, standing for the two pages
    OwnedWindow m_groupEditPage;
    HWND m_editGroups = nullptr;  // children of the page windows, destroyed with them
    HWND m_groupEditGroups = nullptr;
    HWND m_title = nullptr;
    HWND m_comments = nullptr;
    HWND m_query = nullptr;
    HWND m_newButton = nullptr;
    HWND m_deleteButton = nullptr;
};
