// CListEditCtrl: the tree grid's in-place editor, an edit control laid over
// one cell. It widens itself while the user types, ends on Enter (commit),
// Escape (cancel) or any loss of focus (commit), reports the text to the
// grid's parent as LVN_ENDLABELEDITW from the grid, and deletes itself when
// its window is gone.
#pragma once

#include "framework/CEdit.h"
#include "framework/CString.h"

class CListEditCtrl : public CEdit {
public:
    // Control ids and style of the editor over the first column and over a
    // later one (the later column's may add ES_RIGHT or ES_CENTER).
    static constexpr UINT FIRST_COLUMN_ID = 4659;
    static constexpr UINT LATER_COLUMN_ID = 4660;
    static constexpr DWORD EDITOR_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;

    // Allocate with new: the editor deletes itself when its window is destroyed.
    CListEditCtrl(int row, int column, const CString& initialText);

    BOOL PreTranslateMessage(MSG* msg) override;

    int m_editRow;
    int m_editColumn;
    CString m_initialText;
    BOOL m_cancelled = FALSE;

protected:
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnKillFocus(CWnd* newFocus);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    void WidenToText();
};
